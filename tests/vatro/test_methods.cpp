// Every method of the Vatro control called through Invoke, by dispatch
// identifier and by name, with its result checked for subtype and value.

#include "support.h"

#include "vatro/text.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace vatro;

namespace {

class Methods : public ::testing::Test {
protected:
    void SetUp() override
    {
        obj = vt::newVatro();
        ASSERT_TRUE(obj);
        dir = vt::makeTemp("methods");
        vt::writeFile(dir + "/page.htm", "<p>");
        std::filesystem::create_directories(dir + "/sub folder");
        vt::writeFile(dir + "/sub folder/a b.txt", "x");
    }
    ComPtr<IDispatch> obj;
    std::string dir;
    vt::Call call;
};

TEST_F(Methods, NamesMatchWithoutRegardToCase)
{
    // In dispatch-identifier order, from 0x60030002 up.
    const char *names[] = {"FExists", "DExists", "DirExists", "ColConv", "ShortFileLocation",
                           "ShortFile", "ShortPath", "Fendro", "RemoveINIKey", "FileCreated",
                           "FileAccessed", "FileModified", "ShortFolder", "FolderCreated",
                           "GetSmallIcon", "GetBigIcon", "TopMost"};
    for (DISPID i = 0; i < 17; ++i) {
        std::string swapped = names[i]; // the same name in the other case
        for (char &c : swapped)
            c = char(std::islower(c) ? std::toupper(c) : std::tolower(c));
        for (const std::string &name : {std::string(names[i]), swapped}) {
            DISPID id = 0;
            EXPECT_EQ(dispIdOf(obj.get(), name, &id), S_OK) << name;
            EXPECT_EQ(id, 0x60030002 + i) << name;
        }
    }
}

TEST_F(Methods, ExistenceTests)
{
    std::filesystem::create_symlink(dir + "/page.htm", dir + "/link.htm");
    std::filesystem::create_symlink(dir + "/gone", dir + "/dangling");
    const struct {
        std::string path;
        bool file, folder;
    } cases[] = {
        {dir + "/page.htm", true, false},       {dir + "/sub folder", false, true},
        {dir + "/sub folder/a b.txt", true, false}, {dir + "/link.htm", true, false},
        {dir + "/dangling", false, false},      {dir + "/missing.htm", false, false},
        {dir + "/page.htm/", false, false},     {"", false, false},
    };
    for (const auto &c : cases) {
        vt::callText(obj.get(), DISPID_FExists, c.path, &call);
        ASSERT_EQ(call.hr, S_OK) << c.path;
        EXPECT_EQ(call.result.vt, VT_BOOL);
        EXPECT_EQ(call.result.boolVal, c.file ? -1 : 0) << c.path;
        vt::callText(obj.get(), DISPID_DirExists, c.path, &call);
        ASSERT_EQ(call.hr, S_OK) << c.path;
        EXPECT_EQ(call.result.vt, VT_BOOL);
        EXPECT_EQ(call.result.boolVal, c.folder ? -1 : 0) << c.path;
    }
}

TEST_F(Methods, DriveStates)
{
    const struct {
        std::string drive;
        SHORT state;
    } cases[] = {{"/", 2}, {"/proc", 2}, {"/proc/", 2}, {dir, 0}, {dir + "/missing", 0}, {"", 0}};
    for (const auto &c : cases) {
        vt::callText(obj.get(), DISPID_DExists, c.drive, &call);
        ASSERT_EQ(call.hr, S_OK);
        EXPECT_EQ(call.result.vt, VT_I2);
        EXPECT_EQ(call.result.iVal, c.state) << c.drive;
    }
}

TEST_F(Methods, DriveListedButNotMounted)
{
    // Needs an /etc/fstab entry with nothing mounted on it.
    std::istringstream fstab(vt::readText("/etc/fstab"));
    const std::string mounts = vt::readText("/proc/self/mounts");
    std::string line, device, point, candidate;
    while (candidate.empty() && std::getline(fstab, line)) {
        std::istringstream fields(line);
        if (line[0] != '#' && fields >> device >> point && point[0] == '/' &&
            point.find('\\') == std::string::npos && mounts.find(" " + point + " ") == std::string::npos)
            candidate = point;
    }
    if (candidate.empty())
        GTEST_SKIP() << "no mount point in /etc/fstab is unmounted on this machine";
    vt::callText(obj.get(), DISPID_DExists, candidate, &call);
    EXPECT_EQ(call.result.vt, VT_I2);
    EXPECT_EQ(call.result.iVal, 1) << candidate;
}

TEST_F(Methods, ColourNames)
{
    const struct {
        const char *name;
        VARTYPE vt;
        LONG value;
    } cases[] = {
        {"Black", VT_I2, 0},           {"Maroon", VT_I2, 128},          {"Green", VT_I4, 32768},
        {"Olive", VT_I4, 32896},       {"Navy", VT_I4, 8388608},        {"Purple", VT_I4, 8388736},
        {"Teal", VT_I4, 8421376},      {"Grey", VT_I4, 8421504},        {"Silver", VT_I4, 12632256},
        {"Red", VT_I2, 255},           {"Lime", VT_I4, 65280},          {"Yellow", VT_I4, 65535},
        {"Blue", VT_I4, 16711680},     {"Fuchsia", VT_I4, 16711935},    {"Aqua", VT_I4, 16776960},
        {"White", VT_I4, 16777215},    {"red", VT_EMPTY, 0},            {"Gray", VT_EMPTY, 0},
        {"Red ", VT_EMPTY, 0},         {"", VT_EMPTY, 0},
    };
    for (const auto &c : cases) {
        vt::callText(obj.get(), DISPID_ColConv, c.name, &call);
        ASSERT_EQ(call.hr, S_OK);
        EXPECT_EQ(call.result.vt, c.vt) << c.name;
        if (c.vt == VT_I2) {
            EXPECT_EQ(call.result.iVal, c.value) << c.name;
        } else if (c.vt == VT_I4) {
            EXPECT_EQ(call.result.lVal, c.value) << c.name;
        }
    }
}

TEST_F(Methods, FendroKeys)
{
    for (const char *key : {"SName", "MName", "DOB"}) {
        vt::callText(obj.get(), DISPID_Fendro, key, &call);
        EXPECT_EQ(call.result.vt, VT_BSTR) << key;
        EXPECT_FALSE(vt::utf8(call.result.bstrVal).empty()) << key;
    }
    for (const char *key : {"sname", "Name", "", "DOB "}) {
        vt::callText(obj.get(), DISPID_Fendro, key, &call);
        EXPECT_EQ(call.hr, S_OK);
        EXPECT_EQ(call.result.vt, VT_EMPTY) << key;
    }
}

TEST_F(Methods, ShortNamesAndPaths)
{
    const std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
    const struct {
        DISPID id;
        std::string arg;
        std::string expected; // empty: fails with the error below
        SCODE error;
    } cases[] = {
        {DISPID_ShortFile, dir + "/sub folder/a b.txt", "a b.txt", 0},
        {DISPID_ShortFile, "sub folder/../page.htm", "page.htm", 0},
        {DISPID_ShortFileLocation, dir + "/sub folder/a b.txt", dir + "/sub folder", 0},
        {DISPID_ShortFileLocation, "page.htm", dir, 0},
        {DISPID_ShortPath, dir + "/sub folder/./a b.txt", dir + "/sub folder/a b.txt", 0},
        {DISPID_ShortPath, "page.htm", dir + "/page.htm", 0},
        {DISPID_ShortFolder, dir + "/sub folder/", dir + "/sub folder", 0},
        {DISPID_ShortFolder, "/", "/", 0},
        {DISPID_ShortFile, dir + "/missing", "", hresultOf(0x800A0035)},
        {DISPID_ShortFile, dir + "/sub folder", "", hresultOf(0x800A0035)},
        {DISPID_ShortPath, dir + "/missing", "", hresultOf(0x800A0035)},
        {DISPID_ShortFileLocation, "", "", hresultOf(0x800A0035)},
        {DISPID_ShortFolder, dir + "/page.htm", "", hresultOf(0x800A004C)},
        {DISPID_ShortFolder, dir + "/missing", "", hresultOf(0x800A004C)},
    };
    for (const auto &c : cases) {
        vt::callText(obj.get(), c.id, c.arg, &call);
        if (c.expected.empty()) {
            EXPECT_EQ(call.hr, DISP_E_EXCEPTION) << c.arg;
            EXPECT_EQ(call.scode, c.error) << c.arg;
            EXPECT_EQ(call.description, c.error == hresultOf(0x800A0035) ? "File not found"
                                                                        : "Path not found");
            EXPECT_EQ(call.result.vt, VT_EMPTY);
        } else {
            ASSERT_EQ(call.hr, S_OK) << c.arg;
            EXPECT_EQ(call.result.vt, VT_BSTR);
            EXPECT_EQ(vt::utf8(call.result.bstrVal), c.expected) << c.arg;
        }
    }
    std::filesystem::current_path(cwd);
}

TEST_F(Methods, ShortPathInTheRootHasOneSeparator)
{
    std::string file; // any plain file directly in "/"
    for (const auto &e : std::filesystem::directory_iterator("/"))
        if (std::error_code ec; file.empty() && e.is_regular_file(ec))
            file = e.path().string();
    if (file.empty())
        GTEST_SKIP() << "no regular file directly in /";
    vt::callText(obj.get(), DISPID_ShortPath, file, &call);
    EXPECT_EQ(vt::utf8(call.result.bstrVal), file);
    vt::callText(obj.get(), DISPID_ShortFileLocation, file, &call);
    EXPECT_EQ(vt::utf8(call.result.bstrVal), "/");
}

TEST_F(Methods, DatesInLocalTime)
{
    const char *oldTz = std::getenv("TZ");
    const std::string savedTz = oldTz ? oldTz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    // tmpfs holds times before 1970, which some disks cannot.
    std::error_code ec;
    const bool shm = std::filesystem::is_directory("/dev/shm", ec);
    const std::string file = (shm ? "/dev/shm/vatro-dated-" + std::to_string(::getpid()) : dir + "/dated.txt");
    vt::writeFile(file, "d");
    int checked = 0;
    const struct {
        long long seconds;
        double date;
    } cases[] = {
        {0, 25569.0},                               // 1970-01-01 00:00
        {1700000000, 45244.0 + 80000.0 / 86400.0}, // 2023-11-14 22:13:20
        {-2209161600LL, 0.0},                       // 1899-12-30 00:00
        {-2209226400LL, -1.25},                     // 1899-12-29 06:00
    };
    for (const auto &c : cases) {
        timespec times[2] = {{time_t(c.seconds), 0}, {time_t(c.seconds), 0}};
        struct stat st;
        if (::utimensat(AT_FDCWD, file.c_str(), times, 0) != 0 ||
            ::stat(file.c_str(), &st) != 0 || st.st_mtime != c.seconds)
            continue; // the file system cannot hold this time
        for (DISPID id : {DISPID_FileModified, DISPID_FileAccessed}) {
            vt::callText(obj.get(), id, file, &call);
            ASSERT_EQ(call.hr, S_OK);
            EXPECT_EQ(call.result.vt, VT_DATE);
            EXPECT_NEAR(call.result.date, c.date, 1e-6) << c.seconds;
        }
        ++checked;
    }
    EXPECT_GE(checked, 2); // at least the times after 1970
    // Created: birth time or status change, both just now.
    const double now = 25569.0 + double(std::time(nullptr)) / 86400.0;
    for (auto [id, path] : {std::pair{DISPID_FileCreated, file}, std::pair{DISPID_FolderCreated, dir}}) {
        vt::callText(obj.get(), id, path, &call);
        ASSERT_EQ(call.hr, S_OK);
        EXPECT_EQ(call.result.vt, VT_DATE);
        EXPECT_NEAR(call.result.date, now, 120.0 / 86400.0);
    }
    const struct {
        DISPID id;
        std::string path;
        SCODE error;
    } failures[] = {
        {DISPID_FileCreated, dir + "/missing", hresultOf(0x800A0035)},
        {DISPID_FileModified, dir, hresultOf(0x800A0035)},
        {DISPID_FolderCreated, file, hresultOf(0x800A004C)},
    };
    for (const auto &f : failures) {
        vt::callText(obj.get(), f.id, f.path, &call);
        EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(call.scode, f.error) << f.path;
    }
    if (shm)
        ::unlink(file.c_str());
    if (oldTz)
        ::setenv("TZ", savedTz.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

TEST_F(Methods, RemoveINIKey)
{
    const struct {
        const char *name;
        std::string before, section, key, after;
    } cases[] = {
        {"key in its section", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n", "B", "x",
         "[A]\r\nx=1\r\ny=2\r\n[B]\r\n"},
        {"case ignored", "[Main]\nColour = red\nSize=2", "main", "COLOUR", "[Main]\nSize=2"},
        {"first only", "[A]\nx=1\nx=2\n", "A", "x", "[A]\nx=2\n"},
        {"comments and blanks kept", "; c\n\n[A]\n;x=0\n  x =1\n\n", "A", "x", "; c\n\n[A]\n;x=0\n\n"},
        {"missing key", "[A]\nx=1\n", "A", "z", "[A]\nx=1\n"},
        {"missing section", "[A]\nx=1\n", "B", "x", "[A]\nx=1\n"},
        {"empty key name", "[A]\n=1\n", "A", "", "[A]\n=1\n"},
    };
    for (const auto &c : cases) {
        const std::string file = dir + "/settings.ini";
        vt::writeFile(file, c.before);
        ::chmod(file.c_str(), 0640);
        Bstr s(c.section), k(c.key), f(file);
        VARIANT args[3];
        for (auto *v : {&args[0], &args[1], &args[2]})
            VariantInit(v), v->vt = VT_BYREF | VT_BSTR;
        args[0].pbstrVal = s.address();
        args[1].pbstrVal = k.address();
        args[2].pbstrVal = f.address();
        vt::invoke(obj.get(), DISPID_RemoveINIKey, {args[0], args[1], args[2]}, &call);
        EXPECT_EQ(call.hr, S_OK) << c.name;
        EXPECT_EQ(call.result.vt, VT_EMPTY) << c.name;
        EXPECT_EQ(vt::readText(file), c.after) << c.name;
        struct stat st;
        ::stat(file.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0640u) << c.name;
    }
    // A missing file is no error, and is not made.
    Bstr s("A"), f(dir + "/none.ini");
    VARIANT a;
    VariantInit(&a);
    a.vt = VT_BSTR;
    a.bstrVal = s.get();
    VARIANT b = a;
    b.bstrVal = f.get();
    vt::invoke(obj.get(), DISPID_RemoveINIKey, {a, a, b}, &call);
    EXPECT_EQ(call.hr, S_OK);
    EXPECT_FALSE(std::filesystem::exists(dir + "/none.ini"));
    // Nor does a FIFO in place of the file hold the call up.
    ASSERT_EQ(::mkfifo((dir + "/fifo.ini").c_str(), 0600), 0);
    Bstr fifo(dir + "/fifo.ini");
    b.bstrVal = fifo.get();
    vt::invoke(obj.get(), DISPID_RemoveINIKey, {a, a, b}, &call);
    EXPECT_EQ(call.hr, S_OK);
}

TEST_F(Methods, IconsFromTheHicolorTheme)
{
    // A private data folder (XDG_DATA_HOME) with a MIME glob and icons.
    const std::string data = vt::root() + "/data";
    std::filesystem::create_directories(data + "/mime");
    vt::writeFile(data + "/mime/globs2", "50:text/html:*.htm\n50:text/x-vatro:*.VTR:cs\n"
                                         "10:text/plain:*.txt\n");
    vt::writeFile(data + "/mime/generic-icons", "text/html:text-x-generic\n");
    for (const char *icon : {"16x16/mimetypes/text-html.png", "32x32/mimetypes/text-x-generic.png",
                             "16x16/places/folder.png", "32x32/mimetypes/text-x-vatro.png"}) {
        const std::string path = data + "/icons/hicolor/" + icon;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        vt::writeFile(path, "png");
    }
    vt::writeFile(dir + "/x.txt", "t");
    vt::writeFile(dir + "/x.VTR", "t");
    vt::writeFile(dir + "/y.vtr", "t");
    const std::string theme = data + "/icons/hicolor/";
    const struct {
        DISPID id;
        std::string file;
        std::string icon; // empty: no picture
        LONG himetric;
    } cases[] = {
        {DISPID_GetSmallIcon, dir + "/page.htm", theme + "16x16/mimetypes/text-html.png", 423},
        {DISPID_GetBigIcon, dir + "/page.htm", theme + "32x32/mimetypes/text-x-generic.png", 847},
        {DISPID_GetBigIcon, dir + "/x.txt", theme + "32x32/mimetypes/text-x-generic.png", 847},
        {DISPID_GetSmallIcon, dir + "/sub folder", theme + "16x16/places/folder.png", 423},
        {DISPID_GetBigIcon, dir + "/x.VTR", theme + "32x32/mimetypes/text-x-vatro.png", 847},
        {DISPID_GetBigIcon, dir + "/y.vtr", "", 0},
        {DISPID_GetSmallIcon, dir + "/x.txt", "", 0},
        {DISPID_GetSmallIcon, dir + "/missing.htm", "", 0},
    };
    for (const auto &c : cases) {
        vt::callText(obj.get(), c.id, c.file, &call);
        ASSERT_EQ(call.hr, S_OK) << c.file;
        ASSERT_EQ(call.result.vt, VT_DISPATCH) << c.file;
        if (c.icon.empty()) {
            EXPECT_EQ(call.result.pdispVal, nullptr) << c.file;
            continue;
        }
        IDispatch *pic = call.result.pdispVal;
        ASSERT_NE(pic, nullptr) << c.file;
        ComPtr<IUnknown> picture;
        EXPECT_EQ(pic->QueryInterface(IID_IPictureDisp, picture.out()), S_OK);
        Variant type, width, height, path, handle;
        EXPECT_EQ(vatro::invoke(pic, "Type", DISPATCH_PROPERTYGET, {}, &type), S_OK);
        vatro::invoke(pic, "Width", DISPATCH_PROPERTYGET, {}, &width);
        vatro::invoke(pic, "height", DISPATCH_PROPERTYGET, {}, &height);
        vatro::invoke(pic, "Path", DISPATCH_PROPERTYGET, {}, &path);
        vatro::invoke(pic, "Handle", DISPATCH_PROPERTYGET, {}, &handle);
        EXPECT_TRUE(type.vt == VT_I2 && type.iVal == 3);
        EXPECT_TRUE(width.vt == VT_I4 && width.lVal == c.himetric) << c.file;
        EXPECT_TRUE(height.vt == VT_I4 && height.lVal == c.himetric) << c.file;
        EXPECT_TRUE(handle.vt == VT_I4 && handle.lVal != 0);
        EXPECT_EQ(vt::utf8(path.bstrVal), c.icon);
        EXPECT_EQ(vatro::invoke(pic, "Width", DISPATCH_PROPERTYPUT, {type}, nullptr),
                  DISP_E_MEMBERNOTFOUND); // read-only
    }
}

} // namespace
