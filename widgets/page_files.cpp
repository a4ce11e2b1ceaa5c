#include "widgets/page_files.h"

#include "core/native_path.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMimeDatabase>
#include <QStringList>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kScheme = QByteArrayLiteral("velmora");
using Request = QWebEngineUrlRequestInfo;

// Where `path` really is, links and "." and ".." resolved; empty when
// nothing is there.
QString realPath(const QString &path)
{
    char *real = ::realpath(nativePath(path).constData(), nullptr);
    if (!real)
        return QString();
    const QString result = pathFromNative(real);
    std::free(real);
    return result;
}

// A file or folder of `folder` or below it, none of whose names below
// `folder` starts with "." (the hidden configuration and keys of a
// document saved in the home folder stay out of reach).
bool readableIn(const QString &real, const QString &folder)
{
    if (folder.isEmpty() || real.isEmpty())
        return false;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (real != folder && !real.startsWith(prefix))
        return false;
    const QString below = real.mid(prefix.size());
    return !below.startsWith(QLatin1Char('.')) && !below.contains(QLatin1String("/."));
}

// The origin of a folder or a file: a name of its own that nothing else
// shares, never taken for a number.
QString hostFor(const char *kind, const QString &path)
{
    const QByteArray key = QByteArray(kind) + nativePath(path);
    return QLatin1Char('p')
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(31));
}

QUrl address(const QString &host, const QString &path)
{
    return QUrl::fromEncoded(kScheme + "://" + host.toLatin1() + nativePath(path).toPercentEncoding("/"));
}

// The web engine lets no script fetch() from a scheme of the program's own;
// XMLHttpRequest may. A page's fetch() of a local file (the same rules
// apply to both) goes through XMLHttpRequest.
const char kLocalFetch[] = R"JS(
(() => {
  const fetchRemote = window.fetch;
  if (!fetchRemote || location.protocol !== 'velmora:') return;
  window.fetch = function (input, init) {
    const request = new Request(input, init);
    if (!request.url.startsWith('velmora:') || request.method !== 'GET')
      return fetchRemote.apply(this, arguments);
    return new Promise((resolve, reject) => {
      const q = new XMLHttpRequest();
      q.open('GET', request.url);
      q.responseType = 'arraybuffer';
      q.onload = () => resolve(new Response(q.response,
        { status: 200, headers: { 'Content-Type': q.getResponseHeader('Content-Type') || '' } }));
      q.onerror = () => reject(new TypeError('Failed to fetch'));
      q.send();
    });
  };
})();
)JS";

// What a local file outside the readable folder may be loaded as: what its
// name says it is, and only that.
bool loadsAs(Request::ResourceType type, const QString &path)
{
    static const QStringList images = {"png", "jpg", "jpeg", "jfif", "gif", "webp", "bmp",
                                       "ico", "cur", "svg", "avif", "apng"};
    static const QStringList fonts = {"ttf", "otf", "woff", "woff2", "eot"};
    static const QStringList media = {"mp3", "mp4", "m4a", "m4v", "ogg", "oga", "ogv", "opus",
                                      "webm", "wav", "flac", "aac", "mov"};
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot > 0 ? name.mid(dot + 1).toLower() : QString();
    switch (type) {
    case Request::ResourceTypeImage:
    case Request::ResourceTypeFavicon:
        return images.contains(suffix);
    case Request::ResourceTypeStylesheet:
        return suffix == QLatin1String("css");
    case Request::ResourceTypeScript:
        return suffix == QLatin1String("js") || suffix == QLatin1String("mjs");
    case Request::ResourceTypeFontResource:
        return fonts.contains(suffix);
    case Request::ResourceTypeMedia:
        return media.contains(suffix);
    default:
        return false;
    }
}

} // namespace

void pagefiles::registerScheme()
{
    static const bool registered = [] {
        QWebEngineUrlScheme scheme(kScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        // Pages of the scheme may name "file:" addresses, which the gate
        // turns into the scheme's; requests to another origin are refused.
        scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed);
        QWebEngineUrlScheme::registerScheme(scheme);
        return true;
    }();
    Q_UNUSED(registered);
}

QWebEngineScript pagefiles::localFetch()
{
    QWebEngineScript script;
    script.setSourceCode(QString::fromLatin1(kLocalFetch));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    return script;
}

QString pagefiles::pathOf(const QUrl &address)
{
    if (address.isLocalFile())
        return pathFromUrl(address);
    if (address.scheme() != QLatin1String(kScheme))
        return QString();
    return pathFromNative(QByteArray::fromPercentEncoding(address.path(QUrl::FullyEncoded).toLatin1()));
}

struct PageFiles::Shown {
    QString host, path; // the page's address
    QString file;       // the file it shows
    QString folder;     // the readable folder, really; empty: none
    QString folderHost; // its origin

    bool isPage(const QUrl &url, const QString &urlPath) const
    {
        return url.scheme() == QLatin1String(kScheme) && url.host() == host && urlPath == path;
    }
};

// Every request of the profile: what is not to be loaded is blocked; a
// page or frame is given its origin, a "file:" address the scheme.
class PageFiles::Gate : public QWebEngineUrlRequestInterceptor {
public:
    Gate(const Shown &shown, QObject *parent) : QWebEngineUrlRequestInterceptor(parent), shown_(shown) {}

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        const QString path = pagefiles::pathOf(url);
        if (path.isEmpty() || shown_.isPage(url, path))
            return; // remote addresses as in any browser; the page itself
        const Request::ResourceType type = info.resourceType();
        const bool document = type == Request::ResourceTypeMainFrame
                              || type == Request::ResourceTypeSubFrame;
        const QString real = realPath(path);
        const bool readable = readableIn(real, shown_.folder);
        if (!readable && !document && !loadsAs(type, path)) {
            info.block(true);
            return;
        }
        QString host = url.host();
        if (document) // a page of the folder is the folder's, any other one its own
            host = readable ? shown_.folderHost : hostFor("file:", real.isEmpty() ? path : real);
        else if (url.isLocalFile())
            host = info.initiator().scheme() == QLatin1String(kScheme) ? info.initiator().host()
                                                                        : shown_.host;
        if (url.isLocalFile() || host != url.host())
            info.redirect(address(host, path));
    }

private:
    const Shown &shown_;
};

// Answers the scheme's requests from the files, without waiting: only a
// regular file is read (never a FIFO or a device).
class PageFiles::Server : public QWebEngineUrlSchemeHandler {
public:
    Server(const Shown &shown, QObject *parent) : QWebEngineUrlSchemeHandler(parent), shown_(shown) {}

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const QUrl url = job->requestUrl();
        const QString path = pagefiles::pathOf(url);
        const bool page = shown_.isPage(url, path);
        const QString file = page ? shown_.file : path;
        const int fd = ::open(nativePath(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            if (fd >= 0)
                ::close(fd);
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        auto *device = new QFile;
        device->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
        // The engine reads the file until it deletes the job.
        connect(job, &QObject::destroyed, device, &QObject::deleteLater);
        const QByteArray type =
            page ? QByteArrayLiteral("text/html")
                 : mimeTypes_.mimeTypeForFile(file, QMimeDatabase::MatchExtension).name().toLatin1();
        job->reply(type, device);
    }

private:
    const Shown &shown_;
    QMimeDatabase mimeTypes_;
};

PageFiles::PageFiles(QWebEngineProfile &profile)
    : QObject(&profile), shown_(std::make_unique<Shown>())
{
    profile.installUrlSchemeHandler(kScheme, new Server(*shown_, this));
    profile.setUrlRequestInterceptor(new Gate(*shown_, this));
}

PageFiles::~PageFiles() = default;

QUrl PageFiles::show(const QString &file, const QString &folder)
{
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    QString base = folder.isEmpty() ? file.left(slash) : folder;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    Shown &s = *shown_;
    s.file = file;
    s.path = base + file.mid(slash);
    s.folder = folder.isEmpty() ? QString() : realPath(folder);
    s.folderHost = hostFor("folder:", s.folder.isEmpty() ? folder : s.folder);
    if (folder.isEmpty()) {
        const QString real = realPath(file);
        s.host = hostFor("file:", real.isEmpty() ? file : real);
    } else {
        s.host = s.folderHost;
    }
    return address(s.host, s.path);
}

QString PageFiles::fileOf(const QUrl &address) const
{
    const QString path = pagefiles::pathOf(address);
    return shown_->isPage(address, path) ? shown_->file : path;
}
