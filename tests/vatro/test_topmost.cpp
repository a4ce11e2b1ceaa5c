// TopMost against a real X window on a private Xvfb server: the window is
// moved, sized and shown at the form's twips / 15 (halves to even), and its
// "above" state follows TopTF; a form without one of the properties fails
// and leaves the window where it was.

#include "support.h"

#include "vatro/x11.h"

#include <csignal>
#include <cstdio>

using namespace vt;
namespace X = vatro::x11;

namespace {

// Calls TopMost by name, its parameters' names looked up too.
void callTopMost(Form &form, VARIANT topTF, Call *call)
{
    const auto obj = newVatro();
    DISPID ids[3] = {};
    std::vector<const char16_t *> names = {u"topMost", u"toptf", u"FRM"};
    ASSERT_EQ(obj->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR *>(names.data()), 3, 0, ids), S_OK);
    EXPECT_TRUE(ids[1] == 1 && ids[2] == 0);
    invoke(obj.get(), ids[0], {typed(VT_DISPATCH, static_cast<IDispatch *>(&form)), topTF}, call);
}

VARIANT boolean(VARIANT_BOOL b)
{
    VARIANT v = typed(VT_BOOL);
    v.boolVal = b;
    return v;
}

// A private Xvfb server on a display number of its own choosing (the shell
// gives its process id, then becomes the server); no display when it cannot
// be started.
struct XServer {
    FILE *out = ::popen("echo $$; exec Xvfb -displayfd 1 -nolisten tcp -screen 0 800x600x24 2>/dev/null", "r");
    int pid = 0, number = -1;
    std::string display = out && std::fscanf(out, "%d %d", &pid, &number) == 2 ? ":" + std::to_string(number) : "";
    ~XServer()
    {
        if (pid > 0)
            ::kill(pid, SIGTERM);
        if (out)
            ::pclose(out);
    }
};

TEST(TopMost, PlacesARealWindow)
{
    setEnv("DISPLAY", ":9999"); // no server there: nothing is done
    Form lone({1, 0, 0, 15, 15});
    Call call;
    callTopMost(lone, boolean(VARIANT_TRUE), &call);
    EXPECT_EQ(call.hr, S_OK);

    XServer server;
    if (server.display.empty())
        GTEST_SKIP() << "TopMost needs an X server, and Xvfb could not be started (is it installed?)";
    setEnv("DISPLAY", server.display);

    const X::Api *x = X::api();
    ASSERT_NE(x, nullptr) << "libX11 cannot be loaded";
    void *lib = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    auto createWindow = reinterpret_cast<X::Window (*)(X::Display *, X::Window, int, int, unsigned, unsigned,
                                                       unsigned, unsigned long, unsigned long)>(
        ::dlsym(lib, "XCreateSimpleWindow"));
    auto getGeometry = reinterpret_cast<int (*)(X::Display *, X::Window, X::Window *, int *, int *, unsigned *,
                                                unsigned *, unsigned *, unsigned *)>(::dlsym(lib, "XGetGeometry"));
    ASSERT_TRUE(createWindow && getGeometry);
    X::Display *dpy = x->XOpenDisplay(server.display.c_str());
    ASSERT_NE(dpy, nullptr);
    const X::Window win = createWindow(dpy, x->XDefaultRootWindow(dpy), 5, 6, 50, 40, 0, 0, 0);
    x->XSync(dpy, 0);
    // Where the window is (x, y, width, height) and whether it is above the others.
    auto placed = [&, state = x->XInternAtom(dpy, "_NET_WM_STATE", 0),
                   above = long(x->XInternAtom(dpy, "_NET_WM_STATE_ABOVE", 0))] {
        int gx = 0, gy = 0, format;
        unsigned gw = 0, gh = 0, border, depth;
        unsigned long root, type, count = 0, after; // a window, an atom
        unsigned char *data = nullptr;
        getGeometry(dpy, win, &root, &gx, &gy, &gw, &gh, &border, &depth);
        x->XGetWindowProperty(dpy, win, state, 0, 64, 0, X::XA_ATOM, &type, &format, &count, &after, &data);
        const long *atoms = reinterpret_cast<long *>(data);
        const bool found = data && std::find(atoms, atoms + count, above) != atoms + count;
        x->XFree(data); // free() underneath: nothing read is fine too
        return std::array<long, 5>{gx, gy, long(gw), long(gh), found};
    };

    // Size hints the window had: a minimum size, which stays.
    long minimum[X::SizeHintsCount] = {16, 0, 0, 0, 0, 30, 20};
    x->XChangeProperty(dpy, win, X::XA_WM_NORMAL_HINTS, X::XA_WM_SIZE_HINTS, 32, X::PropModeReplace,
                       reinterpret_cast<unsigned char *>(minimum), X::SizeHintsCount);

    const double h = double(win);
    const SCODE kNoProperty = hresultOf(0x800A01B6), kOverflow = hresultOf(0x800A0006);
    VARIANT one = typed(VT_R8), empty = typed(VT_EMPTY);
    one.dblVal = 1;
    Bstr trueText("True"), maybe("maybe");
    const struct {
        const char *name;
        std::array<double, 5> form; // hWnd, Left, Top, Width, Height
        int missing;                // the property the form lacks, if any
        VARIANT topTF;
        SCODE error;                 // 0: succeeds
        std::array<long, 5> placed; // where the window ends up, and above
        bool methods = false;
    } cases[] = {
        {"above, halves to even", {h, 1507.5, 1522.5, 3000, 2257.5}, -1, boolean(VARIANT_TRUE), 0, {100, 102, 200, 150, 1}},
        {"TopTF 1 is not true", {h, 150, 300, 1500, 1500}, -1, boolean(1), 0, {10, 20, 100, 100, 0}},
        {"no Height: untouched", {h, 900, 900, 900, 900}, 4, boolean(VARIANT_TRUE), kNoProperty, {10, 20, 100, 100, 0}},
        {"a window that is not there", {12345, 0, 0, 15, 15}, -1, boolean(VARIANT_TRUE), 0, {10, 20, 100, 100, 0}},
        {"off the scale", {h, 1e12, 0, 15, 15}, -1, boolean(VARIANT_TRUE), kOverflow, {10, 20, 100, 100, 0}},
        {"TopTF the Double 1", {h, 300, 300, 1500, 1500}, -1, one, 0, {20, 20, 100, 100, 1}},
        {"TopTF Empty", {h, 450, 300, 1500, 1500}, -1, empty, 0, {30, 20, 100, 100, 0}},
        {"TopTF \"True\"", {h, 600, 300, 1500, 1500}, -1, byVal(trueText.get()), 0, {40, 20, 100, 100, 1}},
        {"TopTF \"maybe\"", {h, 900, 900, 900, 900}, -1, byVal(maybe.get()), DISP_E_TYPEMISMATCH, {40, 20, 100, 100, 1}},
        {"members that are methods", {h, 900, 300, 1500, 1500}, -1, boolean(VARIANT_TRUE), 0, {60, 20, 100, 100, 1}, true},
    };
    for (const auto &c : cases) {
        Form form(c.form, c.missing, c.methods);
        callTopMost(form, c.topTF, &call);
        const bool mismatch = c.error == DISP_E_TYPEMISMATCH;
        EXPECT_EQ(call.hr, !c.error ? S_OK : mismatch ? DISP_E_TYPEMISMATCH : DISP_E_EXCEPTION) << c.name;
        EXPECT_TRUE(!mismatch || call.argErr == 0) << c.name; // TopTF, last, is rgvarg[0]
        // Nothing returned, every reference given back.
        EXPECT_TRUE(call.scode == (mismatch ? 0 : c.error) && call.result.vt == VT_EMPTY && form.refs == 1) << c.name;
        EXPECT_EQ(placed(), c.placed) << c.name;
    }
    // The place is also in the size hints, as the user's, for a window
    // manager that has not seen the window yet; the minimum size stays.
    unsigned long type = 0, count = 0, after = 0;
    int format = 0;
    unsigned char *data = nullptr;
    x->XGetWindowProperty(dpy, win, X::XA_WM_NORMAL_HINTS, 0, X::SizeHintsCount, 0, X::XA_WM_SIZE_HINTS, &type,
                          &format, &count, &after, &data);
    ASSERT_TRUE(data && count == X::SizeHintsCount);
    const long *hints = reinterpret_cast<long *>(data);
    EXPECT_EQ(std::vector<long>(hints, hints + 7),
              (std::vector<long>{16 | X::USPosition | X::USSize, 60, 20, 100, 100, 30, 20}));
    x->XFree(data);
    x->XCloseDisplay(dpy);
}

} // namespace
