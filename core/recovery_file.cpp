#include "core/recovery_file.h"

#include "core/native_path.h"
#include "core/state_folder.h"

#include <QDir>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kMagic = "Velmora unsaved text\n";
const QString kPrefix = QStringLiteral("unsaved-");
constexpr qint64 kHeaderBytes = 64 << 10; // a percent-encoded name fits many times

// "unsaved-" and the letters and digits mkstemp chooses: the lock, a
// half-written copy and anything else are no recovery files.
bool isRecoveryName(const QString &name)
{
    if (!name.startsWith(kPrefix) || name.size() == kPrefix.size())
        return false;
    for (qsizetype i = kPrefix.size(); i < name.size(); ++i)
        if (name[i].unicode() > 0x7F || !name[i].isLetterOrNumber())
            return false;
    return true;
}

// Opens `name` for reading if it is a regular file itself (not a link) of
// at most `maxBytes`; -1 otherwise.
int openRegular(const QByteArray &name, qint64 maxBytes, struct stat *st)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode) || st->st_size > maxBytes) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// At most `maxBytes` from the start of `fd`.
QByteArray readUpTo(int fd, qint64 maxBytes)
{
    QByteArray bytes;
    char buf[1 << 16];
    while (bytes.size() < maxBytes) {
        const ssize_t n = ::read(fd, buf, size_t(std::min<qint64>(sizeof buf, maxBytes - bytes.size())));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.append(buf, qsizetype(n));
    }
    return bytes;
}

} // namespace

QByteArray unsavedTextHeader(const QString &fileName, FileEncoding encoding)
{
    QByteArray out = kMagic;
    out += "name: " + nativePath(fileName).toPercentEncoding() + '\n';
    out += encoding == FileEncoding::Latin1 ? "encoding: iso-8859-1\n" : "encoding: utf-8\n";
    out += '\n';
    return out;
}

QByteArray encodeUnsavedText(const UnsavedText &unsaved)
{
    return unsavedTextHeader(unsaved.fileName, unsaved.encoding) + unsaved.text.toUtf8();
}

std::optional<UnsavedText> decodeUnsavedText(const QByteArray &bytes)
{
    if (!bytes.startsWith(kMagic))
        return std::nullopt;
    const qsizetype end = bytes.indexOf("\n\n", kMagic.size() - 1);
    if (end < 0)
        return std::nullopt;
    UnsavedText unsaved;
    bool named = false, encoded = false;
    const QByteArray header = bytes.mid(kMagic.size(), end + 1 - kMagic.size());
    for (const QByteArray &line : header.split('\n')) {
        if (line.startsWith("name: ")) {
            unsaved.fileName = pathFromNative(QByteArray::fromPercentEncoding(line.mid(6)));
            named = true;
        } else if (line == "encoding: iso-8859-1" || line == "encoding: utf-8") {
            unsaved.encoding = line.endsWith("1") ? FileEncoding::Latin1 : FileEncoding::Utf8;
            encoded = true;
        }
    }
    if (!named || !encoded)
        return std::nullopt;
    // A byte-order mark at the start is the document's own.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    unsaved.text = utf8.decode(QByteArrayView(bytes).sliced(end + 2));
    return unsaved;
}

RecoveryFile::~RecoveryFile()
{
    if (lock_ >= 0)
        ::close(lock_);
}

std::optional<FileError> RecoveryFile::write(QByteArrayView header, QByteArrayView text, bool sync)
{
    if (lock_ < 0) {
        // The lock first: the file is never there without it.
        if (!makeStateFolder())
            return systemError(errno);
        QByteArray lock = nativePath(stateFolder() + QLatin1Char('/') + kPrefix) + "XXXXXX.lock";
        const int fd = ::mkostemps(lock.data(), 5, O_CLOEXEC); // mode 0600
        if (fd < 0)
            return systemError(errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int e = errno;
            ::unlink(lock.constData());
            ::close(fd);
            return systemError(e);
        }
        lock_ = fd;
        path_ = lock.chopped(5);
    }
    const QByteArray temp = path_ + ".new";
    ::unlink(temp.constData());
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return systemError(errno);
    std::optional<FileError> error = writeParts(fd, {header, text});
    if (!error && sync && ::fsync(fd) != 0)
        error = systemError(errno);
    if (::close(fd) != 0 && !error)
        error = systemError(errno);
    if (!error && ::rename(temp.constData(), path_.constData()) != 0)
        error = systemError(errno);
    if (error)
        ::unlink(temp.constData());
    return error;
}

void RecoveryFile::remove()
{
    if (!path_.isEmpty())
        ::unlink(path_.constData());
}

void RecoveryFile::discard()
{
    if (lock_ < 0)
        return;
    remove();
    ::unlink((path_ + ".lock").constData());
    ::close(lock_);
    lock_ = -1;
    path_.clear();
}

QString RecoveryFile::path() const
{
    return path_.isEmpty() ? QString() : pathFromNative(path_);
}

LeftRecovery::LeftRecovery(LeftRecovery &&other) noexcept
    : path(std::move(other.path)),
      fileName(std::move(other.fileName)),
      modified(other.modified),
      lock_(std::exchange(other.lock_, -1))
{
}

LeftRecovery &LeftRecovery::operator=(LeftRecovery &&other) noexcept
{
    if (this != &other) {
        if (lock_ >= 0)
            ::close(lock_);
        path = std::move(other.path);
        fileName = std::move(other.fileName);
        modified = other.modified;
        lock_ = std::exchange(other.lock_, -1);
    }
    return *this;
}

LeftRecovery::~LeftRecovery()
{
    if (lock_ >= 0)
        ::close(lock_);
}

std::optional<UnsavedText> LeftRecovery::read(qint64 maxBytes) const
{
    struct stat st {};
    const int fd = openRegular(nativePath(path), maxBytes, &st);
    if (fd < 0)
        return std::nullopt;
    const QByteArray bytes = readUpTo(fd, maxBytes);
    ::close(fd);
    return decodeUnsavedText(bytes);
}

void LeftRecovery::discard()
{
    const QByteArray name = nativePath(path);
    ::unlink(name.constData());
    ::unlink((name + ".new").constData());
    ::unlink((name + ".lock").constData());
}

qint64 maxRecoveryBytes()
{
    return 2 * maxDocumentBytes() + kHeaderBytes;
}

std::vector<LeftRecovery> leftRecoveryFiles(qint64 maxBytes)
{
    std::vector<LeftRecovery> found;
    const QString folder = stateFolder();
    const QStringList names = QDir(folder).entryList(
        {kPrefix + QLatin1Char('*')}, QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        if (!isRecoveryName(name))
            continue;
        const QByteArray path = nativePath(folder + QLatin1Char('/') + name);
        const QByteArray lockName = path + ".lock";
        // A file left by an editor of old, without a lock, gets one now.
        bool made = true;
        int lock = ::open(lockName.constData(),
                          O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
        if (lock < 0 && errno == EEXIST) {
            made = false;
            lock = ::open(lockName.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        }
        if (lock < 0)
            continue;
        if (::flock(lock, LOCK_EX | LOCK_NB) != 0) { // a running editor's
            ::close(lock);
            continue;
        }
        struct stat st {};
        std::optional<UnsavedText> header;
        if (const int fd = openRegular(path, maxBytes, &st); fd >= 0) {
            header = decodeUnsavedText(readUpTo(fd, kHeaderBytes));
            ::close(fd);
        }
        if (!header) { // gone meanwhile, or not one of ours: left as it is
            if (made)
                ::unlink(lockName.constData());
            ::close(lock);
            continue;
        }
        LeftRecovery left;
        left.path = pathFromNative(path);
        left.fileName = header->fileName;
        left.modified = st.st_mtim.tv_sec;
        left.lock_ = lock;
        found.push_back(std::move(left));
    }
    std::stable_sort(found.begin(), found.end(), [](const LeftRecovery &a, const LeftRecovery &b) {
        return a.modified < b.modified;
    });
    return found;
}
