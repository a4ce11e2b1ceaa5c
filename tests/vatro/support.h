#pragma once
// Shared by the component library's tests: the library of this build loaded
// for real with dlopen, a Vatro object from its class factory, late-bound
// calls, and a private folder per run (made in support.cpp).

#include "vatro/host.h"
#include "vatro/text.h"
#include "vatro/vatro_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <csignal>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vt {
using namespace vatro;

extern std::string g_root; // the private folder; VATRO_REGISTRY points into it

template <class Fn>
Fn entry(const char *name)
{
    static void *const lib = ::dlopen(VATRO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    return lib ? reinterpret_cast<Fn>(::dlsym(lib, name)) : nullptr;
}

inline ComPtr<IDispatch> newVatro()
{
    ComPtr<IClassFactory> factory;
    ComPtr<IDispatch> obj;
    auto getClassObject = entry<DllGetClassObjectFn>("DllGetClassObject");
    if (getClassObject && SUCCEEDED(getClassObject(CLSID_Vatro, IID_IClassFactory, factory.out())))
        factory->CreateInstance(nullptr, IID_IDispatch, obj.out());
    return obj;
}

inline std::string utf8(BSTR s)
{
    std::string out;
    if (s)
        toUtf8(s, SysStringLen(s), &out, true, true);
    return out;
}

inline VARIANT typed(VARTYPE vt, void *value = nullptr)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    v.byref = value;
    return v;
}
inline VARIANT byVal(BSTR s) { return typed(VT_BSTR, s); }
inline VARIANT byRef(Bstr &s) { return typed(VT_BYREF | VT_BSTR, s.address()); }

// The outcome of one late-bound call.
struct Call {
    HRESULT hr = S_OK;
    Variant result;
    SCODE scode = 0;         // from EXCEPINFO on DISP_E_EXCEPTION
    std::string description; // idem
    UINT argErr = ~0u;
};

// Calls `id` with `args` in natural order (first argument first).
inline void invoke(IDispatch *obj, DISPID id, std::vector<VARIANT> args, Call *out, WORD flags = DISPATCH_METHOD)
{
    std::reverse(args.begin(), args.end());
    DISPPARAMS params{args.data(), nullptr, UINT(args.size()), 0};
    EXCEPINFO ei{};
    VariantClear(&out->result);
    out->hr = obj->Invoke(id, IID_NULL, 0, flags, &params, &out->result, &ei, &out->argErr);
    out->scode = ei.scode;
    out->description = utf8(ei.bstrDescription);
    ClearExcepInfo(&ei);
}

inline const char *nameOf(DISPID id)
{
    static const char *const names[] = {
        "FExists",   "DExists",     "DirExists",   "ColConv",       "ShortFileLocation", "ShortFile",
        "ShortPath", "Fendro",      "RemoveINIKey", "FileCreated",  "FileAccessed",      "FileModified",
        "ShortFolder", "FolderCreated", "GetSmallIcon", "GetBigIcon", "TopMost"};
    return names[id - DISPID_FExists];
}

// Calls a one-string method by name (in capitals: names match without regard
// to case), with the string by reference, after checking that the name gives
// the method's dispatch identifier.
inline void callText(IDispatch *obj, DISPID id, const std::string &text, Call *out)
{
    std::string name = nameOf(id);
    for (char &c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    DISPID named = 0;
    EXPECT_TRUE(dispIdOf(obj, name, &named) == S_OK && named == id) << name;
    Bstr s;
    *s.address() = allocBstr(text, true); // a file name's bytes as the editor sends them
    invoke(obj, named, {byRef(s)}, out);
}

// A host form: hWnd, Left, Top, Width and Height (twips as Single) read
// late-bound, the first also as its default value; or each the one `value`;
// or, with `self`, a reference to the form itself. One of them may be
// missing, and they may be methods (which a property-get alone does not
// reach). It lives on the test's stack.
class Form final : public IDispatch {
public:
    explicit Form(std::array<double, 5> values = {}, int missing = -1, bool methods = false)
        : values(values), missing(missing), methods(methods) {}
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
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *, VARIANT *r, EXCEPINFO *, UINT *) override
    {
        if (methods && !(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        *r = self ? typed(VT_BYREF | VT_DISPATCH, &me) : value;
        if (r->vt == VT_BSTR)
            r->bstrVal = SysAllocStringLen(value.bstrVal, SysStringLen(value.bstrVal));
        else if (r->vt == VT_EMPTY)
            r->vt = VT_R4, r->fltVal = float(values.at(id));
        return S_OK;
    }
    std::array<double, 5> values{};
    int missing = -1;
    bool methods = false;
    VARIANT value = typed(VT_EMPTY);
    bool self = false;
    IDispatch *me = this;
    ULONG refs = 1;
};

inline std::string makeTemp(const std::string &name)
{
    std::filesystem::create_directories(g_root + "/" + name);
    return g_root + "/" + name;
}
inline void writeFile(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}
inline std::string readText(const std::string &path)
{
    std::stringstream ss;
    ss << std::ifstream(path, std::ios::binary).rdbuf();
    return ss.str();
}

inline void setEnv(const char *name, const std::string &value)
{
    ::setenv(name, value.c_str(), 1);
    ::tzset();
}

// Runs `fn` in a child process and gives its exit code; -1 when it was
// killed or had not ended after `seconds` (it is then killed).
inline int inChild(const std::function<int()> &fn, int seconds = 20)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(fn());
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++waited) {
        if (waited == seconds * 100) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        ::usleep(10000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Turns a process running as root into the user nobody; false otherwise.
inline bool becomeNobody()
{
    return ::getuid() == 0 && ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

} // namespace vt
