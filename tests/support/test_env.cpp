#include "support/test_env.h"

namespace testenv {

namespace {
std::string g_root;
} // namespace

QString root()
{
    return QString::fromStdString(g_root);
}

void setUp()
{
    // As the program's main does first: a file-size limit fails the write.
    std::signal(SIGXFSZ, SIG_IGN);
    char pattern[] = "/tmp/velmora-test-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    g_root = pattern;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(g_root, ec);
    });
    // The first four folders are made; the rest are left to the program.
    const std::pair<const char *, const char *> folders[] = {
        {"HOME", "/home"},           {"XDG_CONFIG_HOME", "/config"}, {"XDG_RUNTIME_DIR", "/runtime"},
        {"TEMP", "/temp"},           {"XDG_CACHE_HOME", "/cache"},   {"XDG_DATA_HOME", "/data"},
        {"XDG_STATE_HOME", "/state"}, {"VATRO_REGISTRY", "/config/vatro-registry.ini"}};
    for (std::size_t i = 0; i < std::size(folders); ++i) {
        const std::string path = g_root + folders[i].second;
        if (i < 4)
            ::mkdir(path.c_str(), 0700);
        ::setenv(folders[i].first, path.c_str(), 1);
    }

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
