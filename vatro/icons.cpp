// GetSmallIcon and GetBigIcon: the icon of a file the freedesktop way (its
// MIME type from shared-mime-info's globs, the icon named after the type or
// its generic fallback, found in the hicolor theme at 16 or 32 pixels),
// handed out as a picture object with the properties of IPictureDisp.

#include "vatro/com_object.h"
#include "vatro/methods.h"
#include "vatro/ini.h"
#include "vatro/text.h"
#include "vatro/vatro_ids.h"

#include <atomic>
#include <cstdlib>
#include <dirent.h>
#include <fnmatch.h>
#include <new>
#include <sys/stat.h>
#include <vector>

namespace vatro {

namespace {

std::vector<std::string> dataDirs()
{
    std::vector<std::string> dirs;
    const char *home = std::getenv("HOME");
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/')
        dirs.push_back(dataHome);
    else if (home && *home)
        dirs.push_back(std::string(home) + "/.local/share");
    const char *list = std::getenv("XDG_DATA_DIRS");
    std::string rest = (list && *list) ? list : "/usr/local/share:/usr/share";
    std::size_t pos = 0;
    while (pos <= rest.size()) {
        auto colon = rest.find(':', pos);
        if (colon == std::string::npos)
            colon = rest.size();
        const std::string dir = rest.substr(pos, colon - pos);
        if (!dir.empty() && dir[0] == '/')
            dirs.push_back(dir);
        pos = colon + 1;
    }
    return dirs;
}

std::string lowerAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// The MIME type of a file name by the globs2 files: the highest weight
// wins, then the longest pattern.
std::string mimeTypeOf(const std::string &name, const std::vector<std::string> &dirs)
{
    std::string best = "application/octet-stream";
    int bestWeight = -1;
    std::size_t bestLength = 0;
    const std::string lower = lowerAscii(name);
    for (const auto &dir : dirs) {
        for (const auto &line : readLines(dir + "/mime/globs2")) {
            if (line.empty() || line[0] == '#')
                continue;
            const auto c1 = line.find(':');
            const auto c2 = c1 == std::string::npos ? c1 : line.find(':', c1 + 1);
            if (c2 == std::string::npos)
                continue;
            const auto c3 = line.find(':', c2 + 1);
            const int weight = std::atoi(line.substr(0, c1).c_str());
            const std::string type = line.substr(c1 + 1, c2 - c1 - 1);
            const std::string glob = line.substr(c2 + 1, c3 == std::string::npos ? c3 : c3 - c2 - 1);
            const bool caseSensitive =
                c3 != std::string::npos && line.find("cs", c3) != std::string::npos;
            if (glob == "__NOGLOBS__")
                continue;
            const bool hit = caseSensitive
                                 ? ::fnmatch(glob.c_str(), name.c_str(), 0) == 0
                                 : ::fnmatch(lowerAscii(glob).c_str(), lower.c_str(), 0) == 0;
            if (hit && (weight > bestWeight || (weight == bestWeight && glob.size() > bestLength))) {
                best = type;
                bestWeight = weight;
                bestLength = glob.size();
            }
        }
    }
    return best;
}

// The value for `type` in a "type:value" file (mime/icons, mime/generic-icons).
std::string lookUp(const char *file, const std::string &type, const std::vector<std::string> &dirs)
{
    for (const auto &dir : dirs)
        for (const auto &line : readLines(dir + "/mime/" + file))
            if (line.size() > type.size() && line.compare(0, type.size(), type) == 0 &&
                line[type.size()] == ':')
                return line.substr(type.size() + 1);
    return {};
}

std::vector<std::string> iconNames(const std::string &type, const std::vector<std::string> &dirs)
{
    std::vector<std::string> names;
    if (type == "inode/directory")
        return {"inode-directory", "folder"};
    std::string own = lookUp("icons", type, dirs);
    if (own.empty()) {
        own = type;
        for (char &c : own)
            if (c == '/')
                c = '-';
    }
    names.push_back(own);
    std::string generic = lookUp("generic-icons", type, dirs);
    if (generic.empty())
        generic = type.substr(0, type.find('/')) + "-x-generic";
    names.push_back(generic);
    return names;
}

// The file of icon `name` at `size` pixels in the hicolor theme.
std::string findIcon(const std::string &name, int size, const std::vector<std::string> &dirs)
{
    const std::string sizeDir = std::to_string(size) + "x" + std::to_string(size);
    std::vector<std::string> bases;
    if (const char *home = std::getenv("HOME"); home && *home)
        bases.push_back(std::string(home) + "/.icons");
    for (const auto &dir : dirs)
        bases.push_back(dir + "/icons");
    for (const auto &base : bases) {
        const std::string root = base + "/hicolor/" + sizeDir;
        DIR *d = ::opendir(root.c_str());
        if (!d)
            continue;
        std::string found;
        while (const dirent *e = ::readdir(d)) {
            if (e->d_name[0] == '.')
                continue;
            for (const char *ext : {".png", ".svg", ".xpm"}) {
                const std::string candidate = root + "/" + e->d_name + "/" + name + ext;
                struct stat st;
                if (found.empty() && ::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode))
                    found = candidate;
            }
        }
        ::closedir(d);
        if (!found.empty())
            return found;
    }
    return {};
}

std::atomic<LONG> g_nextHandle{1};

const DispName kPictureProperties[] = {
    {"Handle", DISPID_PICT_HANDLE}, {"hPal", DISPID_PICT_HPAL},     {"Type", DISPID_PICT_TYPE},
    {"Width", DISPID_PICT_WIDTH},   {"Height", DISPID_PICT_HEIGHT}, {"Path", DISPID_PICT_PATH},
};

// A picture object holding one icon: read-only properties only.
class Picture final : public DispatchObject<Picture, IDispatch, IID_IPictureDisp> {
public:
    static constexpr const auto &kNames = kPictureProperties;
    static void lifetime(bool alive) { countObject(alive); }
    Picture(std::string path, int pixels)
        : path_(std::move(path)),
          // HIMETRIC at 96 pixels an inch, as a picture of that icon reports it
          himetric_(LONG((pixels * 2540 + 48) / 96)),
          handle_(g_nextHandle++)
    {
    }

    HRESULT Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                   EXCEPINFO *, UINT *) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (!(flags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        if (params && (params->cArgs || params->cNamedArgs))
            return DISP_E_BADPARAMCOUNT;
        VARIANT v;
        VariantInit(&v);
        switch (id) {
        case DISPID_PICT_HANDLE: v.vt = VT_I4; v.lVal = handle_; break;
        case DISPID_PICT_HPAL: v.vt = VT_I4; v.lVal = 0; break;
        case DISPID_PICT_TYPE: v.vt = VT_I2; v.iVal = PICTYPE_ICON; break;
        case DISPID_PICT_WIDTH:
        case DISPID_PICT_HEIGHT: v.vt = VT_I4; v.lVal = himetric_; break;
        case DISPID_PICT_PATH:
            v.bstrVal = allocBstr(path_, true);
            if (!v.bstrVal)
                return E_OUTOFMEMORY;
            v.vt = VT_BSTR;
            break;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
        if (result)
            *result = v;
        else
            VariantClear(&v);
        return S_OK;
    }

private:
    friend ComObject;
    ~Picture() = default;
    std::string path_;
    LONG himetric_;
    LONG handle_;
};

} // namespace

IDispatch *iconPicture(const Text &file, bool small)
{
    struct stat st;
    if (!file.usablePath() || ::stat(file.utf8.c_str(), &st) != 0)
        return nullptr;
    const auto dirs = dataDirs();
    std::string type;
    if (S_ISDIR(st.st_mode)) {
        type = "inode/directory";
    } else {
        const auto slash = file.utf8.rfind('/');
        type = mimeTypeOf(slash == std::string::npos ? file.utf8 : file.utf8.substr(slash + 1), dirs);
    }
    const int pixels = small ? 16 : 32;
    for (const auto &name : iconNames(type, dirs)) {
        std::string path = findIcon(name, pixels, dirs);
        if (!path.empty())
            return new (std::nothrow) Picture(std::move(path), pixels);
    }
    return nullptr;
}

} // namespace vatro
