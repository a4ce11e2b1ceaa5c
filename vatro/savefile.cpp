// Giving a file new content without changing what the file is: a new file
// renamed over the old one where that keeps its owner, group, mode and
// links; elsewhere the file written in place after a copy of its old
// content was put aside, so that a failed write can be undone.

#include "vatro/savefile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vatro {

namespace {

// Closes a descriptor on every way out.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    // Closes it now; false (errno set) when the close reports a failed write.
    bool close()
    {
        const int f = fd;
        fd = -1;
        return ::close(f) == 0;
    }
};

bool writeAt(int fd, std::string_view data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.data() + done, data.size() - done, off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

// The file holds exactly `data`, on the disk.
bool writeWhole(int fd, std::string_view data)
{
    return writeAt(fd, data) && ::ftruncate(fd, off_t(data.size())) == 0 && ::fsync(fd) == 0;
}

bool readAll(int fd, std::string *out)
{
    char buf[65536];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, buf, sizeof buf, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        out->append(buf, std::size_t(n));
        at += n;
    }
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string &path)
{
    return path.substr(path.rfind('/') + 1); // npos + 1 is 0
}

void syncFolder(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Six letters and digits, different on each call.
std::string randomTag()
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned long long> calls{0};
    unsigned long long bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != ssize_t(sizeof bits)) {
        timespec t{};
        ::clock_gettime(CLOCK_REALTIME, &t);
        bits = (static_cast<unsigned long long>(t.tv_nsec) ^ (static_cast<unsigned long long>(::getpid()) << 30)) *
                   0x9E3779B97F4A7C15ULL + ++calls * 0xBF58476D1CE4E5B9ULL;
    }
    std::string tag;
    for (int i = 0; i < 6; ++i, bits /= 62)
        tag += kChars[bits % 62];
    return tag;
}

// A new file "<folder>/.<name><suffix>XXXXXX" made with `mode` (the umask
// applies), its name cut short, at a character, where the folder's file
// system allows no name that long. Its path goes to `path`.
int makeTemp(const std::string &folder, const std::string &name, const char *suffix, mode_t mode,
             std::string *path)
{
    errno = 0;
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest < 0)
        longest = errno ? NAME_MAX : LONG_MAX; // -1 alone: no limit
    const std::size_t fixed = 1 + std::strlen(suffix) + 6;
    std::size_t keep = longest > long(fixed) ? std::min(name.size(), std::size_t(longest) - fixed) : 0;
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep; // not inside a UTF-8 sequence
    const std::string stem = (folder == "/" ? "" : folder) + "/." + name.substr(0, keep) + suffix;
    for (int tries = 0; tries < 100; ++tries) {
        *path = stem + randomTag();
        const int fd = ::open(path->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

SaveFailure failure(SaveFailure::Kind kind, int error)
{
    return SaveFailure{kind, error, {}};
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

// A new file: written whole under a temporary name, then put in place only
// where no file is there yet (a hard link where the file system cannot
// rename without replacing).
std::optional<SaveFailure> createNew(const std::string &path, std::string_view data)
{
    std::string temp;
    Fd f;
    f.fd = makeTemp(folderOf(path), nameOf(path), ".velmora-", 0666, &temp);
    if (f.fd < 0)
        return failure(SaveFailure::NotMade, errno);
    bool done = writeWhole(f.fd, data) && f.close();
    if (done && ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
        syncFolder(folderOf(path));
        return std::nullopt;
    }
    done = done && (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) &&
           ::link(temp.c_str(), path.c_str()) == 0;
    const int error = errno;
    ::unlink(temp.c_str());
    if (!done)
        return failure(SaveFailure::NotMade, error);
    syncFolder(folderOf(path));
    return std::nullopt;
}

// The new content in a new file beside the old one, given the old one's
// owner, group and mode, and renamed over it. `fallBack` is set, with
// nothing changed, where that cannot keep the file as it was.
std::optional<SaveFailure> replaceByRename(const std::string &path, const struct stat &old,
                                           std::string_view data, bool *fallBack)
{
    std::string temp;
    Fd f;
    f.fd = makeTemp(folderOf(path), nameOf(path), ".velmora-", 0600, &temp);
    if (f.fd < 0) {
        *fallBack = true; // the folder takes no new file
        return std::nullopt;
    }
    const auto discard = [&](int error, bool back) -> std::optional<SaveFailure> {
        ::unlink(temp.c_str());
        *fallBack = back;
        return back ? std::nullopt : std::optional<SaveFailure>(failure(SaveFailure::Unchanged, error));
    };
    struct stat st {};
    if (::fstat(f.fd, &st) != 0 ||
        ((st.st_uid != old.st_uid || st.st_gid != old.st_gid) && ::fchown(f.fd, old.st_uid, old.st_gid) != 0))
        return discard(errno, true);
    // After the owner: a change of owner clears the set-user and set-group bits.
    if (::fchmod(f.fd, old.st_mode & 07777) != 0 || !writeWhole(f.fd, data) || !f.close())
        return discard(errno, false);
    struct stat now {};
    if (::lstat(path.c_str(), &now) != 0 || !sameFile(now, old))
        return discard(EBUSY, false); // another file put there meanwhile stays
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno; // EPERM: a sticky folder and someone else's file
        return discard(error, error == EPERM || error == EACCES);
    }
    syncFolder(folderOf(path));
    return std::nullopt;
}

// The old content goes to a backup beside the file, or in the state folder
// when the file's folder takes no new file; then the file is overwritten.
// A failed write puts the old content back; the backup stays only when
// even that failed.
std::optional<SaveFailure> writeInPlace(const std::string &path, const struct stat &old, std::string_view data)
{
    Fd f;
    f.fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    struct stat st {};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0)
        return failure(SaveFailure::Unchanged, errno);
    if (!sameFile(st, old))
        return failure(SaveFailure::Unchanged, EBUSY);
    std::string before;
    if (!readAll(f.fd, &before))
        return failure(SaveFailure::Unchanged, errno);

    std::string backup;
    Fd b;
    b.fd = makeTemp(folderOf(path), nameOf(path), ".velmora-backup-", 0600, &backup);
    if (b.fd < 0) {
        const std::string state = privateStateFolder();
        if (!state.empty())
            b.fd = makeTemp(state, nameOf(path), ".velmora-backup-", 0600, &backup);
        if (b.fd < 0)
            return failure(SaveFailure::NoBackup, errno);
    }
    if (!writeWhole(b.fd, before) || !b.close()) {
        const int error = errno;
        ::unlink(backup.c_str());
        return failure(SaveFailure::NoBackup, error);
    }
    if (writeWhole(f.fd, data)) {
        ::unlink(backup.c_str());
        return std::nullopt;
    }
    const int error = errno;
    if (writeWhole(f.fd, before)) {
        ::unlink(backup.c_str());
        return failure(SaveFailure::Unchanged, error);
    }
    return SaveFailure{SaveFailure::BackupKept, error, backup};
}

std::string env(const char *name)
{
    const char *v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace

std::optional<SaveFailure> saveFile(const std::string &given, std::string_view data, bool createOnly)
{
    std::string path = given;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char *real = ::realpath(path.c_str(), nullptr);
        if (!real) // a link to nothing: no file is made through it
            return failure(SaveFailure::NotMade, errno);
        path = real;
        std::free(real);
    }
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return failure(SaveFailure::NotMade, errno);
        return createNew(path, data);
    }
    const auto refuse = [](int error) { return failure(SaveFailure::Unchanged, error); };
    if (createOnly)
        return refuse(EEXIST);
    if (S_ISDIR(st.st_mode))
        return refuse(EISDIR);
    if (!S_ISREG(st.st_mode))
        return refuse(S_ISLNK(st.st_mode) ? ELOOP : EINVAL);
    // A read-only file is not replaced, even where the folder would allow
    // it: neither one the user may not write, nor one without any write
    // permission (which the superuser could write).
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return refuse(errno);
    if ((st.st_mode & 0222) == 0)
        return refuse(EACCES);
    if (st.st_nlink == 1) {
        bool fallBack = false;
        std::optional<SaveFailure> result = replaceByRename(path, st, data, &fallBack);
        if (!fallBack)
            return result;
    }
    return writeInPlace(path, st, data);
}

std::string stateFolderPath()
{
    std::string base = env("XDG_STATE_HOME");
    if (base.empty() || base[0] != '/') {
        std::string home = env("HOME");
        if (home.empty() || home[0] != '/') {
            const passwd *pw = ::getpwuid(::geteuid());
            home = pw && pw->pw_dir && pw->pw_dir[0] == '/' ? pw->pw_dir : "";
        }
        base = (home == "/" ? std::string() : home) + "/.local/state";
    }
    return base + "/velmora";
}

std::string privateStateFolder()
{
    const std::string folder = stateFolderPath();
    // Its parents as mkdir -p makes them, private where they are new.
    for (std::size_t pos = folder.find('/', 1);; pos = folder.find('/', pos + 1)) {
        if (::mkdir(folder.substr(0, pos).c_str(), 0700) != 0 && errno != EEXIST)
            return {};
        if (pos == std::string::npos)
            break;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        return {};
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0) {
        errno = S_ISDIR(st.st_mode) ? EACCES : ENOTDIR;
        return {};
    }
    return folder;
}

FileLock::FileLock(const std::string &file, bool tidy)
    : path_(file + ".lock")
{
    for (int tries = 0; tries < 100; ++tries) {
        int fd = ::open(path_.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        bool made = false;
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
            made = fd >= 0;
            if (fd < 0 && errno == EEXIST)
                continue;
        }
        if (fd < 0)
            return;
        int locked = 0;
        while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        struct stat held {}, named {};
        if (locked == 0 && ::fstat(fd, &held) == 0 && ::lstat(path_.c_str(), &named) == 0 &&
            sameFile(held, named)) {
            fd_ = fd;
            remove_ = made && tidy;
            return;
        }
        const int error = errno;
        ::close(fd);
        errno = error;
        if (locked != 0)
            return;
        // Removed by the one who made it while this waited: lock the one there now.
    }
}

FileLock::~FileLock()
{
    if (fd_ < 0)
        return;
    if (remove_)
        ::unlink(path_.c_str());
    ::close(fd_);
}

} // namespace vatro
