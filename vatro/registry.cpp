#include "vatro/registry.h"

#include "vatro/text.h"

#include <cerrno>
#include <cstdlib>
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
