// Replacing the content of an existing file without changing what the file
// is: its owner, group, permissions and hard links stay as they were.

#include "vatro/ini.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vatro {

namespace {

// Writes all of `data` at offset 0.
bool writeAt(int fd, const std::string &data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.data() + done, data.size() - done, off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

// Makes a new file from a mkstemp pattern, writes `data` to it and syncs
// it; the descriptor stays open for the caller (-1 on failure, no file).
int newFileWith(std::string *pattern, const std::string &data)
{
    const int fd = ::mkostemp(pattern->data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (!writeAt(fd, data) || ::fsync(fd) != 0) {
        ::close(fd);
        ::unlink(pattern->c_str());
        return -1;
    }
    return fd;
}

std::string env(const char *name)
{
    const char *v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// Creates the folders of an absolute path that are missing, each 0700.
bool makeFolders(const std::string &path)
{
    for (std::size_t pos = path.find('/', 1);; pos = path.find('/', pos + 1)) {
        const std::string dir = path.substr(0, pos);
        if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (pos == std::string::npos)
            return true;
    }
}

// The old content in a backup file: beside the file when its folder takes
// new files, else in the per-user state folder. Empty when neither works.
std::string backUp(const std::string &path, const std::string &old)
{
    std::string pattern = path + ".bak-XXXXXX";
    int fd = newFileWith(&pattern, old);
    if (fd < 0) {
        const std::string folder = stateFolder();
        if (folder.empty())
            return {};
        pattern = folder + "/" + path.substr(path.rfind('/') + 1) + ".bak-XXXXXX";
        fd = newFileWith(&pattern, old);
    }
    if (fd < 0)
        return {};
    ::close(fd);
    return pattern;
}

// A new file beside the old one renamed over it. Only where that keeps
// the file what it was: one link, and an owner and group the new file can
// be given. False, with nothing changed, otherwise.
bool replaceByRename(const std::string &path, const struct stat &st, const std::string &data)
{
    if (st.st_nlink != 1)
        return false;
    std::string tmp = path + ".XXXXXX";
    const int fd = newFileWith(&tmp, data);
    if (fd < 0)
        return false;
    // The owner first: a change of owner may clear the set-id bits.
    bool ok = ::fchown(fd, st.st_uid, st.st_gid) == 0 && ::fchmod(fd, st.st_mode & 07777) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(tmp.c_str());
    return ok;
}

// Overwrites the file itself, after copying `old` to a backup. A failed
// write puts the old content back; the backup is removed once the file
// holds either the new or the old content, and stays only when neither
// could be written.
bool replaceInPlace(const std::string &path, const struct stat &st, const std::string &old,
                    const std::string &data)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat now;
    if (::fstat(fd, &now) != 0 || !S_ISREG(now.st_mode) || now.st_ino != st.st_ino ||
        now.st_dev != st.st_dev) {
        ::close(fd);
        return false;
    }
    const std::string backup = backUp(path, old);
    if (backup.empty()) {
        ::close(fd);
        return false;
    }
    const bool written = writeAt(fd, data) && ::ftruncate(fd, off_t(data.size())) == 0 && ::fsync(fd) == 0;
    const bool intact = written || (writeAt(fd, old) && ::ftruncate(fd, off_t(old.size())) == 0 &&
                                    ::fsync(fd) == 0);
    ::close(fd);
    if (intact)
        ::unlink(backup.c_str());
    return written;
}

} // namespace

std::string stateFolder()
{
    std::string base = env("XDG_STATE_HOME");
    if (base.empty() || base[0] != '/') {
        std::string home = env("HOME");
        if (home.empty())
            if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
                home = pw->pw_dir;
        if (home.empty() || home[0] != '/')
            return {};
        base = home + "/.local/state";
    }
    const std::string folder = base + "/velmora";
    struct stat st;
    // Only a real folder of this user, open to nobody else.
    if (!makeFolders(folder) || ::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)
        return {};
    return folder;
}

bool replaceFile(const std::string &path, const std::optional<std::string> &old, const std::string &data)
{
    struct stat st;
    if (!old) {
        // A new file: made whole, then put in place, never over another.
        if (::lstat(path.c_str(), &st) == 0)
            return false;
        std::string tmp = path + ".XXXXXX";
        const int fd = newFileWith(&tmp, data);
        if (fd < 0)
            return false;
        bool ok = ::fchmod(fd, 0644) == 0;
        ok = (::close(fd) == 0) && ok;
        ok = ok && ::rename(tmp.c_str(), path.c_str()) == 0;
        if (!ok)
            ::unlink(tmp.c_str());
        return ok;
    }
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    if (!S_ISREG(st.st_mode))
        return false;
    return replaceByRename(path, st, data) || replaceInPlace(path, st, *old, data);
}

} // namespace vatro
