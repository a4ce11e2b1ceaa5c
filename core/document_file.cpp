#include "core/document_file.h"

#include "core/native_path.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <climits>
#include <vector>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

FileError errnoError(int number)
{
    return systemError(number);
}

bool hasSurrogates(const QString &text)
{
    for (const QChar c : text)
        if (c.isSurrogate())
            return true;
    return false;
}

} // namespace

FileError systemError(int number)
{
    return {QString::fromLocal8Bit(std::strerror(number)), number};
}

std::optional<FileError> writeParts(int fd, std::initializer_list<QByteArrayView> parts)
{
    std::vector<iovec> io;
    for (const QByteArrayView part : parts)
        if (!part.isEmpty())
            io.push_back({const_cast<char *>(part.data()), size_t(part.size())});
    iovec *part = io.data();
    size_t count = io.size();
    while (count > 0) {
        const ssize_t n = ::writev(fd, part, int(std::min<size_t>(count, IOV_MAX)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        // Step past what was written, part by part.
        size_t done = size_t(n);
        while (count > 0 && done >= part->iov_len) {
            done -= part->iov_len;
            ++part;
            --count;
        }
        if (count > 0) {
            part->iov_base = static_cast<char *>(part->iov_base) + done;
            part->iov_len -= done;
        }
    }
    return std::nullopt;
}

FileEncoding documentEncoding(const QByteArray &bytes)
{
    return QByteArrayView(bytes).isValidUtf8() ? FileEncoding::Utf8 : FileEncoding::Latin1;
}

DecodedDocument decodeDocument(const QByteArray &bytes)
{
    if (documentEncoding(bytes) == FileEncoding::Latin1)
        return {QString::fromLatin1(bytes), FileEncoding::Latin1};
    // A byte-order mark stays in the text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return {utf8.decode(bytes), FileEncoding::Utf8};
}

QByteArray encodeDocument(const QString &text, FileEncoding encoding)
{
    QByteArray out = encodeText(text, encoding);
    out.append("\r\n", 2);
    return out;
}

QByteArray encodeText(const QString &text, FileEncoding encoding)
{
    QByteArray out;
    if (encoding == FileEncoding::Utf8) {
        // Qt writes a lone surrogate as "?".
        out = text.toUtf8();
    } else if (!hasSurrogates(text)) {
        out = text.toLatin1(); // "?" for what ISO-8859-1 cannot hold
    } else {
        // A character outside the basic plane is one "?", not two.
        out.reserve(text.size() + 2);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            out.append(c.unicode() <= 0xFF ? char(c.unicode()) : '?');
        }
    }
    return out;
}

FileStamp fileStamp(const QString &path)
{
    FileStamp f;
    const QByteArray name = nativePath(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0)
        return f;
    f.exists = true;
    f.link = S_ISLNK(st.st_mode);
    // A link is known by the file it leads to as well.
    if (f.link && ::stat(name.constData(), &st) != 0)
        return f;
    f.regular = S_ISREG(st.st_mode);
    f.size = st.st_size;
    f.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    f.ctimeNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    f.inode = st.st_ino;
    f.device = st.st_dev;
    return f;
}

QString linkTarget(const QString &path)
{
    char buf[4096];
    const ssize_t n = ::readlink(nativePath(path).constData(), buf, sizeof buf);
    return n > 0 ? pathFromNative(QByteArrayView(buf, n)) : QString();
}

bool isDocumentFile(const QString &path)
{
    return fileKind(path) == FileKind::Regular;
}

FileKind fileKind(const QString &path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(nativePath(path).constData(), &st) != 0)
        return FileKind::Missing;
    if (S_ISREG(st.st_mode))
        return FileKind::Regular;
    if (S_ISDIR(st.st_mode))
        return FileKind::Folder;
    return S_ISFIFO(st.st_mode) ? FileKind::Fifo : FileKind::Other;
}

bool losesCharacters(const QString &text, FileEncoding encoding)
{
    if (encoding == FileEncoding::Utf8)
        return false;
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return true;
    return false;
}

qint64 maxDocumentBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    const qint64 limit = qint64(1) << 30;
    if (pages <= 0 || pageSize <= 0)
        return limit;
    return std::min(limit, qint64(pages) * pageSize / 4);
}

ReadResult readDocumentFile(const QString &path, qint64 maxBytes)
{
    ReadResult r;
    const QByteArray name = nativePath(path);
    // Not blocking, so that a FIFO without a writer cannot hang the editor.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        r.openFailed = true;
        r.error = errnoError(errno);
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r.openFailed = r.notRegular = true;
        r.error = errnoError(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        ::close(fd);
        return r;
    }
    r.size = st.st_size;
    if (st.st_size > maxBytes) {
        r.tooLarge = true;
        r.error = errnoError(EFBIG);
        ::close(fd);
        return r;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QByteArray bytes;
    if (st.st_size > 0)
        bytes.reserve(qsizetype(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            // A file that grows while it is read still stops at the limit.
            if (bytes.size() + n > maxBytes) {
                r.tooLarge = true;
                r.error = errnoError(EFBIG);
                ::close(fd);
                return r;
            }
            bytes.append(buf, qsizetype(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.error = errnoError(errno);
            ::close(fd);
            return r;
        }
        break;
    }
    ::close(fd);
    r.bytes = std::move(bytes);
    return r;
}

// What is at `name` when it is not a regular file, in words; nothing for a
// regular file or none. Whether a FIFO has a reader or not, whether a link
// leads anywhere, the same thing is in the way and is called the same.
static std::optional<FileError> notRegularFile(const QByteArray &name)
{
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || S_ISREG(st.st_mode))
        return std::nullopt;
    const char *what = S_ISLNK(st.st_mode)    ? "a symbolic link"
                       : S_ISFIFO(st.st_mode) ? "a FIFO (named pipe)"
                       : S_ISDIR(st.st_mode)  ? "a folder"
                       : S_ISSOCK(st.st_mode) ? "a socket"
                                              : "a device";
    return FileError{QStringLiteral("%1 is in its place, not a regular file").arg(QLatin1String(what)),
                     EINVAL};
}

std::optional<FileError> writePreviewFile(const QString &path, QByteArrayView text)
{
    const QByteArray name = nativePath(path);
    const int fd = ::open(name.constData(),
                          O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) {
        const int e = errno;
        return notRegularFile(name).value_or(errnoError(e));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        if (!S_ISREG(st.st_mode))
            return notRegularFile(name).value_or(errnoError(EINVAL));
        return errnoError(EPERM);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::optional<FileError> result;
    if (::fchmod(fd, 0600) != 0)
        result = errnoError(errno);
    // The text and the line end go out together, over the old text, and
    // what is left of that is cut off after them (as far as they went, if
    // a write fails). Cutting the file to nothing first would have ext4
    // (auto_da_alloc) start writing it out to the disk at every close: a
    // millisecond of every change shown.
    if (!result) {
        result = writeParts(fd, {text, QByteArrayView("\r\n", 2)});
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        if (::ftruncate(fd, end < 0 ? 0 : end) != 0 && !result)
            result = errnoError(errno);
    }
    if (::close(fd) != 0 && !result)
        result = errnoError(errno);
    return result;
}

void releaseFifoReaders(const QString &path)
{
    const QByteArray name = nativePath(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISFIFO(st.st_mode))
        return;
    const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0)
        ::close(fd);
}
