#include "vatro/x11.h"

#include <dlfcn.h>
#include <type_traits>

namespace vatro {

namespace x11 {

const Api *api()
{
    static Api table;
    static const Api *loaded = [] () -> const Api * {
        void *lib = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return nullptr;
        bool ok = true;
        auto bind = [&](auto &fn, const char *name) {
            void *sym = ::dlsym(lib, name);
            ok = ok && sym;
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(sym);
        };
        bind(table.XOpenDisplay, "XOpenDisplay");
        bind(table.XCloseDisplay, "XCloseDisplay");
        bind(table.XSetErrorHandler, "XSetErrorHandler");
        bind(table.XDefaultRootWindow, "XDefaultRootWindow");
        bind(table.XMoveResizeWindow, "XMoveResizeWindow");
        bind(table.XMapWindow, "XMapWindow");
        bind(table.XRaiseWindow, "XRaiseWindow");
        bind(table.XInternAtom, "XInternAtom");
        bind(table.XSendEvent, "XSendEvent");
        bind(table.XChangeProperty, "XChangeProperty");
        bind(table.XGetWindowProperty, "XGetWindowProperty");
        bind(table.XFree, "XFree");
        bind(table.XSync, "XSync");
        // libX11 stays loaded: it cannot be unloaded safely once used.
        return ok ? &table : nullptr;
    }();
    return loaded;
}

} // namespace x11

} // namespace vatro
