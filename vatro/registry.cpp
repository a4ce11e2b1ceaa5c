#include "vatro/registry.h"

#include "vatro/savefile.h"
#include "vatro/text.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vatro {

namespace {
std::string env(const char *name)
{
    const char *v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
} // namespace

std::string registryPath()
{
    if (std::string p = env("VATRO_REGISTRY"); !p.empty())
        return p;
    if (std::string p = env("XDG_CONFIG_HOME"); !p.empty() && p[0] == '/')
        return p + "/vatro/registry.ini";
    std::string home = env("HOME");
    if (home.empty()) {
        if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            home = pw->pw_dir;
    }
    return home + "/.config/vatro/registry.ini";
}

namespace {
std::mutex g_hostLock;
std::vector<std::string> g_hostRegistries;
} // namespace

void addHostRegistry(const std::string &path)
{
    if (path.empty())
        return;
    std::lock_guard<std::mutex> guard(g_hostLock);
    g_hostRegistries.push_back(path);
}

std::vector<std::string> registrySearchPath()
{
    if (std::string p = env("VATRO_REGISTRY"); !p.empty())
        return {p};
    std::vector<std::string> out{registryPath()};
    std::string dirs = env("XDG_CONFIG_DIRS");
    if (dirs.empty())
        dirs = "/etc/xdg";
    for (std::size_t start = 0; start <= dirs.size();) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        while (dir.size() > 1 && dir.back() == '/')
            dir.pop_back();
        // Relative entries are invalid by the XDG rules and ignored.
        if (!dir.empty() && dir[0] == '/')
            out.push_back((dir == "/" ? "" : dir) + "/vatro/registry.ini");
        start = end + 1;
    }
    std::lock_guard<std::mutex> guard(g_hostLock);
    out.insert(out.end(), g_hostRegistries.begin(), g_hostRegistries.end());
    return out;
}

std::string libraryFile(const std::string &registry, const std::string &value)
{
    if (value.empty() || value[0] == '/')
        return value;
    const auto slash = registry.rfind('/');
    return (slash == std::string::npos ? std::string(".") : registry.substr(0, slash)) + "/" + value;
}

bool makeParentFolders(const std::string &path)
{
    for (std::size_t pos = path.find('/', 1); pos != std::string::npos;
         pos = path.find('/', pos + 1)) {
        const std::string dir = path.substr(0, pos);
        if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

namespace {

// The file a registry path stands for: the target of a link, the folder
// resolved for a file not made yet; empty when there is none.
std::string realFile(const std::string &path)
{
    if (char *real = ::realpath(path.c_str(), nullptr)) {
        std::string out = real;
        std::free(real);
        return out;
    }
    struct stat st;
    const auto slash = path.rfind('/');
    if (errno != ENOENT || ::lstat(path.c_str(), &st) == 0 || slash == std::string::npos)
        return {}; // unreadable, or a link to nowhere
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    char *real = ::realpath(folder.c_str(), nullptr);
    if (!real)
        return {};
    std::string out = real;
    std::free(real);
    return (out == "/" ? out : out + "/") + path.substr(slash + 1);
}

} // namespace

bool updateRegistry(bool create, const std::function<bool(IniText &)> &change)
{
    const std::string configured = registryPath();
    struct stat st;
    if (!create && ::stat(configured.c_str(), &st) != 0 && errno == ENOENT)
        return true; // nothing registered, nothing to remove
    if (create && !makeParentFolders(configured))
        return false;
    const std::string path = realFile(configured);
    if (path.empty())
        return false;
    const FileLock lock(path);
    if (!lock)
        return false;
    std::optional<std::string> old = readFile(path);
    // A registry that exists but cannot be read must not be overwritten.
    if (!old && !(::lstat(path.c_str(), &st) != 0 && errno == ENOENT))
        return false;
    IniText ini(old.value_or(std::string()));
    if (!change(ini))
        return true;
    return !saveFile(path, ini.text(), !old);
}

std::string clsidSection(const CLSID &clsid)
{
    return "CLSID\\" + guidToString(clsid);
}

std::string progIdSection(const std::string &progId)
{
    return "ProgID\\" + progId;
}

std::string typeLibSection(const GUID &libid)
{
    return "TypeLib\\" + guidToString(libid);
}

std::string interfaceSection(const IID &iid)
{
    return "Interface\\" + guidToString(iid);
}

} // namespace vatro
