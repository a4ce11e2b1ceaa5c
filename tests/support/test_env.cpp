#include "support/test_env.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace testenv {

namespace {
std::string g_root;

void makeDir(const std::string &path)
{
    ::mkdir(path.c_str(), 0700);
}
} // namespace

QString root()
{
    return QString::fromStdString(g_root);
}

void setUp()
{
    char pattern[] = "/tmp/velmora-test-XXXXXX";
    const char *dir = ::mkdtemp(pattern);
    if (!dir) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    g_root = dir;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(g_root, ec);
    });
    const std::string home = g_root + "/home";
    const std::string config = g_root + "/config";
    const std::string runtime = g_root + "/runtime";
    const std::string temp = g_root + "/temp";
    for (const auto &d : {home, config, runtime, temp})
        makeDir(d);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (g_root + "/cache").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (g_root + "/data").c_str(), 1);
    ::setenv("XDG_STATE_HOME", (g_root + "/state").c_str(), 1);
    ::setenv("TEMP", temp.c_str(), 1);
    ::setenv("VATRO_REGISTRY", (config + "/vatro-registry.ini").c_str(), 1);

    // Register the component of this build in the private registry.
    void *lib = ::dlopen(VATRO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        std::fprintf(stderr, "cannot load %s: %s\n", VATRO_LIBRARY_PATH, ::dlerror());
        std::exit(2);
    }
    using RegisterFn = std::int32_t (*)();
    auto reg = reinterpret_cast<RegisterFn>(::dlsym(lib, "DllRegisterServer"));
    if (!reg || reg() != 0) {
        std::fprintf(stderr, "cannot register %s\n", VATRO_LIBRARY_PATH);
        std::exit(2);
    }
}

} // namespace testenv
