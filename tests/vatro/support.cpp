#include "support.h"

#include "vatro/text.h"

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

void *library()
{
    static void *lib = [] {
        void *h = ::dlopen(VATRO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!h)
            std::fprintf(stderr, "cannot load %s: %s\n", VATRO_LIBRARY_PATH, ::dlerror());
        return h;
    }();
    return lib;
}

void *dlsymOf(const char *name)
{
    return library() ? ::dlsym(library(), name) : nullptr;
}

vatro::ComPtr<IDispatch> newVatro()
{
    auto getClassObject = entry<DllGetClassObjectFn>("DllGetClassObject");
    vatro::ComPtr<IDispatch> obj;
    if (!getClassObject)
        return obj;
    vatro::ComPtr<IClassFactory> factory;
    if (FAILED(getClassObject(vatro::CLSID_Vatro, IID_IClassFactory, factory.out())))
        return obj;
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

void callText(IDispatch *obj, DISPID id, const std::string &text, Call *out)
{
    vatro::Bstr s(text);
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BYREF | VT_BSTR;
    arg.pbstrVal = s.address();
    invoke(obj, id, {arg}, out);
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
