#include "core/native_path.h"

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

// The length of the well-formed UTF-8 sequence at `p` (at most `n` bytes
// long), or 0 when the byte there starts none.
int sequenceAt(const unsigned char *p, qsizetype n)
{
    const unsigned char b = p[0];
    int extra;
    char32_t c, min;
    if (b < 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0)
        extra = 1, c = b & 0x1F, min = 0x80;
    else if ((b & 0xF0) == 0xE0)
        extra = 2, c = b & 0x0F, min = 0x800;
    else if ((b & 0xF8) == 0xF0)
        extra = 3, c = b & 0x07, min = 0x10000;
    else
        return 0;
    if (n <= extra)
        return 0;
    for (int k = 1; k <= extra; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[k] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return extra + 1;
}

} // namespace

QString pathFromNative(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    qsizetype run = 0; // start of the well-formed stretch not yet appended
    for (qsizetype i = 0; i < n;) {
        const int len = sequenceAt(p + i, n - i);
        if (len > 0) {
            i += len;
            continue;
        }
        out += QString::fromUtf8(bytes.sliced(run, i - run));
        out += QChar(char16_t(kRawByte + p[i]));
        run = ++i;
    }
    out += QString::fromUtf8(bytes.sliced(run));
    return out;
}

QByteArray nativePath(const QString &path)
{
    QByteArray out;
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isRawByte(path, i))
            continue;
        out += QStringView(path).sliced(run, i - run).toUtf8();
        out += char(path[i].unicode() - kRawByte);
        run = i + 1;
    }
    if (run == 0)
        return path.toUtf8();
    out += QStringView(path).sliced(run).toUtf8();
    return out;
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
