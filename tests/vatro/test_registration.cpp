// Registration in a private class registry, creation through the host by
// CLSID and ProgID, unregistration, the registration tool, and when the
// library may be unloaded.

#include "support.h"

#include "vatro/ini.h"

#include <sys/wait.h>

using namespace vt;

namespace {

class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry = makeTemp(std::string("reg/") + ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "/registry.ini";
        ::setenv("VATRO_REGISTRY", registry.c_str(), 1);
    }
    // Creates the control by CLSID or ProgID and calls it.
    HRESULT create(const std::string &how)
    {
        ComPtr<IDispatch> obj;
        HRESULT h = how == "CLSID" ? createInstance(CLSID_Vatro, IID_IDispatch, obj.out(), &error)
                                   : createInstance(how, IID_IDispatch, obj.out(), &error);
        Variant result;
        Bstr name("Teal");
        if (SUCCEEDED(h))
            h = vatro::invoke(obj.get(), "ColConv", DISPATCH_METHOD, {byVal(name.get())}, &result, &error);
        EXPECT_TRUE(FAILED(h) || result.lVal == 8421376);
        return h;
    }
    std::string registry, error;
};

TEST_F(Registration, RoundTrip)
{
    const std::string other = "[CLSID\\{11111111-2222-3333-4444-555555555555}]\r\nInprocServer32=/x.so\r\n";
    writeFile(registry, other);
    EXPECT_EQ(create("CLSID"), REGDB_E_CLASSNOTREG);

    auto reg = entry<DllRegisterServerFn>("DllRegisterServer");
    auto unreg = entry<DllUnregisterServerFn>("DllUnregisterServer");
    ASSERT_TRUE(reg && unreg);
    ASSERT_EQ(reg(), S_OK);
    ASSERT_EQ(reg(), S_OK); // twice is the same as once
    const IniText ini(readText(registry));
    EXPECT_EQ(ini.value("ProgID\\VatroOCX.Vatro", "CLSID"), "{4C7BC103-7DA9-11D3-B327-000021C5C8A9}");
    EXPECT_EQ(ini.value("TypeLib\\{4C7BC101-7DA9-11D3-B327-000021C5C8A9}", "Version"), "1.0");
    EXPECT_EQ(ini.value("CLSID\\{4c7bc103-7da9-11d3-b327-000021c5c8a9}", "InprocServer32"),
              std::filesystem::canonical(VATRO_LIBRARY_PATH).string());
    for (const char *how : {"CLSID", "VatroOCX.Vatro", "vatroocx.vatro"})
        EXPECT_EQ(create(how), S_OK) << how << ": " << error;
    EXPECT_EQ(create("VatroOCX.Other"), CO_E_CLASSSTRING);

    ASSERT_EQ(unreg(), S_OK);
    EXPECT_EQ(readText(registry), other); // exactly our entries are gone
    EXPECT_EQ(create("CLSID"), REGDB_E_CLASSNOTREG);
    EXPECT_NE(error.find("{4C7BC103-7DA9-11D3-B327-000021C5C8A9} is not registered"), std::string::npos) << error;
    EXPECT_EQ(create("VatroOCX.Vatro"), CO_E_CLASSSTRING);
    EXPECT_NE(error.find("VatroOCX.Vatro"), std::string::npos) << error;

    // A registry that cannot be read as a file is not overwritten.
    std::filesystem::remove(registry);
    std::filesystem::create_directories(registry);
    EXPECT_EQ(reg(), SELFREG_E_CLASS);
    EXPECT_TRUE(std::filesystem::is_directory(registry));
}

TEST_F(Registration, Tool)
{
    const std::string lib = VATRO_LIBRARY_PATH;
    const struct {
        std::string args;
        int exitCode;
        bool registered;
    } steps[] = {{"", 2, false}, {registry + ".none.so", 3, false}, {lib, 0, true}, {"-u " + lib, 0, false}};
    for (const auto &s : steps) {
        const int status = std::system((std::string(VATROREG_PATH) + " " + s.args + " >/dev/null 2>&1").c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, s.exitCode) << s.args;
        EXPECT_EQ(SUCCEEDED(create("CLSID")), s.registered) << s.args;
    }
}

TEST(Unloading, OnlyWithoutObjectsOrLocks)
{
    auto canUnload = entry<DllCanUnloadNowFn>("DllCanUnloadNow");
    auto getClassObject = entry<DllGetClassObjectFn>("DllGetClassObject");
    ASSERT_TRUE(canUnload && getClassObject);
    ASSERT_EQ(canUnload(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(CLSID_Vatro, IID_IClassFactory, factory.out()), S_OK);
    ComPtr<IDispatch> obj;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, obj.out()), S_OK);
    factory->LockServer(1);
    factory.reset();
    EXPECT_EQ(canUnload(), S_FALSE); // object and lock
    obj.reset();
    EXPECT_EQ(canUnload(), S_FALSE); // the lock alone
    ASSERT_EQ(getClassObject(CLSID_Vatro, IID_IClassFactory, factory.out()), S_OK);
    factory->LockServer(0);
    void *p = nullptr;
    EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE); // the factory itself
    factory.reset();
    EXPECT_EQ(canUnload(), S_OK);
}

} // namespace
