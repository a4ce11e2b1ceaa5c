// File, folder, drive, date, colour and INI methods of the Vatro control.

#include "vatro/methods.h"

#include "vatro/ini.h"
#include "vatro/savefile.h"
#include "vatro/text.h"
#include "vatro/vatro_ids.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vatro {

namespace {

const Raised kFileNotFound{hresultOf(0x800A0035), "File not found"};
const Raised kPathNotFound{hresultOf(0x800A004C), "Path not found"};

HRESULT raise(const Raised &what, Raised *err)
{
    *err = what;
    return what.scode;
}

void setBool(VARIANT *v, bool b)
{
    v->vt = VT_BOOL;
    v->boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}

HRESULT setString(VARIANT *v, const std::string &s, bool path = false)
{
    v->bstrVal = allocBstr(s, path);
    if (!v->bstrVal)
        return E_OUTOFMEMORY;
    v->vt = VT_BSTR;
    return S_OK;
}

bool statPath(const Text &t, struct stat *st)
{
    return t.usablePath() && ::stat(t.utf8.c_str(), st) == 0;
}

bool isFile(const Text &t)
{
    struct stat st;
    return statPath(t, &st) && S_ISREG(st.st_mode);
}

bool isFolder(const Text &t)
{
    struct stat st;
    return statPath(t, &st) && S_ISDIR(st.st_mode);
}

bool isFile(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isFolder(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A path whose text can only name a folder: a trailing separator, or "."
// or ".." as its last part.
bool namesFolder(const std::string &p)
{
    const std::string last = p.substr(p.rfind('/') + 1);
    return last.empty() || last == "." || last == "..";
}

// The absolute form of a path, "." and ".." taken out, without a trailing
// separator (except for the root itself).
std::string absolutePath(const std::string &p)
{
    std::error_code ec;
    fs::path abs = fs::absolute(fs::path(p), ec);
    if (ec)
        abs = fs::path(p);
    std::string s = abs.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::string parentOf(const std::string &absolute)
{
    const auto slash = absolute.rfind('/');
    return slash == 0 ? std::string("/") : absolute.substr(0, slash);
}

std::string nameOf(const std::string &absolute)
{
    return absolute.substr(absolute.rfind('/') + 1);
}

// A mount point of a table written the way the argument is made absolute:
// "." and ".." taken out, no trailing separator. Entries that are no path
// ("none", "swap") stay as they are and match nothing.
std::string normalPoint(const std::string &field)
{
    return field.empty() || field[0] != '/' ? field : absolutePath(field);
}

// Reads the mount points of a mount table (/proc/self/mounts, /etc/fstab):
// the second field of each line, with the octal escapes of blanks undone.
bool listsMountPoint(const char *table, const std::string &point)
{
    for (const std::string &line : readLines(table)) {
        const auto a = line.find_first_not_of(" \t");
        if (a == std::string::npos || line[a] == '#')
            continue;
        const auto b = line.find_first_of(" \t", a);
        const auto c = b == std::string::npos ? b : line.find_first_not_of(" \t", b);
        if (c == std::string::npos)
            continue;
        const auto d = line.find_first_of(" \t", c);
        const std::string field = line.substr(c, d == std::string::npos ? d : d - c);
        std::string decoded;
        for (std::size_t i = 0; i < field.size(); ++i) {
            if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
                field[i + 1] <= '3') {
                decoded.push_back(char(std::strtol(field.substr(i + 1, 3).c_str(), nullptr, 8)));
                i += 3;
            } else {
                decoded.push_back(field[i]);
            }
        }
        if (normalPoint(decoded) == point)
            return true;
    }
    return false;
}

// A drive is a mount point: 2 when a file system is mounted there, 1 when
// /etc/fstab lists it but nothing is mounted (no medium), else 0.
SHORT driveState(const Text &t)
{
    if (!t.usablePath())
        return 0;
    const std::string point = absolutePath(t.utf8);
    if (listsMountPoint("/proc/self/mounts", point))
        return 2;
    if (listsMountPoint("/etc/fstab", point))
        return 1;
    return 0;
}

long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long long)doe - 719468;
}

enum class Stamp { Created, Accessed, Modified };

// The time of a file or folder: birth time where the file system records
// it, else the status-change time, for Created.
bool stampOf(const std::string &path, Stamp which, long long *seconds)
{
    struct statx sx;
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return false;
    switch (which) {
    case Stamp::Created:
        *seconds = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : sx.stx_ctime.tv_sec;
        break;
    case Stamp::Accessed:
        *seconds = sx.stx_atime.tv_sec;
        break;
    case Stamp::Modified:
        *seconds = sx.stx_mtime.tv_sec;
        break;
    }
    return true;
}

HRESULT dateOf(const Text &t, bool folder, Stamp which, VARIANT *result, Raised *err)
{
    if (folder ? !isFolder(t) : !isFile(t))
        return raise(folder ? kPathNotFound : kFileNotFound, err);
    long long seconds = 0;
    if (!stampOf(t.utf8, which, &seconds))
        return raise(folder ? kPathNotFound : kFileNotFound, err);
    result->vt = VT_DATE;
    result->date = toOleDate(seconds);
    return S_OK;
}

struct NamedColour {
    const char *name;
    LONG value;
    bool shortInt;
};

// The sixteen basic HTML colours in 0x00BBGGRR, "Grey" spelt the British way.
const NamedColour kColours[] = {
    {"Black", 0, true},          {"Maroon", 128, true},       {"Green", 32768, false},
    {"Olive", 32896, false},     {"Navy", 8388608, false},    {"Purple", 8388736, false},
    {"Teal", 8421376, false},    {"Grey", 8421504, false},    {"Silver", 12632256, false},
    {"Red", 255, true},          {"Lime", 65280, false},      {"Yellow", 65535, false},
    {"Blue", 16711680, false},   {"Fuchsia", 16711935, false}, {"Aqua", 16776960, false},
    {"White", 16777215, false},
};

// Fixed identification texts of the control.
const std::pair<const char *, const char *> kFendro[] = {
    {"SName", "Sample"},
    {"MName", "Example"},
    {"DOB", "01/01/2000"},
};

} // namespace

Text decode(const OLECHAR *s, std::size_t n)
{
    Text t;
    if (!s)
        return t;
    for (std::size_t i = 0; i < n; ++i)
        t.hasNul = t.hasNul || s[i] == 0;
    t.valid = toUtf8(s, n, &t.utf8, true, true);
    if (!t.valid)
        t.utf8.clear();
    return t;
}

DATE toOleDate(long long seconds)
{
    const std::time_t t = std::time_t(seconds);
    std::tm lt{};
    if (!::localtime_r(&t, &lt))
        return 0;
    const long long days = daysFromCivil(lt.tm_year + 1900LL, unsigned(lt.tm_mon + 1),
                                         unsigned(lt.tm_mday)) -
                           daysFromCivil(1899, 12, 30);
    const double frac = (lt.tm_hour * 3600 + lt.tm_min * 60 + lt.tm_sec) / 86400.0;
    // Before 1899-12-30 the day counts down while the time of day still
    // counts up: -1.25 is 1899-12-29 06:00.
    return days >= 0 ? double(days) + frac : double(days) - frac;
}

HRESULT stringMethod(DISPID id, const Text &arg, VARIANT *result, Raised *err)
{
    switch (id) {
    case DISPID_FExists:
        setBool(result, isFile(arg));
        return S_OK;
    case DISPID_DirExists:
        setBool(result, isFolder(arg));
        return S_OK;
    case DISPID_DExists:
        result->vt = VT_I2;
        result->iVal = driveState(arg);
        return S_OK;
    case DISPID_ColConv:
        for (const auto &c : kColours) {
            if (arg.valid && arg.utf8 == c.name) {
                if (c.shortInt) {
                    result->vt = VT_I2;
                    result->iVal = SHORT(c.value);
                } else {
                    result->vt = VT_I4;
                    result->lVal = c.value;
                }
            }
        }
        return S_OK;
    case DISPID_Fendro:
        for (const auto &[key, text] : kFendro)
            if (arg.valid && arg.utf8 == key)
                return setString(result, text);
        return S_OK;
    case DISPID_ShortFile:
    case DISPID_ShortFileLocation:
    case DISPID_ShortPath: {
        // Linux file systems have no 8.3 names: the short name is the name,
        // the short path of a folder its absolute path. The path is made
        // absolute first and tested as such, so that what is returned is
        // the file that was found (".." after a link to a folder would lead
        // elsewhere on the disk than in the text).
        if (!arg.usablePath() || namesFolder(arg.utf8))
            return raise(kFileNotFound, err);
        const std::string abs = absolutePath(arg.utf8);
        if (!isFile(abs))
            return raise(kFileNotFound, err);
        const std::string folder = parentOf(abs);
        if (id == DISPID_ShortFile)
            return setString(result, nameOf(abs), true);
        if (id == DISPID_ShortFileLocation)
            return setString(result, folder, true);
        return setString(result, folder == "/" ? folder + nameOf(abs) : folder + "/" + nameOf(abs),
                         true);
    }
    case DISPID_ShortFolder: {
        const std::string abs = arg.usablePath() ? absolutePath(arg.utf8) : std::string();
        if (abs.empty() || !isFolder(abs))
            return raise(kPathNotFound, err);
        return setString(result, abs, true);
    }
    case DISPID_FileCreated:
        return dateOf(arg, false, Stamp::Created, result, err);
    case DISPID_FileAccessed:
        return dateOf(arg, false, Stamp::Accessed, result, err);
    case DISPID_FileModified:
        return dateOf(arg, false, Stamp::Modified, result, err);
    case DISPID_FolderCreated:
        return dateOf(arg, true, Stamp::Created, result, err);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

void removeIniKey(const Text &section, const Text &key, const Text &file)
{
    if (!section.valid || section.hasNul || !key.valid || key.hasNul || key.utf8.empty() ||
        !file.usablePath())
        return;
    // Write beside the real file, so that a link to it stays a link.
    char *real = ::realpath(file.utf8.c_str(), nullptr);
    if (!real)
        return;
    const std::string path = real;
    std::free(real);
    // The lock registration takes on the class registry, so that neither
    // loses the other's change. Where the folder takes no lock file, none
    // can be taken by anyone with this user's rights: the key goes anyway.
    const FileLock lock(path, true);
    if (!lock && errno != EACCES && errno != EPERM && errno != EROFS)
        return;
    const auto text = readFile(path);
    if (!text)
        return;
    IniText ini(*text);
    if (ini.removeKey(section.utf8, key.utf8))
        saveFile(path, ini.text());
}

} // namespace vatro
