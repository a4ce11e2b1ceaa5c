// TopMost against a real X window on a private Xvfb server: the window is
// moved, sized and shown at the form's twips / 15 (halves to even), and its
// "above" state follows TopTF; a form without one of the properties fails
// and leaves the window where it was.

#include "support.h"

#include "vatro/x11.h"

#include <array>
#include <csignal>
#include <cstdio>

using namespace vt;
namespace X = vatro::x11;

namespace {

// A host form: the five properties (twips as Single), read late-bound; one
// of them may be missing. It lives on the test's stack.
class Form final : public IDispatch {
public:
    Form(std::array<double, 5> values, int missing = -1) : values(values), missing(missing) {}
    HRESULT QueryInterface(REFIID, void **ppv) override { return *ppv = nullptr, E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    HRESULT GetTypeInfoCount(UINT *n) override { return *n = 0, S_OK; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR *names, UINT, LCID, DISPID *ids) override
    {
        static const char *const props[] = {"hWnd", "Left", "Top", "Width", "Height"};
        const std::size_t n = std::char_traits<char16_t>::length(names[0]);
        for (*ids = 0; *ids < 5 && (*ids == missing || !equalsNoCase(names[0], n, props[*ids]));)
            ++*ids;
        return *ids < 5 ? S_OK : (*ids = DISPID_UNKNOWN, DISP_E_UNKNOWNNAME);
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *r, EXCEPINFO *, UINT *) override
    {
        return r->vt = VT_R4, r->fltVal = float(values.at(id)), S_OK;
    }
    std::array<double, 5> values;
    int missing;
    ULONG refs = 1;
};

// Calls TopMost, by name.
void callTopMost(Form &form, VARIANT_BOOL topTF, Call *call)
{
    VARIANT frm = typed(VT_DISPATCH, static_cast<IDispatch *>(&form)), top = typed(VT_BOOL);
    top.boolVal = topTF;
    const auto obj = newVatro();
    DISPID id = 0;
    ASSERT_EQ(dispIdOf(obj.get(), "topMost", &id), S_OK);
    invoke(obj.get(), id, {frm, top}, call);
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
    callTopMost(lone, VARIANT_TRUE, &call);
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

    const double h = double(win);
    const SCODE kNoProperty = hresultOf(0x800A01B6), kOverflow = hresultOf(0x800A0006);
    const struct {
        const char *name;
        std::array<double, 5> form; // hWnd, Left, Top, Width, Height
        int missing;                // the property the form lacks, if any
        VARIANT_BOOL topTF;
        SCODE error;                 // 0: succeeds
        std::array<long, 5> placed; // where the window ends up, and above
    } cases[] = {
        {"above, halves to even", {h, 1507.5, 1522.5, 3000, 2257.5}, -1, VARIANT_TRUE, 0, {100, 102, 200, 150, 1}},
        {"TopTF 1 is not true", {h, 150, 300, 1500, 1500}, -1, 1, 0, {10, 20, 100, 100, 0}},
        {"no Height: untouched", {h, 900, 900, 900, 900}, 4, VARIANT_TRUE, kNoProperty, {10, 20, 100, 100, 0}},
        {"a window that is not there", {12345, 0, 0, 15, 15}, -1, VARIANT_TRUE, 0, {10, 20, 100, 100, 0}},
        {"off the scale", {h, 1e12, 0, 15, 15}, -1, VARIANT_TRUE, kOverflow, {10, 20, 100, 100, 0}},
    };
    for (const auto &c : cases) {
        Form form(c.form, c.missing);
        callTopMost(form, c.topTF, &call);
        EXPECT_EQ(call.hr, c.error ? DISP_E_EXCEPTION : S_OK) << c.name;
        // Nothing returned, every reference given back.
        EXPECT_TRUE(call.scode == c.error && call.result.vt == VT_EMPTY && form.refs == 1) << c.name;
        EXPECT_EQ(placed(), c.placed) << c.name;
    }
    x->XCloseDisplay(dpy);
}

} // namespace
