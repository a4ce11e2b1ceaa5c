// Registration in a private class registry, creation through the host by
// CLSID and ProgID, unregistration, the registration tool, and when the
// library may be unloaded.

#include "support.h"

#include "vatro/ini.h"
#include "vatro/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace vt;
namespace fs = std::filesystem;

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

// A registry that is a link is changed at its target; the link stays.
TEST_F(Registration, RoundTrip)
{
    const std::string other = "[CLSID\\{11111111-2222-3333-4444-555555555555}]\r\nInprocServer32=/x.so\r\n";
    const std::string target = fs::path(registry).parent_path().string() + "/elsewhere/real.ini";
    fs::create_directories(fs::path(target).parent_path());
    writeFile(target, other);
    fs::create_symlink(target, registry);
    EXPECT_EQ(create("CLSID"), REGDB_E_CLASSNOTREG);
    EXPECT_NE(error.find("{4C7BC103-7DA9-11D3-B327-000021C5C8A9} is not registered"), std::string::npos) << error;

    auto reg = entry<DllRegisterServerFn>("DllRegisterServer");
    auto unreg = entry<DllUnregisterServerFn>("DllUnregisterServer");
    ASSERT_TRUE(reg && unreg);
    ASSERT_EQ(reg(), S_OK);
    ASSERT_EQ(reg(), S_OK); // twice is the same as once
    const IniText ini(readText(registry));
    EXPECT_EQ(ini.value("TypeLib\\{4C7BC101-7DA9-11D3-B327-000021C5C8A9}", "Version"), "1.0");
    EXPECT_EQ(ini.value("CLSID\\{4c7bc103-7da9-11d3-b327-000021c5c8a9}", "InprocServer32"),
              std::filesystem::canonical(VATRO_LIBRARY_PATH).string());
    for (const char *how : {"CLSID", "VatroOCX.Vatro", "vatroocx.vatro"})
        EXPECT_EQ(create(how), S_OK) << how << ": " << error;
    EXPECT_EQ(create("VatroOCX.Other"), CO_E_CLASSSTRING);
    EXPECT_NE(error.find("VatroOCX.Other"), std::string::npos) << error;

    ASSERT_EQ(unreg(), S_OK);
    EXPECT_TRUE(fs::is_symlink(registry));
    EXPECT_EQ(readText(target), other); // exactly our entries are gone

    // A registry that cannot be read as a file is not overwritten.
    std::filesystem::remove(registry);
    std::filesystem::create_directories(registry);
    EXPECT_EQ(reg(), SELFREG_E_CLASS);
    EXPECT_TRUE(std::filesystem::is_directory(registry));
}

// Runs vatroreg with these arguments, its output dropped; -1 when it hangs.
int vatroreg(std::vector<std::string> args)
{
    return inChild([&] {
        std::vector<char *> argv{const_cast<char *>(VATROREG_PATH)};
        for (auto &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr))
            return 126;
        ::execv(VATROREG_PATH, argv.data());
        return 127;
    }, 10);
}

TEST_F(Registration, Tool)
{
    const std::string lib = VATRO_LIBRARY_PATH, dir = fs::path(registry).parent_path().string();
    // A copy of the library whose file name would end a registry line
    // (reached through a plain link, so that only the library sees it).
    const std::string crafted = dir + "/lib\n[CLSID\\{00000000-0000-0000-0000-000000000001}]\nx.so";
    fs::copy_file(lib, crafted);
    fs::create_symlink(crafted, dir + "/plain.so");
    // One whose name ends in a blank, which a registry line cannot keep.
    fs::copy_file(lib, dir + "/blank.so ");
    fs::create_symlink(dir + "/blank.so ", dir + "/unblank.so");
    ASSERT_EQ(::mkfifo((dir + "/fifo.so").c_str(), 0600), 0);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        bool registered;
    } steps[] = {
        {{}, 2, false},
        {{""}, 2, false},
        {{registry + ".none.so"}, 3, false},
        {{dir + "/fifo.so"}, 3, false},
        {{crafted}, 2, false},
        {{dir + "/plain.so"}, 5, false},
        {{dir + "/blank.so "}, 2, false},
        {{dir + "/unblank.so"}, 5, false},
        {{lib}, 0, true},
        {{"-u", lib}, 0, false},
    };
    for (const auto &s : steps) {
        const std::string what = s.args.empty() ? "(none)" : s.args.back();
        EXPECT_EQ(vatroreg(s.args), s.exitCode) << what;
        EXPECT_EQ(SUCCEEDED(create("CLSID")), s.registered) << what;
        EXPECT_EQ(readText(registry).find("0001}"), std::string::npos) << what;
    }
}

// Registrations running side by side with other writers of the registry
// (which hold an flock on "<registry>.lock" while they read and write it)
// and with RemoveINIKey lose none of their entries, nor it its removals.
TEST_F(Registration, ConcurrentWriters)
{
    const int writers = 12, rounds = 8, tools = 6, keys = 60;
    std::string removed = "[Keys]\n";
    for (int k = 0; k < keys; ++k)
        removed += "k" + std::to_string(k) + "=1\n";
    writeFile(registry, removed);
    writeFile(registry + ".lock", "");
    std::vector<pid_t> children;
    for (int w = 0; w <= writers + tools; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int k = 0; w == writers + tools && k < keys; ++k) {
                Bstr section("Keys"), key("k" + std::to_string(k)), file(registry);
                Call call;
                invoke(newVatro().get(), DISPID_RemoveINIKey, {byRef(section), byRef(key), byRef(file)}, &call);
            }
            if (w >= writers) {
                for (int r = 0; r < rounds; ++r)
                    if (vatroreg({VATRO_LIBRARY_PATH}) != 0)
                        ::_exit(1);
                ::_exit(0);
            }
            for (int r = 0; r < rounds; ++r) {
                const int lock = ::open((registry + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
                ::flock(lock, LOCK_EX);
                IniText ini(readFile(registry).value_or(""));
                ini.setSection("Writer\\" + std::to_string(w) + "." + std::to_string(r), {{"x", "1"}});
                const std::string tmp = registry + ".w" + std::to_string(w);
                writeFile(tmp, ini.text());
                ::rename(tmp.c_str(), registry.c_str());
                ::close(lock);
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const IniText ini(readText(registry));
    int lost = 0;
    for (int w = 0; w < writers; ++w)
        for (int r = 0; r < rounds; ++r)
            lost += !ini.value("Writer\\" + std::to_string(w) + "." + std::to_string(r), "x");
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(readText(registry).find("\nk"), std::string::npos);
    EXPECT_EQ(create("CLSID"), S_OK) << error;
}

// Which registry decides: the user's, then each folder of $XDG_CONFIG_DIRS,
// then the host's own; $VATRO_REGISTRY alone when set. "lib" is this
// build's library named relative to the registry's folder; "gone:X" a
// missing /gone/X.so, so that the error tells which registry was read.
TEST_F(Registration, SearchOrder)
{
    struct Row {
        const char *name;
        const char *user, *machine1, *machine2, *host;
        bool onlyVatroRegistry;
        const char *how; // "CLSID" or a ProgID
        HRESULT expected;
        const char *named; // in the error
    };
    const Row rows[] = {
        {"user's hides the machine's", "gone:user", "lib", "", "", false, "CLSID", CO_E_DLLNOTFOUND, "user.so"},
        {"second machine folder", "", "", "lib", "", false, "VatroOCX.Vatro", S_OK, ""},
        {"first machine folder first", "", "gone:first", "lib", "", false, "CLSID", CO_E_DLLNOTFOUND, "first.so registered for the class {4C7BC103-7DA9-11D3-B327-000021C5C8A9} does not exist"},
        {"machine's hides the host's", "", "gone:machine", "", "lib", false, "CLSID", CO_E_DLLNOTFOUND, "machine.so"},
        {"none anywhere", "", "", "", "", false, "CLSID", REGDB_E_CLASSNOTREG, "is not registered"},
        {"VATRO_REGISTRY alone", "", "lib", "lib", "lib", true, "CLSID", REGDB_E_CLASSNOTREG, "is not registered"},
    };
    const std::string base = fs::path(registry).parent_path().string();
    const std::string user = base + "/home/vatro/registry.ini";
    const std::string machine1 = base + "/xdg1/vatro/registry.ini";
    const std::string machine2 = base + "/xdg2/vatro/registry.ini";
    const std::string host = base + "/program/lib/registry.ini";
    addHostRegistry(host); // for the rest of the run; other tests set VATRO_REGISTRY
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::pair<std::string, const char *> files[] = {
            {user, row.user}, {machine1, row.machine1}, {machine2, row.machine2}, {host, row.host}};
        for (const auto &[path, entry] : files) {
            fs::remove(path);
            const std::string e = entry;
            if (e.empty())
                continue;
            fs::create_directories(fs::path(path).parent_path());
            const std::string library =
                e == "lib" ? fs::relative(VATRO_LIBRARY_PATH, fs::path(path).parent_path()).string()
                           : "/gone/" + e.substr(5) + ".so";
            writeFile(path, "[CLSID\\{4C7BC103-7DA9-11D3-B327-000021C5C8A9}]\nInprocServer32=" + library +
                                "\n[ProgID\\VatroOCX.Vatro]\nCLSID={4C7BC103-7DA9-11D3-B327-000021C5C8A9}\n");
        }
        if (row.onlyVatroRegistry)
            writeFile(registry, "");
        else
            ::unsetenv("VATRO_REGISTRY");
        setEnv("XDG_CONFIG_HOME", base + "/home");
        setEnv("XDG_CONFIG_DIRS", "relative/ignored:" + base + "/xdg1/:" + base + "/xdg2");
        error.clear();
        EXPECT_EQ(create(row.how), row.expected) << error;
        EXPECT_NE(error.find(row.named), std::string::npos) << error;
        setEnv("VATRO_REGISTRY", registry);
    }
    ::unsetenv("XDG_CONFIG_DIRS");
    ::unsetenv("XDG_CONFIG_HOME");
}

// A FIFO registered as the library is refused at once, not waited on.
TEST_F(Registration, LibraryNotARegularFile)
{
    const std::string fifo = fs::path(registry).parent_path().string() + "/fifo.so";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    writeFile(registry, "[CLSID\\{4C7BC103-7DA9-11D3-B327-000021C5C8A9}]\nInprocServer32=" + fifo + "\n");
    EXPECT_EQ(inChild([&] {
        return create("CLSID") == CO_E_DLLNOTFOUND && error.find("is not a regular file") != std::string::npos ? 0 : 1;
    }, 10), 0) << "a hang gives -1";
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
