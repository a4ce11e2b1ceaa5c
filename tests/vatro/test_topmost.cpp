// TopMost against a real X window on a private Xvfb server: the window is
// moved, sized and shown at the form's twips / 15 (halves to even), and its
// "above" state follows TopTF; a form without one of the properties fails
// and leaves the window where it was.

#include "support.h"

#include "vatro/x11.h"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vt;
namespace X = vatro::x11;

namespace {

// A host form: the five properties (twips as Single), read late-bound; one
// of them may be missing.
class Form final : public IDispatch {
public:
    Form(std::array<double, 5> values, int missing = -1) : values_(values), missing_(missing) {}
    HRESULT QueryInterface(REFIID, void **ppv) override { return *ppv = nullptr, E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override { return --refs_; } // lives on the test's stack
    HRESULT GetTypeInfoCount(UINT *n) override { return *n = 0, S_OK; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR *names, UINT, LCID, DISPID *ids) override
    {
        static const char *const props[] = {"hWnd", "Left", "Top", "Width", "Height"};
        const std::size_t n = std::char_traits<char16_t>::length(names[0]);
        for (*ids = 0; *ids < 5; ++*ids)
            if (*ids != missing_ && equalsNoCase(names[0], n, props[*ids]))
                return S_OK;
        return *ids = DISPID_UNKNOWN, DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *r, EXCEPINFO *, UINT *) override
    {
        r->vt = VT_R4;
        r->fltVal = float(values_.at(id));
        return S_OK;
    }
    ULONG refs_ = 1;

private:
    std::array<double, 5> values_;
    int missing_;
};

// Calls TopMost, by name.
void callTopMost(Form &form, VARIANT_BOOL topTF, Call *call)
{
    VARIANT frm = typed(VT_DISPATCH), top = typed(VT_BOOL);
    frm.pdispVal = &form;
    top.boolVal = topTF;
    const auto obj = newVatro();
    DISPID id = 0;
    ASSERT_EQ(dispIdOf(obj.get(), "topMost", &id), S_OK);
    invoke(obj.get(), id, {frm, top}, call);
}

// A private Xvfb server on a display number of its own choosing.
struct XServer {
    pid_t pid = -1;
    std::string display;
    XServer()
    {
        int fds[2];
        if (::pipe(fds) != 0 || (pid = ::fork()) < 0)
            return;
        if (pid == 0) {
            ::dup2(::open("/dev/null", O_WRONLY), 2);
            ::execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-nolisten", "tcp", "-screen",
                     "0", "800x600x24", static_cast<char *>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        pollfd p{fds[0], POLLIN, 0};
        char c;
        while (::poll(&p, 1, 15000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            display += c;
        ::close(fds[0]);
        if (!display.empty())
            display.insert(0, ":");
    }
    ~XServer()
    {
        if (pid > 0 && !::kill(pid, SIGTERM))
            ::waitpid(pid, nullptr, 0);
    }
};

TEST(TopMost, PlacesARealWindow)
{
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
    const X::Atom state = x->XInternAtom(dpy, "_NET_WM_STATE", 0);
    const X::Atom aboveAtom = x->XInternAtom(dpy, "_NET_WM_STATE_ABOVE", 0);
    auto isAbove = [&] {
        X::Atom type;
        int format;
        unsigned long count = 0, after;
        unsigned char *data = nullptr;
        bool found = false;
        if (x->XGetWindowProperty(dpy, win, state, 0, 64, 0, X::XA_ATOM, &type, &format, &count, &after, &data) == 0 &&
            data) {
            for (unsigned long i = 0; i < count; ++i)
                found = found || X::Atom(reinterpret_cast<long *>(data)[i]) == aboveAtom;
            x->XFree(data);
        }
        return found;
    };

    const double h = double(win);
    const struct {
        const char *name;
        std::array<double, 5> form; // hWnd, Left, Top, Width, Height
        int missing;                // the property the form lacks, if any
        VARIANT_BOOL topTF;
        SCODE error; // 0: succeeds
        int x, y, w, h; // where the window ends up
        bool above;
    } cases[] = {
        {"above, halves to even", {h, 1507.5, 1522.5, 3000, 2257.5}, -1, VARIANT_TRUE, 0, 100, 102, 200, 150, true},
        {"TopTF 1 is not true", {h, 150, 300, 1500, 1500}, -1, 1, 0, 10, 20, 100, 100, false},
        {"above again", {h, 0, 0, 600, 600}, -1, VARIANT_TRUE, 0, 0, 0, 40, 40, true},
        {"no Height: untouched", {h, 900, 900, 900, 900}, 4, VARIANT_FALSE, hresultOf(0x800A01B6), 0, 0, 40, 40, true},
        {"no hWnd: untouched", {h, 900, 900, 900, 900}, 0, VARIANT_FALSE, hresultOf(0x800A01B6), 0, 0, 40, 40, true},
        {"a window that is not there", {12345, 0, 0, 15, 15}, -1, VARIANT_FALSE, 0, 0, 0, 40, 40, true},
        {"off the scale", {h, 1e12, 0, 15, 15}, -1, VARIANT_FALSE, hresultOf(0x800A0006), 0, 0, 40, 40, true},
    };
    for (const auto &c : cases) {
        Form form(c.form, c.missing);
        Call call;
        callTopMost(form, c.topTF, &call);
        EXPECT_EQ(call.hr, c.error ? DISP_E_EXCEPTION : S_OK) << c.name;
        EXPECT_EQ(call.scode, c.error) << c.name;
        EXPECT_EQ(call.result.vt, VT_EMPTY) << c.name;
        EXPECT_EQ(form.refs_, 1u) << c.name; // every reference given back
        X::Window root;
        int gx, gy;
        unsigned gw, gh, border, depth;
        ASSERT_TRUE(getGeometry(dpy, win, &root, &gx, &gy, &gw, &gh, &border, &depth));
        EXPECT_EQ(std::vector<int>({gx, gy, int(gw), int(gh)}), std::vector<int>({c.x, c.y, c.w, c.h})) << c.name;
        EXPECT_EQ(isAbove(), c.above) << c.name;
    }
    x->XCloseDisplay(dpy);
}

TEST(TopMost, WithoutADisplayDoesNothing)
{
    setEnv("DISPLAY", ":9999"); // no server there
    Form form({1, 0, 0, 15, 15});
    Call call;
    callTopMost(form, VARIANT_TRUE, &call);
    EXPECT_EQ(call.hr, S_OK);
}

} // namespace
