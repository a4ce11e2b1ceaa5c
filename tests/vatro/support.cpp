#include "support.h"

std::string vt::g_root;

// Runs the suites in a private folder with their own class registry, home
// and data folders, and removes it afterwards.
int main(int argc, char **argv)
{
    char pattern[] = "/tmp/vatro-test-XXXXXX";
    if (!::mkdtemp(pattern))
        return std::perror("mkdtemp"), 2;
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
