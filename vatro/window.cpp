// TopMost: reads the host form's handle, place and size through its
// dispatch interface and puts the X11 window there, above the others or
// back among them.

#include "vatro/coerce.h"
#include "vatro/methods.h"
#include "vatro/text.h"
#include "vatro/x11.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

namespace vatro {


namespace {

const Raised kObjectNotSet{hresultOf(0x800A005B), "Object variable or With block variable not set"};
const Raised kNoSuchProperty{hresultOf(0x800A01B6), "Object doesn't support this property or method"};
const Raised kTypeMismatch{hresultOf(0x800A000D), "Type mismatch"};
const Raised kOverflow{hresultOf(0x800A0006), "Overflow"};

HRESULT raise(const Raised &what, Raised *err)
{
    *err = what;
    return what.scode;
}

// Reads one property late-bound by name (a method of that name serves as
// well); a failure becomes the error a
// late-bound property read raises.
HRESULT readProperty(IDispatch *obj, const char *name, double *value, Raised *err)
{
    std::u16string wide = fromUtf8(name);
    LPOLESTR names[1] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(obj->GetIDsOfNames(IID_NULL, names, 1, 0x0409, &id)))
        return raise(kNoSuchProperty, err);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    EXCEPINFO ei{};
    UINT argErr = 0;
    // As Visual Basic reads a member late-bound: a property or a method.
    const HRESULT h =
        obj->Invoke(id, IID_NULL, 0x0409, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, &v, &ei, &argErr);
    if (FAILED(h)) {
        VariantClear(&v);
        if (h == DISP_E_EXCEPTION) {
            if (ei.pfnDeferredFillIn)
                ei.pfnDeferredFillIn(&ei);
            std::string text;
            if (ei.bstrDescription)
                toUtf8(ei.bstrDescription, SysStringLen(ei.bstrDescription), &text, false);
            *err = Raised{ei.scode ? ei.scode : E_FAIL, text.empty() ? "Automation error" : text};
            ClearExcepInfo(&ei);
            return err->scode;
        }
        ClearExcepInfo(&ei);
        if (h == DISP_E_MEMBERNOTFOUND || h == DISP_E_UNKNOWNNAME)
            return raise(kNoSuchProperty, err);
        return raise(Raised{h, "Automation error"}, err);
    }
    ClearExcepInfo(&ei);
    // As a conversion to Double: a string such as "0x10" is no number, a date is.
    const bool ok = SUCCEEDED(coerceToNumber(v, value));
    VariantClear(&v);
    return ok ? S_OK : raise(kTypeMismatch, err);
}

// Twips to pixels at 15 twips a pixel, halves rounded to even.
bool toPixels(double twips, long *out)
{
    const double px = std::nearbyint(twips / 15.0);
    if (!(px >= -2147483648.0 && px <= 2147483647.0))
        return false;
    *out = long(px);
    return true;
}

int ignoreErrors(x11::Display *, x11::XErrorEvent *)
{
    return 0;
}

std::mutex g_x11Lock; // the error handler is process-wide

} // namespace

HRESULT topMost(IDispatch *frm, bool above, Raised *err)
{
    if (!frm)
        return raise(kObjectNotSet, err);
    const char *names[] = {"hWnd", "Left", "Top", "Width", "Height"};
    double values[5];
    for (int i = 0; i < 5; ++i)
        if (HRESULT h = readProperty(frm, names[i], &values[i], err); FAILED(h))
            return h;
    long px[4];
    for (int i = 0; i < 4; ++i)
        if (!toPixels(values[i + 1], &px[i]))
            return raise(kOverflow, err);
    const double handle = values[0];
    if (!(handle >= -2147483648.0 && handle <= 4294967295.0))
        return raise(kOverflow, err);
    // A window handle is a 32-bit value; X11 window ids fit in it.
    const auto window = static_cast<unsigned long>(static_cast<std::uint32_t>(
        static_cast<std::int64_t>(handle)));
    placeWindow(window, int(px[0]), int(px[1]), int(px[2]), int(px[3]), above);
    return S_OK;
}

void placeWindow(unsigned long window, int x, int y, int width, int height, bool above)
{
    const x11::Api *X = x11::api();
    if (!X || window == 0)
        return;
    std::lock_guard<std::mutex> guard(g_x11Lock);
    x11::Display *dpy = X->XOpenDisplay(nullptr);
    if (!dpy)
        return;
    // A bad window id must not end the host: X errors are dropped here.
    const x11::ErrorHandler previous = X->XSetErrorHandler(ignoreErrors);

    // X11 has no empty windows; the smallest size is one pixel.
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    // A window manager places a window it sees for the first time by its
    // size hints, not by where the window was moved: the position and size
    // go there too, as the user's own, the other hints kept.
    {
        long hints[x11::SizeHintsCount] = {};
        x11::Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        if (X->XGetWindowProperty(dpy, window, x11::XA_WM_NORMAL_HINTS, 0, x11::SizeHintsCount, 0,
                                  x11::XA_WM_SIZE_HINTS, &type, &format, &count, &after, &data) == 0 &&
            data) {
            if (format == 32)
                std::memcpy(hints, data, sizeof(long) * std::min<unsigned long>(count, x11::SizeHintsCount));
            X->XFree(data);
        }
        hints[0] |= x11::USPosition | x11::USSize;
        hints[1] = x;
        hints[2] = y;
        hints[3] = width;
        hints[4] = height;
        X->XChangeProperty(dpy, window, x11::XA_WM_NORMAL_HINTS, x11::XA_WM_SIZE_HINTS, 32,
                           x11::PropModeReplace, reinterpret_cast<const unsigned char *>(hints),
                           x11::SizeHintsCount);
    }
    X->XMoveResizeWindow(dpy, window, x, y, unsigned(width), unsigned(height));
    X->XMapWindow(dpy, window);
    if (above)
        X->XRaiseWindow(dpy, window);

    const x11::Window root = X->XDefaultRootWindow(dpy);
    const x11::Atom state = X->XInternAtom(dpy, "_NET_WM_STATE", 0);
    const x11::Atom aboveAtom = X->XInternAtom(dpy, "_NET_WM_STATE_ABOVE", 0);

    // With a window manager running, it owns _NET_WM_STATE and is asked by a
    // message; without one, the window's property is set directly.
    bool managed = false;
    {
        x11::Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        const x11::Atom check = X->XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", 0);
        if (X->XGetWindowProperty(dpy, root, check, 0, 1, 0, x11::XA_WINDOW, &type, &format,
                                  &count, &after, &data) == 0 &&
            data) {
            managed = count == 1 && format == 32;
            X->XFree(data);
        }
    }

    if (managed) {
        x11::XEvent ev{};
        ev.xclient.type = x11::ClientMessage;
        ev.xclient.send_event = 1;
        ev.xclient.window = window;
        ev.xclient.message_type = state;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = above ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        ev.xclient.data.l[1] = long(aboveAtom);
        ev.xclient.data.l[3] = 1; // from a normal application
        X->XSendEvent(dpy, root, 0, x11::SubstructureRedirectMask | x11::SubstructureNotifyMask,
                      &ev);
    } else {
        std::vector<long> atoms;
        x11::Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        if (X->XGetWindowProperty(dpy, window, state, 0, 64, 0, x11::XA_ATOM, &type, &format,
                                  &count, &after, &data) == 0 &&
            data) {
            if (format == 32) {
                const long *list = reinterpret_cast<const long *>(data);
                for (unsigned long i = 0; i < count; ++i)
                    if (x11::Atom(list[i]) != aboveAtom)
                        atoms.push_back(list[i]);
            }
            X->XFree(data);
        }
        if (above)
            atoms.push_back(long(aboveAtom));
        X->XChangeProperty(dpy, window, state, x11::XA_ATOM, 32, x11::PropModeReplace,
                           reinterpret_cast<const unsigned char *>(atoms.data()), int(atoms.size()));
    }

    X->XSync(dpy, 0);
    X->XSetErrorHandler(previous);
    X->XCloseDisplay(dpy);
}

} // namespace vatro
