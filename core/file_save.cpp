// Saving a document over an existing file without taking anything from it
// that the user did not change: its owner, group and mode, its other hard
// links, and a symbolic link that names it. The new text goes to a new file
// renamed over the old one where that keeps all of these; elsewhere the file
// is written in place after a copy of its old content was put aside, so a
// failed write can be undone.

#include "core/document_file.h"
#include "core/native_path.h"
#include "core/state_folder.h"

#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileError errnoError(int number, const QString &note = QString())
{
    QString description = QString::fromLocal8Bit(std::strerror(number));
    if (!note.isEmpty())
        description += QStringLiteral(" (") + note + QLatin1Char(')');
    return {description, number};
}

const QString kUnchanged = QStringLiteral("the file was left as it was");

// Closes a descriptor on every way out.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int release()
    {
        const int f = fd;
        fd = -1;
        return f;
    }
};

bool writeAllAt(int fd, const char *p, size_t left, off_t at)
{
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, p, left, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        at += n;
        left -= size_t(n);
    }
    return true;
}

bool readAll(int fd, QByteArray *out)
{
    char buf[1 << 16];
    off_t at = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buf, sizeof buf, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        out->append(buf, qsizetype(n));
        at += n;
    }
}

// A new private file "<dir>/<prefix>XXXXXX"; its name in `path`.
int makeTemp(const QByteArray &dir, const QByteArray &prefix, QByteArray *path)
{
    QByteArray pattern = dir + '/' + prefix + "XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0)
        *path = pattern;
    return fd;
}

// The new file beside the old one, with the old one's owner, group and
// mode, renamed over it. `fallBack` is set (and nothing was changed) when
// the rename cannot keep the owner or group, or the folder refuses it.
std::optional<FileError> replaceByRename(const QByteArray &name, const QByteArray &dir,
                                         const QByteArray &base, const struct stat &old,
                                         const QByteArray &bytes, bool *fallBack)
{
    QByteArray temp;
    Fd f;
    f.fd = makeTemp(dir, '.' + base + ".velmora-", &temp);
    if (f.fd < 0) {
        *fallBack = true; // the folder may be full of names, or odd: try in place
        return std::nullopt;
    }
    auto discard = [&] { ::unlink(temp.constData()); };

    struct stat st {};
    if (::fstat(f.fd, &st) != 0 || ((st.st_uid != old.st_uid || st.st_gid != old.st_gid)
                                    && ::fchown(f.fd, old.st_uid, old.st_gid) != 0)) {
        discard();
        *fallBack = true;
        return std::nullopt;
    }
    // After the owner: changing it clears the set-user and set-group bits.
    if (::fchmod(f.fd, old.st_mode & 07777) != 0 || !writeAllAt(f.fd, bytes.constData(), size_t(bytes.size()), 0)
        || ::fsync(f.fd) != 0) {
        const int e = errno;
        discard();
        return errnoError(e, kUnchanged);
    }
    if (::close(f.release()) != 0) {
        const int e = errno;
        discard();
        return errnoError(e, kUnchanged);
    }
    if (::rename(temp.constData(), name.constData()) != 0) {
        const int e = errno;
        discard();
        if (e == EPERM || e == EACCES) { // a sticky folder and a file of someone else's
            *fallBack = true;
            return std::nullopt;
        }
        return errnoError(e, kUnchanged);
    }
    return std::nullopt;
}

// The old content goes to a backup beside the file, or in the state folder
// when the file's folder cannot take it; then the file is overwritten and
// cut to its new length. A failed write puts the old content back; the
// backup stays only when even that failed.
std::optional<FileError> writeInPlace(const QByteArray &name, const QByteArray &dir,
                                      const QByteArray &base, const QByteArray &bytes)
{
    Fd f;
    f.fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (f.fd < 0)
        return errnoError(errno, kUnchanged);
    QByteArray old;
    if (!readAll(f.fd, &old))
        return errnoError(errno, kUnchanged);

    QByteArray backup;
    Fd b;
    if (::access(dir.constData(), W_OK | X_OK) == 0)
        b.fd = makeTemp(dir, '.' + base + ".velmora-backup-", &backup);
    if (b.fd < 0 && makeStateFolder())
        b.fd = makeTemp(nativePath(stateFolder()), base + ".backup-", &backup);
    if (b.fd < 0)
        return errnoError(errno, QStringLiteral("no copy of the old content could be kept; ")
                                     + kUnchanged);
    if (!writeAllAt(b.fd, old.constData(), size_t(old.size()), 0) || ::fsync(b.fd) != 0
        || ::close(b.release()) != 0) {
        const int e = errno;
        ::unlink(backup.constData());
        return errnoError(e, QStringLiteral("no copy of the old content could be kept; ")
                                 + kUnchanged);
    }

    if (writeAllAt(f.fd, bytes.constData(), size_t(bytes.size()), 0)
        && ::ftruncate(f.fd, off_t(bytes.size())) == 0 && ::fsync(f.fd) == 0) {
        ::unlink(backup.constData());
        return std::nullopt;
    }
    const int e = errno;
    if (writeAllAt(f.fd, old.constData(), size_t(old.size()), 0)
        && ::ftruncate(f.fd, off_t(old.size())) == 0 && ::fsync(f.fd) == 0) {
        ::unlink(backup.constData());
        return errnoError(e, kUnchanged);
    }
    return errnoError(e, QStringLiteral("its old content is kept in ") + pathFromNative(backup));
}

// A new file: made beside its final name and renamed into place, so that a
// failed write leaves nothing half-written under that name.
std::optional<FileError> createNew(const QByteArray &name, const QByteArray &dir,
                                   const QByteArray &base, const QByteArray &bytes)
{
    QByteArray temp;
    Fd f;
    f.fd = makeTemp(dir, '.' + base + ".velmora-", &temp);
    if (f.fd < 0)
        return errnoError(errno);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool done = ::fchmod(f.fd, 0666 & ~mask) == 0
                && writeAllAt(f.fd, bytes.constData(), size_t(bytes.size()), 0) && ::fsync(f.fd) == 0
                && ::close(f.release()) == 0;
    if (done) {
        // Never over a file made meanwhile; a file system without hard
        // links takes the rename.
        if (::link(temp.constData(), name.constData()) == 0) {
            ::unlink(temp.constData());
            return std::nullopt;
        }
        done = errno != EEXIST && ::rename(temp.constData(), name.constData()) == 0;
    }
    if (done)
        return std::nullopt;
    const int e = errno;
    ::unlink(temp.constData());
    return errnoError(e);
}

} // namespace

std::optional<FileError> saveDocumentFile(const QString &path, const QByteArray &bytes)
{
    QByteArray name = nativePath(path);
    // A symbolic link stays a link: the file it names is saved.
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char *real = ::realpath(name.constData(), nullptr)) {
            name = real;
            std::free(real);
        }
    }
    const QFileInfo info(pathFromNative(name));
    const QByteArray dir = nativePath(info.absolutePath());
    const QByteArray base = nativePath(info.fileName());

    if (::stat(name.constData(), &st) != 0) {
        if (errno != ENOENT)
            return errnoError(errno);
        return createNew(name, dir, base, bytes);
    }
    if (S_ISDIR(st.st_mode))
        return errnoError(EISDIR, kUnchanged);
    if (!S_ISREG(st.st_mode))
        return errnoError(EINVAL, kUnchanged);
    // A read-only file is not replaced, even where the folder would allow
    // it: neither one the user may not write, nor one without any write
    // permission (which the superuser could write).
    if (::access(name.constData(), W_OK) != 0)
        return errnoError(errno, kUnchanged);
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return errnoError(EACCES, kUnchanged);

    if (st.st_nlink == 1 && ::access(dir.constData(), W_OK | X_OK) == 0) {
        bool fallBack = false;
        std::optional<FileError> result = replaceByRename(name, dir, base, st, bytes, &fallBack);
        if (!fallBack)
            return result;
    }
    return writeInPlace(name, dir, base, bytes);
}
