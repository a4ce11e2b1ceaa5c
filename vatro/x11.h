#pragma once
// The few Xlib calls the library needs, loaded from libX11 at run time so
// that the library depends on nothing and works (quietly doing nothing)
// where X11 is absent. The declarations follow Xlib's public layouts.

namespace vatro::x11 {

struct Display;
using Window = unsigned long;
using Atom = unsigned long;
using Bool = int;

struct XErrorEvent;
using ErrorHandler = int (*)(Display *, XErrorEvent *);

struct XClientMessageEvent {
    int type;
    unsigned long serial;
    Bool send_event;
    Display *display;
    Window window;
    Atom message_type;
    int format;
    union {
        char b[20];
        short s[10];
        long l[5];
    } data;
};

union XEvent {
    int type;
    XClientMessageEvent xclient;
    long pad[24];
};

constexpr int ClientMessage = 33;
constexpr long SubstructureNotifyMask = 1L << 19;
constexpr long SubstructureRedirectMask = 1L << 20;
constexpr int PropModeReplace = 0;
constexpr Atom XA_ATOM = 4;
constexpr Atom XA_WINDOW = 33;
constexpr Atom XA_WM_NORMAL_HINTS = 40;
constexpr Atom XA_WM_SIZE_HINTS = 41;
// WM_SIZE_HINTS: 18 values (flags, x, y, width, height, minimum and maximum
// sizes, steps, aspects, base size, gravity); the position and size as the
// user's.
constexpr int SizeHintsCount = 18;
constexpr long USPosition = 1L << 0;
constexpr long USSize = 1L << 1;
constexpr Atom AnyPropertyType = 0;

struct Api {
    Display *(*XOpenDisplay)(const char *);
    int (*XCloseDisplay)(Display *);
    ErrorHandler (*XSetErrorHandler)(ErrorHandler);
    Window (*XDefaultRootWindow)(Display *);
    int (*XMoveResizeWindow)(Display *, Window, int, int, unsigned, unsigned);
    int (*XMapWindow)(Display *, Window);
    int (*XRaiseWindow)(Display *, Window);
    Atom (*XInternAtom)(Display *, const char *, Bool);
    int (*XSendEvent)(Display *, Window, Bool, long, XEvent *);
    int (*XChangeProperty)(Display *, Window, Atom, Atom, int, int, const unsigned char *, int);
    int (*XGetWindowProperty)(Display *, Window, Atom, long, long, Bool, Atom, Atom *, int *,
                              unsigned long *, unsigned long *, unsigned char **);
    int (*XFree)(void *);
    int (*XSync)(Display *, Bool);
};

// libX11's functions, or nullptr when the library cannot be loaded.
const Api *api();

} // namespace vatro::x11
