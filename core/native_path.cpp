#include "core/native_path.h"

#include "vatro/text.h"

#include <unistd.h>
#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr char16_t kRawByte = 0xDC00; // + the byte, 0x80..0xFF

bool isRawByte(QStringView s, qsizetype i)
{
    const char16_t c = s[i].unicode();
    return c >= kRawByte + 0x80 && c <= kRawByte + 0xFF
        && (i == 0 || !s[i - 1].isHighSurrogate());
}

} // namespace

QString pathFromNative(QByteArrayView bytes)
{
    return QString::fromStdU16String(
        vatro::fromUtf8(std::string(bytes.data(), std::size_t(bytes.size())), true));
}

QByteArray nativePath(const QString &path)
{
    std::string bytes;
    // An unpaired surrogate that stands for no byte goes out as Qt writes it.
    if (!vatro::toUtf8(reinterpret_cast<const char16_t *>(path.utf16()), std::size_t(path.size()),
                       &bytes, true, true))
        return path.toUtf8();
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

bool hasRawBytes(const QString &path)
{
    for (qsizetype i = 0; i < path.size(); ++i)
        if (isRawByte(path, i))
            return true;
    return false;
}

QString shownPath(QString path)
{
    for (qsizetype i = 0; i < path.size(); ++i)
        if (isRawByte(path, i))
            path[i] = QChar::ReplacementCharacter;
    return path;
}

QString pathOnDisk(const QString &path)
{
    struct stat st {};
    if (!path.contains(QChar::ReplacementCharacter)
        || ::lstat(nativePath(path).constData(), &st) == 0)
        return path;
    const QStringList parts = path.split(QLatin1Char('/'));
    QString found = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        QString part = parts[i];
        if (part.contains(QChar::ReplacementCharacter)) {
            DIR *folder = ::opendir(found.isEmpty() ? "/" : nativePath(found).constData());
            if (!folder)
                return path;
            int matches = 0;
            while (const dirent *e = ::readdir(folder)) {
                if (QString::fromUtf8(e->d_name) == part) {
                    part = pathFromNative(e->d_name);
                    ++matches;
                }
            }
            ::closedir(folder);
            if (matches != 1)
                return path;
        }
        found += QLatin1Char('/') + part;
    }
    return found;
}

QUrl urlFromPath(const QString &path)
{
    if (!hasRawBytes(path))
        return QUrl::fromLocalFile(path);
    return QUrl::fromEncoded("file://" + nativePath(path).toPercentEncoding("/"));
}

QString pathFromUrl(const QUrl &url)
{
    if (!url.isLocalFile())
        return QString();
    if (!url.host().isEmpty())
        return url.toLocalFile(); // //host/share, as Qt names it
    return pathFromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString programFolder()
{
    QByteArray path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), size_t(path.size()));
    if (n <= 0)
        return QString();
    path.truncate(n);
    return pathFromNative(path.left(path.lastIndexOf('/')));
}
