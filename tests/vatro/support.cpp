#include "support.h"

#include "vatro/text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vt {

namespace {
std::string g_root;
}

const std::string &root()
{
    return g_root;
}

void *dlsymOf(const char *name)
{
    static void *lib = [] {
        void *h = ::dlopen(VATRO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!h)
            std::fprintf(stderr, "cannot load %s: %s\n", VATRO_LIBRARY_PATH, ::dlerror());
        return h;
    }();
    return lib ? ::dlsym(lib, name) : nullptr;
}

vatro::ComPtr<IDispatch> newVatro()
{
    auto getClassObject = entry<DllGetClassObjectFn>("DllGetClassObject");
    vatro::ComPtr<IDispatch> obj;
    vatro::ComPtr<IClassFactory> factory;
    if (getClassObject && SUCCEEDED(getClassObject(vatro::CLSID_Vatro, IID_IClassFactory, factory.out())))
        factory->CreateInstance(nullptr, IID_IDispatch, obj.out());
    return obj;
}

void invoke(IDispatch *obj, DISPID id, const std::vector<VARIANT> &args, Call *out, WORD flags)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    EXCEPINFO ei{};
    VariantClear(&out->result);
    out->hr = obj->Invoke(id, IID_NULL, 0, flags, &params, &out->result, &ei, &out->argErr);
    out->scode = ei.scode;
    out->description = utf8(ei.bstrDescription);
    ClearExcepInfo(&ei);
}

const char *nameOf(DISPID id)
{
    static const char *const names[] = {
        "FExists",     "DExists",      "DirExists",    "ColConv",     "ShortFileLocation", "ShortFile",
        "ShortPath",   "Fendro",       "RemoveINIKey", "FileCreated", "FileAccessed",      "FileModified",
        "ShortFolder", "FolderCreated", "GetSmallIcon", "GetBigIcon", "TopMost"};
    const DISPID i = id - 0x60030002;
    return i >= 0 && i < 17 ? names[i] : "";
}

void callText(IDispatch *obj, DISPID id, const std::string &text, Call *out)
{
    vatro::Bstr s(text);
    invoke(obj, id, {byRef(s)}, out);
    std::string name = nameOf(id); // in capitals: names match without regard to case
    for (char &c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    DISPID named = 0;
    ASSERT_EQ(vatro::dispIdOf(obj, name, &named), S_OK) << name;
    Call again;
    invoke(obj, named, {byRef(s)}, &again);
    const VARIANT &a = out->result, &b = again.result;
    const bool sameValue = a.vt == VT_BSTR ? utf8(a.bstrVal) == utf8(b.bstrVal)
                           : a.vt == VT_DISPATCH ? !a.pdispVal == !b.pdispVal
                           : a.vt == VT_DATE ? true // a time read twice may differ (the access time)
                                             : a.llVal == b.llVal;
    EXPECT_TRUE(again.hr == out->hr && again.scode == out->scode && a.vt == b.vt && sameValue)
        << name << "(" << text << ") by name";
}

VARIANT typed(VARTYPE vt)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

VARIANT byVal(BSTR s)
{
    VARIANT v = typed(VT_BSTR);
    v.bstrVal = s;
    return v;
}

VARIANT byRef(vatro::Bstr &s)
{
    VARIANT v = typed(VT_BYREF | VT_BSTR);
    v.pbstrVal = s.address();
    return v;
}

std::string utf8(BSTR s)
{
    std::string out;
    if (s)
        vatro::toUtf8(s, SysStringLen(s), &out);
    return out;
}

std::string makeTemp(const std::string &name)
{
    const std::string dir = g_root + "/" + name;
    std::filesystem::create_directories(dir);
    return dir;
}

void writeFile(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

ScopedEnv::ScopedEnv(const char *name, std::optional<std::string> value) : name_(name)
{
    if (const char *old = std::getenv(name))
        saved_ = old;
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    ::tzset();
}

ScopedEnv::~ScopedEnv()
{
    saved_ ? ::setenv(name_, saved_->c_str(), 1) : ::unsetenv(name_);
    ::tzset();
}

} // namespace vt

int main(int argc, char **argv)
{
    char pattern[] = "/tmp/vatro-test-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 2;
    }
    vt::g_root = pattern;
    ::setenv("VATRO_REGISTRY", (vt::g_root + "/registry.ini").c_str(), 1);
    ::setenv("HOME", (vt::g_root + "/home").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (vt::g_root + "/data").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (vt::g_root + "/nowhere").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(vt::g_root, ec);
    return rc;
}
