// Files that RemoveINIKey and the class registry rewrite stay the files they
// were: owner, group, mode and hard links kept, also where the folder takes
// no new file; a write that fails leaves the old content and no litter.

#include "support.h"

#include "vatro/ini.h"

#include <sys/resource.h>
#include <sys/stat.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

std::vector<std::string> namesIn(const std::string &folder)
{
    std::vector<std::string> out;
    for (const auto &e : fs::directory_iterator(folder))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(Files, RemoveINIKeyKeepsTheFile)
{
    const bool root = ::getuid() == 0;
    ::chmod(g_root.c_str(), 0711); // so that nobody can reach the folders below
    const std::string base = makeTemp("files"), state = base + "/state";
    fs::create_directories(state);
    ::chmod(base.c_str(), 0755);
    if (root) {
        ASSERT_EQ(::chown(state.c_str(), kNobody, kNobody), 0);
    }
    setEnv("XDG_STATE_HOME", state);
    enum Editor { Self, Nobody, NobodyIfRoot };
    const struct {
        const char *name;
        bool folderWritable;
        bool hardLink;
        uid_t owner; // of the file
        Editor editor;
    } cases[] = {
        {"a second hard link", true, true, ::getuid(), Self},
        {"a folder that takes no new file", false, false, root ? kNobody : ::getuid(), NobodyIfRoot},
        {"root edits nobody's file", true, false, kNobody, Self},
        {"nobody edits root's file", true, false, 0, Nobody},
    };
    int n = 0;
    for (const auto &c : cases) {
        const bool asNobody = c.editor == Nobody || (c.editor == NobodyIfRoot && root);
        if (!root && (c.editor == Nobody || c.owner != ::getuid())) {
            std::printf("note: \"%s\" needs a second user (root), not checked\n", c.name);
            continue;
        }
        const std::string dir = base + "/" + std::to_string(++n), file = dir + "/a.ini";
        fs::create_directories(dir);
        writeFile(file, "[A]\r\nx=1\r\ny=2\r\n");
        if (c.hardLink)
            fs::create_hard_link(file, dir + "/link.ini");
        ASSERT_EQ(::chown(file.c_str(), c.owner, c.owner == kNobody ? kNobody : ::getgid()), 0);
        ::chmod(file.c_str(), 0666);
        ::chmod(dir.c_str(), !c.folderWritable ? 0555 : asNobody ? 0777 : 0755);
        struct stat before, after;
        ASSERT_EQ(::stat(file.c_str(), &before), 0);
        const auto names = namesIn(dir);

        // RemoveINIKey("A", "x", file), as the user nobody in a child process where asked.
        const auto removeKey = [&] {
            const auto obj = newVatro();
            Bstr a("A"), x("x"), f(file);
            Call call;
            invoke(obj.get(), DISPID_RemoveINIKey, {byRef(a), byRef(x), byRef(f)}, &call);
            return call.hr == S_OK && call.result.vt == VT_EMPTY ? 0 : 1;
        };
        EXPECT_EQ(asNobody ? inChild([&] { return becomeNobody() ? removeKey() : 2; }) : removeKey(), 0) << c.name;
        ::chmod(dir.c_str(), 0755);
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(readText(file), "[A]\r\ny=2\r\n") << c.name;
        EXPECT_TRUE(after.st_uid == before.st_uid && after.st_gid == before.st_gid &&
                    after.st_mode == before.st_mode && after.st_nlink == before.st_nlink)
            << c.name << ": owner " << after.st_uid << ", mode " << std::oct << after.st_mode;
        EXPECT_EQ(namesIn(dir), names) << c.name << ": no temporary file or backup left";
        if (fs::exists(state + "/velmora")) {
            EXPECT_TRUE(namesIn(state + "/velmora").empty()) << c.name;
            EXPECT_EQ(fs::status(state + "/velmora").permissions(), fs::perms::owner_all) << c.name;
        }
    }
}

// A write that fails half-way (the file-size limit here) puts the old
// content back and removes its backup.
TEST(Files, FailedWriteKeepsTheOldContent)
{
    const std::string dir = makeTemp("failed-write"), file = dir + "/a.ini";
    const std::string old = "[A]\nthe old content, forty bytes long..\n";
    writeFile(file, old);
    fs::create_hard_link(file, dir + "/link.ini"); // written in place
    const int rc = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{60, 60};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return vatro::replaceFile(file, old, "[A]\n" + std::string(100, 'n')) ? 1 : 0;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(readText(file), old);
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"a.ini", "link.ini"}));
}

} // namespace
