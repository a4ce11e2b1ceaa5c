// Every method of the Vatro control called through Invoke, by dispatch
// identifier and by name, with its result checked for subtype and value;
// bad calls and unusable strings get the error a COM server gives.

#include "support.h"

#include <cstring>
#include <fcntl.h>
#include <list>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

const SCODE kFileNotFound = hresultOf(0x800A0035);
const SCODE kPathNotFound = hresultOf(0x800A004C);

class Methods : public ::testing::Test {
protected:
    void SetUp() override
    {
        obj = newVatro();
        ASSERT_TRUE(obj);
        dir = makeTemp("methods");
        writeFile(dir + "/page.htm", "<p>");
        fs::create_directories(dir + "/sub folder");
        writeFile(dir + "/sub folder/a b.txt", "x");
    }
    // Calls a one-string method and checks the subtype of its result.
    void expect(DISPID id, const std::string &arg, VARTYPE type)
    {
        callText(obj.get(), id, arg, &call);
        ASSERT_EQ(call.hr, S_OK) << nameOf(id) << " " << arg;
        EXPECT_EQ(call.result.vt, type) << nameOf(id) << " " << arg;
    }
    ComPtr<IDispatch> obj;
    std::string dir;
    Call call;
};

// The methods that take one string and give a value or a file-system error.
TEST_F(Methods, OneStringMethods)
{
    fs::create_symlink(dir + "/page.htm", dir + "/link.htm");
    // "jump/.." is dir in the text, dir/elsewhere on the disk.
    fs::create_directories(dir + "/elsewhere/deep");
    fs::create_directory_symlink(dir + "/elsewhere/deep", dir + "/jump");
    writeFile(dir + "/elsewhere/only-there.htm", "");
    const std::string latin1 = dir + "/caf\xe9.htm"; // a name that is not UTF-8
    writeFile(latin1, "");
    const std::string cwd = fs::current_path().string();
    fs::current_path(dir);
    struct Case {
        DISPID id;
        std::string arg;
        VARTYPE type;      // of the result; VT_ERROR: fails with `number`
        LONG number;       // the value, or the error
        std::string text = {}; // a string result; empty: any non-empty text
    };
    const std::string page = dir + "/page.htm", sub = dir + "/sub folder";
    const LONG noFile = kFileNotFound, noPath = kPathNotFound;
    std::vector<Case> cases = {
        {DISPID_FExists, page, VT_BOOL, -1},      {DISPID_FExists, dir + "/link.htm", VT_BOOL, -1},
        {DISPID_FExists, sub, VT_BOOL, 0},        {DISPID_FExists, page + "/", VT_BOOL, 0},
        {DISPID_FExists, "", VT_BOOL, 0},         {DISPID_DirExists, sub, VT_BOOL, -1},
        {DISPID_DirExists, page, VT_BOOL, 0},     {DISPID_DExists, "/", VT_I2, 2},
        {DISPID_DExists, "/proc/", VT_I2, 2},     {DISPID_DExists, dir, VT_I2, 0},
        {DISPID_DExists, "", VT_I2, 0},
        // Colour names: spelt and cased as listed (the C host checks a Short and a Long).
        {DISPID_ColConv, "Black", VT_I2, 0},      {DISPID_ColConv, "red", VT_EMPTY, 0},
        {DISPID_ColConv, "Gray", VT_EMPTY, 0},    {DISPID_Fendro, "SName", VT_BSTR, 0},
        {DISPID_Fendro, "sname", VT_EMPTY, 0},
        {DISPID_ShortFile, "sub folder/../page.htm", VT_BSTR, 0, "page.htm"},
        {DISPID_ShortFileLocation, "page.htm", VT_BSTR, 0, dir},
        {DISPID_ShortPath, sub + "/./a b.txt", VT_BSTR, 0, sub + "/a b.txt"},
        {DISPID_ShortPath, "jump/../page.htm", VT_BSTR, 0, page},
        {DISPID_FExists, latin1, VT_BOOL, -1},    {DISPID_ShortPath, latin1, VT_BSTR, 0, latin1},
        {DISPID_ShortPath, "jump/../only-there.htm", VT_ERROR, noFile},
        {DISPID_ShortPath, page + "/", VT_ERROR, noFile},  {DISPID_ShortFile, page + "/.", VT_ERROR, noFile},
        {DISPID_ShortFolder, sub + "/", VT_BSTR, 0, sub}, {DISPID_ShortFolder, "/", VT_BSTR, 0, "/"},
        {DISPID_ShortFile, sub, VT_ERROR, noFile},        {DISPID_ShortFileLocation, "", VT_ERROR, noFile},
        {DISPID_FileModified, dir, VT_ERROR, noFile},     {DISPID_ShortFolder, page, VT_ERROR, noPath},
        {DISPID_FolderCreated, page, VT_ERROR, noPath},
    };
    // A file directly in the root: no doubled separator.
    for (fs::directory_iterator e("/"), end; e != end && cases.back().text != "/"; ++e)
        if (std::error_code ec; e->is_regular_file(ec))
            cases.push_back({DISPID_ShortFileLocation, e->path().string(), VT_BSTR, 0, "/"});
    // Drive state 1: an /etc/fstab entry with nothing mounted on it.
    std::istringstream fstab(readText("/etc/fstab"));
    const std::string mounts = readText("/proc/self/mounts");
    for (std::string line, device, point; cases.back().number != 1 && std::getline(fstab, line);)
        if (line[0] != '#' && std::istringstream(line) >> device >> point && point[0] == '/' &&
            point.find('\\') == std::string::npos && mounts.find(" " + point + " ") == std::string::npos)
            cases.push_back({DISPID_DExists, point, VT_I2, 1});
    if (cases.back().number != 1)
        std::printf("note: no unmounted /etc/fstab entry here, drive state 1 not checked\n");
    for (const auto &c : cases) {
        const std::string what = std::string(nameOf(c.id)) + "(" + c.arg + ")";
        const bool fails = c.type == VT_ERROR;
        callText(obj.get(), c.id, c.arg, &call);
        EXPECT_EQ(call.hr, fails ? DISP_E_EXCEPTION : S_OK) << what;
        EXPECT_EQ(call.result.vt, fails ? VARTYPE(VT_EMPTY) : c.type) << what;
        const Variant &r = call.result;
        const std::string text = r.vt == VT_BSTR ? utf8(r.bstrVal) : "";
        const bool value = fails ? call.scode == c.number &&
                                       call.description == (c.number == noFile ? "File not found" : "Path not found")
                           : c.type == VT_BSTR ? (c.text.empty() ? !text.empty() : text == c.text)
                                               : c.type == VT_EMPTY || (c.type == VT_I4 ? r.lVal : r.iVal) == c.number;
        EXPECT_TRUE(value) << what << " gave " << text;
    }
    fs::current_path(cwd);
}

// Mount points in /etc/fstab are matched however they are written (here a
// private copy over /etc/fstab, in a mount namespace of a child process).
TEST_F(Methods, DrivesOfTheMountTable)
{
    const std::string fstab = dir + "/fstab";
    writeFile(fstab, "# comment\nnone " + dir + "/slash/ tmpfs noauto 0 0\nnone " + dir +
                         "/x/../dotted tmpfs noauto 0 0\nnone none tmpfs noauto 0 0\n");
    const std::string points[] = {dir + "/slash", dir + "/dotted", dir + "/x", "none"};
    const SHORT expected[] = {1, 1, 0, 0};
    const int rc = inChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(fstab.c_str(), "/etc/fstab", nullptr, MS_BIND, nullptr) != 0)
            return 77;
        int wrong = 0;
        for (std::size_t i = 0; i < std::size(points); ++i) {
            Call c;
            callText(obj.get(), DISPID_DExists, points[i], &c);
            wrong |= (c.hr != S_OK || c.result.vt != VT_I2 || c.result.iVal != expected[i]) << i;
        }
        return wrong;
    });
    if (rc == 77)
        GTEST_SKIP() << "no mount namespace here (needs root or user namespaces)";
    EXPECT_EQ(rc, 0) << "bit set for each wrong point";
}

TEST_F(Methods, DatesInLocalTime)
{
    setEnv("TZ", "UTC");
    // tmpfs holds times before 1970, which some disks cannot.
    const std::string file =
        fs::is_directory("/dev/shm") ? "/dev/shm/vatro-dated-" + std::to_string(::getpid()) : dir + "/dated";
    writeFile(file, "d");
    int checked = 0;
    const std::pair<long long, double> cases[] = {
        {1700000000, 45244.0 + 80000.0 / 86400.0}, // 2023-11-14 22:13:20
        {-2209161600LL, 0.0},                      // 1899-12-30 00:00
        {-2209226400LL, -1.25},                    // 1899-12-29 06:00
    };
    for (const auto &[seconds, date] : cases) {
        const timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
        struct stat st;
        if (::utimensat(AT_FDCWD, file.c_str(), times, 0) != 0 || ::stat(file.c_str(), &st) != 0 ||
            st.st_mtime != seconds)
            continue; // the file system cannot hold this time
        for (DISPID id : {DISPID_FileModified, DISPID_FileAccessed}) {
            expect(id, file, VT_DATE);
            EXPECT_NEAR(call.result.date, date, 1e-6) << seconds;
        }
        ++checked;
    }
    EXPECT_GE(checked, 1); // at least the time after 1970
    // Created: birth time or status change, both just now.
    const double now = 25569.0 + double(std::time(nullptr)) / 86400.0;
    for (auto [id, path] : {std::pair{DISPID_FileCreated, file}, std::pair{DISPID_FolderCreated, dir}}) {
        expect(id, path, VT_DATE);
        EXPECT_NEAR(call.result.date, now, 120.0 / 86400.0);
    }
    ::unlink(file.c_str());
}

TEST_F(Methods, RemoveINIKey)
{
    const std::string file = dir + "/settings.ini";
    const struct {
        const char *name;
        std::string before, section, key, after;
    } cases[] = {
        {"key in its section", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n", "B", "x", "[A]\r\nx=1\r\ny=2\r\n[B]\r\n"},
        {"case ignored", "[Main]\nColour = red\nSize=2", "main", "COLOUR", "[Main]\nSize=2"},
        {"first only", "[A]\nx=1\nx=2\n", "A", "x", "[A]\nx=2\n"},
        {"comments and blanks kept", "; c\n\n[A]\n;x=0\n  x =1\n\n", "A", "x", "; c\n\n[A]\n;x=0\n\n"},
        {"missing section", "[A]\nx=1\n", "B", "x", "[A]\nx=1\n"},
        {"empty key name", "[A]\n=1\n", "A", "", "[A]\n=1\n"},
    };
    // Its name is looked up in NamedArguments (the case of names ignored: callText).
    for (const auto &c : cases) {
        writeFile(file, c.before);
        Bstr s(c.section), k(c.key), f(file);
        invoke(obj.get(), DISPID_RemoveINIKey, {byVal(s.get()), byRef(k), byRef(f)}, &call); // the section by value
        EXPECT_TRUE(call.hr == S_OK && call.result.vt == VT_EMPTY) << c.name;
        EXPECT_EQ(readText(file), c.after) << c.name;
    }
    EXPECT_FALSE(fs::exists(file + ".lock")); // the lock file it made is gone
    // A missing file is no error and is not made; a FIFO does not hold the call up.
    for (bool fifo : {false, true}) {
        ::unlink(file.c_str());
        ASSERT_TRUE(!fifo || ::mkfifo(file.c_str(), 0600) == 0);
        Bstr a("A"), f(file);
        invoke(obj.get(), DISPID_RemoveINIKey, {byVal(a.get()), byVal(a.get()), byVal(f.get())}, &call);
        EXPECT_TRUE(call.hr == S_OK && fs::exists(file) == fifo) << fifo;
    }
}

// Arguments of other types are converted as COM converts them (English
// locale). To strings: FExists shows the text, as each is the name of a
// file in the current folder; dates only of the years 100 to 9999.
TEST_F(Methods, ArgumentsConverted)
{
    const std::string cwd = fs::current_path().string();
    fs::current_path(dir);
    VARIANT r8 = typed(VT_R8), r4 = typed(VT_R4), yes = typed(VT_BOOL), cy = typed(VT_CY),
            big = typed(VT_R8), i4 = typed(VT_I4), dec;
    r8.dblVal = 0.1 + 0.2, r4.fltVal = 0.1f, big.dblVal = 1e20, yes.boolVal = VARIANT_TRUE;
    cy.cyVal = 15000, i4.lVal = -42; // cy: 1.5
    const auto date = [](double d) {
        VARIANT v = typed(VT_DATE);
        return v.date = d, v;
    };
    VARIANT inner = i4;
    const VARIANT byRefI4 = typed(VT_BYREF | VT_I4, &i4.lVal), byRefVariant = typed(VT_BYREF | VT_VARIANT, &inner);
    DECIMAL d{0, 3, 0x80, 0, 12500}; // -12.500
    std::memcpy(&dec, &d, sizeof d);
    dec.vt = VT_DECIMAL;
    const struct {
        VARIANT arg;
        std::string text;
    } cases[] = {
        {r8, "0.3"}, {r4, "0.1"}, {big, "1E+20"}, {yes, "-1"}, {cy, "1.5"}, {dec, "-12.5"},
        {date(45244.5), "11/14/2023 12:00:00 PM"}, {date(0.25), "6:00:00 AM"}, {byRefI4, "-42"},
        {byRefVariant, "-42"}, {date(-657434), "1/1/100"}, {date(2958465.9999999), "12/31/9999 11:59:59 PM"},
        {date(-1.9999999), "12:00:00 AM"}, // 12/29/1899 rounded up to the next day
    };
    for (const auto &c : cases) {
        fs::create_directories(fs::path(c.text).parent_path().empty() ? "." : fs::path(c.text).parent_path());
        writeFile(c.text, "");
        invoke(obj.get(), DISPID_FExists, {c.arg}, &call);
        EXPECT_TRUE(call.hr == S_OK && call.result.vt == VT_BOOL && call.result.boolVal == VARIANT_TRUE)
            << c.text << ": " << std::hex << call.hr;
    }
    // What COM cannot convert: the argument is named by its place in rgvarg.
    Bstr s("x");
    Form self; // its default value refers to itself
    self.self = true;
    const VARIANT selfRef = typed(VT_DISPATCH, static_cast<IDispatch *>(&self));
    const VARIANT bad[] = {typed(VT_NULL), typed(VT_ARRAY | VT_I4),
                           typed(VT_BYREF | VT_VARIANT, const_cast<VARIANT *>(&byRefVariant)), date(-657435),
                           date(2958466), selfRef};
    for (const auto &b : bad) {
        invoke(obj.get(), DISPID_RemoveINIKey, {byVal(s.get()), b, byVal(s.get())}, &call);
        EXPECT_TRUE(call.hr == DISP_E_TYPEMISMATCH && call.argErr == 1) << b.vt;
    }
    // To a Boolean (TopTF), and to a number (each property TopMost reads;
    // with no display nothing is moved): taken, or a type mismatch.
    ::unsetenv("DISPLAY");
    Bstr hex0x("&H0x10"), hexTab("&H\t1"), octal8("&O8"), hex("&H1f"), c0x("0x10"), sixteen(" 16 ");
    const std::tuple<int, bool, VARIANT, bool> others[] = { // row, as TopTF, value, taken
        {1, true, byVal(hex0x.get()), false}, {2, true, byVal(hexTab.get()), false},
        {3, true, byVal(octal8.get()), false}, {4, true, byVal(hex.get()), true}, {5, true, selfRef, false},
        {6, false, byVal(c0x.get()), false}, {7, false, byVal(sixteen.get()), true},
        {8, false, date(1.5), true}, {9, false, selfRef, false},
    };
    for (const auto &[row, topTF, value, taken] : others) {
        Form form;
        form.value = topTF ? typed(VT_EMPTY) : value;
        invoke(obj.get(), DISPID_TopMost, {typed(VT_DISPATCH, &form), topTF ? value : typed(VT_EMPTY)}, &call);
        EXPECT_EQ(call.hr, taken ? S_OK : topTF ? DISP_E_TYPEMISMATCH : DISP_E_EXCEPTION) << row;
    }
    fs::current_path(cwd);
}

// Named arguments, by the names of the interface's parameters, in any order.
TEST_F(Methods, NamedArguments)
{
    // An unknown one leaves the others found (the TopMost test looks up a whole set).
    std::vector<DISPID> ids(4);
    std::vector<const char16_t *> names = {u"RemoveINIKey", u"inifile", u"Section", u"KeyName"};
    EXPECT_EQ(obj->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR *>(names.data()), 4, 0, ids.data()), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids, (std::vector<DISPID>{DISPID_RemoveINIKey, 2, DISPID_UNKNOWN, 1}));

    const std::string file = dir + "/named.ini";
    writeFile(file, "[A]\nx=1\ny=2\n");
    Bstr section("A"), key("x"), path(file);
    // INIFile:=, KeyName:= named; SectionName first by position.
    std::vector<VARIANT> args = {byRef(path), byRef(key), byVal(section.get())}; // rgvarg order
    DISPID named[] = {2, 1};
    DISPPARAMS params{args.data(), named, 3, 2};
    EXPECT_EQ(obj->Invoke(DISPID_RemoveINIKey, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(readText(file), "[A]\ny=2\n");
    // A parameter named twice, or also given by position.
    UINT argErr = 9;
    named[1] = 0;
    EXPECT_EQ(obj->Invoke(DISPID_RemoveINIKey, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, &argErr),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(argErr, 1u);
}

// Calls no COM server should crash on: every one gets the error a COM
// server gives.
TEST_F(Methods, BadCalls)
{
    Bstr path("/nonexistent/vatro"), red("Red");
    const VARIANT str = byVal(path.get()), nothing = typed(VT_DISPATCH);
    VARIANT yes = typed(VT_BOOL);
    yes.boolVal = VARIANT_TRUE;
    VARIANT arg = str;
    DISPID named = 1; // FExists has one parameter, 0
    DISPPARAMS one{&arg, nullptr, 1, 0}, noArray{nullptr, nullptr, 1, 0}, withNames{&arg, &named, 1, 1};
    // Through Invoke, with a result and an exception record; no result is left behind.
    auto run = [&](DISPID id, const std::vector<VARIANT> &args, WORD flags = DISPATCH_METHOD) {
        invoke(obj.get(), id, args, &call, flags);
        EXPECT_EQ(call.result.vt, VT_EMPTY);
        return call.hr;
    };
    // Through Invoke without the optional pointers.
    auto bare = [&](DISPPARAMS *params, const IID &iid = IID_NULL, DISPID id = DISPID_FExists) {
        return obj->Invoke(id, iid, 0, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
    };
    auto idOf = [&](std::vector<const char16_t *> names) {
        DISPID id = 0;
        const HRESULT h = obj->GetIDsOfNames(IID_NULL, names.empty() ? nullptr : const_cast<LPOLESTR *>(names.data()),
                                             1, 0, &id);
        EXPECT_TRUE(names.empty() || id == DISPID_UNKNOWN);
        return h;
    };
    ComPtr<_Vatro> dual;
    ASSERT_EQ(obj->QueryInterface(IID__Vatro, dual.out()), S_OK);
    IDispatch *noForm = nullptr;
    VARIANT_BOOL top = VARIANT_TRUE;
    VARIANT r;
    const struct {
        const char *name;
        std::function<HRESULT()> call;
        HRESULT expected;
    } cases[] = {
        {"no arguments", [&] { return run(DISPID_FExists, {}); }, DISP_E_BADPARAMCOUNT},
        {"string for an object", [&] { return run(DISPID_TopMost, {str, yes}); }, DISP_E_TYPEMISMATCH},
        {"Nothing for the form", [&] { return run(DISPID_TopMost, {nothing, yes}); }, DISP_E_EXCEPTION},
        {"null string reference", [&] { return run(DISPID_DirExists, {typed(VT_BYREF | VT_BSTR)}); }, E_POINTER},
        {"unknown member", [&] { return run(DISPID_TopMost + 1, {}); }, DISP_E_MEMBERNOTFOUND},
        {"property put", [&] { return run(DISPID_FExists, {str}, DISPATCH_PROPERTYPUT); }, DISP_E_MEMBERNOTFOUND},
        {"no DISPPARAMS", [&] { return bare(nullptr); }, E_INVALIDARG},
        {"no argument array", [&] { return bare(&noArray); }, E_INVALIDARG},
        {"named argument that is no parameter", [&] { return bare(&withNames); }, DISP_E_PARAMNOTFOUND},
        {"interface not IID_NULL", [&] { return bare(&one, IID_IDispatch); }, DISP_E_UNKNOWNINTERFACE},
        {"failure without exception record", [&] { return bare(&one, IID_NULL, DISPID_ShortFile); }, DISP_E_EXCEPTION},
        {"unknown name, a prefix of one", [&] { return idOf({u"FExist"}); }, DISP_E_UNKNOWNNAME},
        {"null name", [&] { return idOf({nullptr}); }, DISP_E_UNKNOWNNAME},
        {"no name array", [&] { return idOf({}); }, E_INVALIDARG},
        {"dual table: ColConv", [&] { const HRESULT h = dual->ColConv(red.address(), &r); return h ? h : r.vt == VT_I2 && r.iVal == 255 ? S_OK : E_FAIL; }, S_OK},
        {"dual table: no result pointer", [&] { return dual->FExists(path.address(), nullptr); }, E_POINTER},
        {"dual table: Nothing for the form", [&] { return dual->TopMost(&noForm, &top, &r); }, hresultOf(0x800A005B)},
        {"dual table: null form pointer", [&] { return dual->TopMost(nullptr, &top, &r); }, E_POINTER},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.call(), c.expected) << c.name;
}

// Strings no path can be: each existence test says no, each lookup fails
// with the file-system error, the rest answer; nothing crashes.
TEST_F(Methods, UnusableStrings)
{
    const std::u16string texts[] = {
        u"/" + std::u16string(10000, u'a'), // a 10,000-character path
        std::u16string(u"/tmp\0/x", 7),     // a NUL byte
        u"/tmp/\xD800x",                    // a lone surrogate
        u"/tmp/\xDC00\xD800",               // a reversed pair
    };
    std::list<Bstr> strings;
    for (const auto &t : texts)
        strings.emplace_back(t.data(), t.size());
    strings.emplace_back(); // a null BSTR: the empty string
    for (auto &s : strings) {
        const VARIANT arg = byVal(s.get());
        for (DISPID id = DISPID_FExists; id < DISPID_TopMost; ++id) {
            const bool existence = id == DISPID_FExists || id == DISPID_DirExists || id == DISPID_DExists;
            const bool lookup = id == DISPID_ShortFile || id == DISPID_ShortFileLocation || id == DISPID_ShortPath ||
                                id == DISPID_ShortFolder || (id >= DISPID_FileCreated && id <= DISPID_FolderCreated);
            invoke(obj.get(), id, std::vector<VARIANT>(id == DISPID_RemoveINIKey ? 3 : 1, arg), &call);
            EXPECT_EQ(call.hr, lookup ? DISP_E_EXCEPTION : S_OK) << nameOf(id) << " " << utf8(s.get()).size();
            EXPECT_TRUE(!existence || (call.result.vt != VT_EMPTY && call.result.iVal == 0)) << nameOf(id);
        }
    }
}

TEST_F(Methods, IconsFromTheHicolorTheme)
{
    // A private data folder (XDG_DATA_HOME) with MIME globs and icons.
    const std::string data = g_root + "/data", theme = data + "/icons/hicolor/";
    fs::create_directories(data + "/mime");
    writeFile(data + "/mime/globs2", "50:text/html:*.htm\n50:text/x-vatro:*.VTR:cs\n10:text/plain:*.txt\n");
    writeFile(data + "/mime/generic-icons", "text/html:text-x-generic\n");
    const std::tuple<DISPID, const char *, std::string> cases[] = { // where the icon is; empty: no picture
        {DISPID_GetSmallIcon, "/page.htm", "16x16/mimetypes/text-html.png"},
        {DISPID_GetBigIcon, "/page.htm", "32x32/mimetypes/text-x-generic.png"},
        {DISPID_GetSmallIcon, "/sub folder", "16x16/places/folder.png"},
        {DISPID_GetBigIcon, "/x.VTR", "32x32/mimetypes/text-x-vatro.png"},
        {DISPID_GetBigIcon, "/y.vtr", ""}, {DISPID_GetSmallIcon, "/x.txt", ""},
        {DISPID_GetSmallIcon, "/missing.htm", ""},
    };
    for (const auto &[id, file, icon] : cases) {
        if (icon.empty())
            continue;
        fs::create_directories(fs::path(theme + icon).parent_path());
        writeFile(theme + icon, "png");
    }
    for (const char *name : {"/x.txt", "/x.VTR", "/y.vtr"})
        writeFile(dir + name, "t");
    for (const auto &[id, file, icon] : cases) {
        expect(id, dir + file, VT_DISPATCH);
        IDispatch *pic = call.result.pdispVal;
        ASSERT_EQ(pic != nullptr, !icon.empty()) << file;
        if (!pic)
            continue;
        Variant type, width, height, path, handle;
        for (auto [name, v] : {std::pair{"Type", &type}, {"Width", &width}, {"height", &height},
                               {"Path", &path}, {"Handle", &handle}})
            EXPECT_EQ(vatro::invoke(pic, name, DISPATCH_PROPERTYGET, {}, v), S_OK) << name;
        EXPECT_TRUE(type.vt == VT_I2 && type.iVal == 3 && handle.vt == VT_I4 && handle.lVal != 0) << file;
        const LONG himetric = id == DISPID_GetSmallIcon ? 423 : 847; // 16 or 32 pixels at 96 dpi
        EXPECT_TRUE(width.vt == VT_I4 && width.lVal == himetric && height.lVal == himetric) << file;
        EXPECT_EQ(utf8(path.bstrVal), theme + icon);
    }
}

} // namespace
