// vatroreg: registers an in-process component library in the per-user class
// registry (or, with -u, removes its registration) by calling its
// DllRegisterServer or DllUnregisterServer.
//
//   vatroreg [-u] path/to/library.so
//
// Exit codes: 0 done, 2 wrong usage (also an empty path, one holding a
// control character or one ending in a blank), 3 library not loadable (or
// not a regular file), 4 entry point missing, 5 the entry point reported a
// failure.

#include "vatro/host.h"
#include "vatro/registry.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    bool unregister = false;
    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0 && !unregister && !path)
            unregister = true;
        else if (!path && argv[i][0] != '-')
            path = argv[i];
        else
            path = nullptr, argc = 0;
    }
    if (!path || !*path) {
        std::fprintf(stderr, "usage: vatroreg [-u] path/to/library.so\n");
        return 2;
    }
    // The path is written into the registry, one line per value, and read
    // back without the blanks at its end.
    for (const char *c = path; *c; ++c) {
        if (static_cast<unsigned char>(*c) < 0x20 || *c == 0x7F) {
            std::fprintf(stderr, "vatroreg: the library path holds a control character; it cannot be registered\n");
            return 2;
        }
    }
    if (path[std::strlen(path) - 1] == ' ') {
        std::fprintf(stderr, "vatroreg: the library path ends in a blank; it cannot be registered\n");
        return 2;
    }
    // A bare file name would be looked up on the library path; mean the file.
    std::string file = path;
    if (file.find('/') == std::string::npos)
        file = "./" + file;
    // dlopen would wait for ever on a FIFO: only a regular file is loaded.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st;
    const bool regular = fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const int openError = errno;
    if (fd >= 0)
        ::close(fd);
    if (!regular) {
        std::fprintf(stderr, "vatroreg: cannot load %s: %s\n", path,
                     fd < 0 ? std::strerror(openError) : "not a regular file");
        return 3;
    }

    void *lib = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        const char *why = ::dlerror();
        std::fprintf(stderr, "vatroreg: cannot load %s: %s\n", path, why ? why : "unknown error");
        return 3;
    }
    const char *entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto fn = reinterpret_cast<DllRegisterServerFn>(::dlsym(lib, entry));
    if (!fn) {
        std::fprintf(stderr, "vatroreg: %s has no entry point %s\n", path, entry);
        return 4;
    }
    const HRESULT h = fn();
    if (FAILED(h)) {
        std::fprintf(stderr, "vatroreg: %s in %s failed (%s); registry %s\n", entry, path,
                     vatro::hresultText(h).c_str(), vatro::registryPath().c_str());
        return 5;
    }
    std::printf("%s in %s succeeded (registry %s).\n", entry, path, vatro::registryPath().c_str());
    return 0;
}
