// Registration in a private class registry, creation through the host by
// CLSID and ProgID, unregistration, the registration tool, and when the
// library may be unloaded.

#include "support.h"

#include "vatro/ini.h"
#include "vatro/registry.h"

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using namespace vatro;

namespace {

class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry = vt::makeTemp("reg") + "/" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/registry.ini";
        std::filesystem::remove(registry);
        ::setenv("VATRO_REGISTRY", registry.c_str(), 1);
    }
    HRESULT create(const std::string &how, std::string *error)
    {
        ComPtr<IDispatch> obj;
        HRESULT h = how == "CLSID" ? createInstance(CLSID_Vatro, IID_IDispatch, obj.out(), error)
                                   : createInstance(how, IID_IDispatch, obj.out(), error);
        if (SUCCEEDED(h)) {
            Variant result;
            Bstr name("Teal");
            VARIANT arg;
            VariantInit(&arg);
            arg.vt = VT_BSTR;
            arg.bstrVal = name.get();
            h = vatro::invoke(obj.get(), "ColConv", DISPATCH_METHOD, {arg}, &result, error);
            EXPECT_EQ(result.lVal, 8421376);
        }
        return h;
    }
    // Runs the registration tool; its exit code.
    int tool(const std::string &args)
    {
        const std::string cmd = std::string(VATROREG_PATH) + " " + args + " >/dev/null 2>&1";
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string registry;
};

TEST_F(Registration, RoundTrip)
{
    const std::string other = "[CLSID\\{11111111-2222-3333-4444-555555555555}]\r\nInprocServer32=/x.so\r\n";
    std::filesystem::create_directories(std::filesystem::path(registry).parent_path());
    vt::writeFile(registry, other);

    std::string error;
    EXPECT_EQ(create("CLSID", &error), REGDB_E_CLASSNOTREG);
    EXPECT_NE(error.find("not registered"), std::string::npos) << error;

    auto reg = vt::entry<DllRegisterServerFn>("DllRegisterServer");
    auto unreg = vt::entry<DllUnregisterServerFn>("DllUnregisterServer");
    ASSERT_TRUE(reg && unreg);
    ASSERT_EQ(reg(), S_OK);
    ASSERT_EQ(reg(), S_OK); // twice is the same as once
    const IniText ini(vt::readText(registry));
    EXPECT_EQ(ini.value("ProgID\\VatroOCX.Vatro", "CLSID"), "{4C7BC103-7DA9-11D3-B327-000021C5C8A9}");
    EXPECT_EQ(ini.value("TypeLib\\{4C7BC101-7DA9-11D3-B327-000021C5C8A9}", "HelpString"), "Vatro OCX");
    EXPECT_EQ(ini.value("TypeLib\\{4C7BC101-7DA9-11D3-B327-000021C5C8A9}", "Version"), "1.0");
    EXPECT_EQ(ini.value("CLSID\\{4c7bc103-7da9-11d3-b327-000021c5c8a9}", "InprocServer32"),
              std::filesystem::canonical(VATRO_LIBRARY_PATH).string());
    EXPECT_EQ(ini.value("CLSID\\{4C7BC103-7DA9-11D3-B327-000021C5C8A9}", "MiscStatus"), "132497");

    for (const char *how : {"CLSID", "VatroOCX.Vatro", "vatroocx.vatro"})
        EXPECT_EQ(create(how, &error), S_OK) << how << ": " << error;
    EXPECT_EQ(create("VatroOCX.Other", &error), CO_E_CLASSSTRING);

    ASSERT_EQ(unreg(), S_OK);
    EXPECT_EQ(vt::readText(registry), other); // exactly our entries are gone
    EXPECT_EQ(create("CLSID", &error), REGDB_E_CLASSNOTREG);
    EXPECT_NE(error.find("{4C7BC103-7DA9-11D3-B327-000021C5C8A9}"), std::string::npos) << error;
    EXPECT_EQ(create("VatroOCX.Vatro", &error), CO_E_CLASSSTRING);
    EXPECT_NE(error.find("VatroOCX.Vatro"), std::string::npos) << error;
}

TEST_F(Registration, ToolRegistersAndUnregisters)
{
    const std::string lib = VATRO_LIBRARY_PATH;
    std::string error;
    const struct {
        std::string args;
        int exitCode;
        bool registered;
    } steps[] = {
        {"", 2, false},
        {"-x " + lib, 2, false},
        {registry + ".none.so", 3, false},
        {lib, 0, true},
        {"-u " + lib, 0, false},
        {"-u " + lib, 0, false},
    };
    for (const auto &s : steps) {
        EXPECT_EQ(tool(s.args), s.exitCode) << s.args;
        EXPECT_EQ(SUCCEEDED(create("CLSID", &error)), s.registered) << s.args;
    }
}

TEST_F(Registration, UnreadableRegistryIsNotOverwritten)
{
    // A folder where the registry file should be cannot be read as one.
    std::filesystem::create_directories(registry);
    EXPECT_EQ(vt::entry<DllRegisterServerFn>("DllRegisterServer")(), SELFREG_E_CLASS);
    EXPECT_TRUE(std::filesystem::is_directory(registry));
}

TEST(Unloading, OnlyWithoutObjectsOrLocks)
{
    auto canUnload = vt::entry<DllCanUnloadNowFn>("DllCanUnloadNow");
    auto getClassObject = vt::entry<DllGetClassObjectFn>("DllGetClassObject");
    ASSERT_TRUE(canUnload && getClassObject);
    ASSERT_EQ(canUnload(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(CLSID_Vatro, IID_IClassFactory, factory.out()), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    ComPtr<IDispatch> obj;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, obj.out()), S_OK);
    factory->LockServer(1);
    factory.reset();
    EXPECT_EQ(canUnload(), S_FALSE); // object and lock
    obj.reset();
    EXPECT_EQ(canUnload(), S_FALSE); // the lock alone
    ASSERT_EQ(getClassObject(CLSID_Vatro, IID_IClassFactory, factory.out()), S_OK);
    factory->LockServer(0);
    factory.reset();
    EXPECT_EQ(canUnload(), S_OK);

    // Other classes, interfaces and aggregation are refused.
    void *p = nullptr;
    EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(getClassObject(CLSID_Vatro, IID_IDispatch, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    ASSERT_EQ(getClassObject(CLSID_Vatro, IID_IClassFactory, factory.out()), S_OK);
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown *>(factory.get()), IID_IDispatch, &p),
              CLASS_E_NOAGGREGATION);
    factory.reset();
    EXPECT_EQ(canUnload(), S_OK);
}

} // namespace
