// The live preview. A refresh runs after every change of the text while
// auto-update is on, so it does one encode and one write and never waits for
// the page.

#include "editor/preview.h"

#include "core/native_path.h"
#include "widgets/browser_pane.h"
#include "widgets/html_pane.h"
#include "widgets/platform.h"
#include "widgets/vatro_control.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folders this run made for the preview; the exit removes them again.
QStringList &foldersMade()
{
    static QStringList folders;
    return folders;
}

// A folder only this user can use: created with mode 0700 when missing; an
// existing one must be a real folder owned by the user.
bool privateFolder(const QString &folder)
{
    const QByteArray path = nativePath(folder);
    if (::mkdir(path.constData(), 0700) == 0)
        foldersMade() << folder;
    else if (errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    return (st.st_mode & 0777) == 0700 || ::chmod(path.constData(), 0700) == 0;
}

// An environment variable naming an existing folder by an absolute path
// other than the root, or an empty string.
QString folderFromEnvironment(const char *name)
{
    const QString value = qEnvironmentVariable(name);
    const QString clean = QDir::cleanPath(value);
    if (!QDir::isAbsolutePath(value) || clean == QStringLiteral("/") || !QFileInfo(clean).isDir())
        return QString();
    return clean;
}

} // namespace

// $TEMP, else a private folder under the user's runtime folder or the
// system's temporary folder ($TMPDIR, else /tmp). Nothing is ever made at
// the root of the file system.
QString defaultTempDir()
{
    const QString temp = qEnvironmentVariable("TEMP");
    if (!temp.isEmpty())
        return temp;
    QString system = folderFromEnvironment("TMPDIR");
    if (system.isEmpty())
        system = QStringLiteral("/tmp");
    const QString runtime = folderFromEnvironment("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty()
                               ? runtime + QStringLiteral("/velmora")
                               : system + QStringLiteral("/velmora-") + QString::number(::getuid());
    if (privateFolder(folder))
        return folder;
    // Someone else holds that name: make a fresh one.
    QByteArray pattern = nativePath(system + QStringLiteral("/velmora-XXXXXX"));
    if (::mkdtemp(pattern.data())) {
        foldersMade() << pathFromNative(pattern);
        return foldersMade().last();
    }
    return folder;
}

LocationValues defaultLocations(bool withTempDir)
{
    LocationValues l;
    l.browser = QStringLiteral("xdg-open %HTML%");
    l.browserStartIn = QDir::homePath();
    if (withTempDir)
        l.tempDir = defaultTempDir();
    return l;
}

Preview::Preview(HTMLPane &pane, BrowserPane &browser, VatroControl &vatro, Platform &platform,
                 QWidget *window)
    : QObject(window),
      pane_(pane),
      browser_(browser),
      vatro_(vatro),
      platform_(platform),
      window_(window),
      // Until the settings are read the locations hold their defaults, so a
      // refresh has somewhere to go.
      locations_(defaultLocations(true))
{
    connect(&pane_, &HTMLPane::changed, this, &Preview::textChanged);
    writeSoon_.setSingleShot(true);
    writeSoon_.setInterval(250);
    connect(&writeSoon_, &QTimer::timeout, this, &Preview::writeAhead);
    // Queued: the refresh starts the next load outside the signal of the last.
    connect(&browser_, &BrowserPane::loadFinished, this, &Preview::pageLoaded,
            Qt::QueuedConnection);
}

// Every keystroke comes here, so it stays cheap: while the page is still
// loading the previous text, a change only marks the preview stale, and one
// write and reload follow when that load has finished. On an idle page a
// change is shown at once.
void Preview::textChanged()
{
    if (suspended_ || !autoUpdate_)
        return;
    if (browser_.isBusy()) {
        stale_ = true;
        writeSoon_.start();
        return;
    }
    refresh();
}

void Preview::pageLoaded()
{
    if (!stale_)
        return;
    stale_ = false;
    if (!suspended_ && autoUpdate_)
        refresh();
}

void Preview::setAutoUpdate(bool on)
{
    autoUpdate_ = on;
    emit autoUpdateChanged(on);
}

void Preview::toggleAutoUpdate()
{
    if (autoUpdate_) {
        setAutoUpdate(false);
        return;
    }
    setAutoUpdate(true);
    refresh();
}

void Preview::setEncoding(FileEncoding encoding)
{
    if (encoding == encoding_)
        return;
    encoding_ = encoding;
    browser_.setTextEncoding(encoding == FileEncoding::Utf8 ? QStringLiteral("UTF-8")
                                                            : QStringLiteral("ISO-8859-1"));
}

void Preview::setLocations(const LocationValues &locations)
{
    if (locations.tempDir != locations_.tempDir)
        navigatePending_ = true;
    locations_ = locations;
}

void Preview::setTempDir(const QString &folder)
{
    removeFile();
    locations_.tempDir = folder;
    navigatePending_ = true;
}

QString Preview::previewFile() const
{
    return locations::previewPath(locations_.tempDir);
}

QString Preview::previewAddress() const
{
    // Encoded, so a folder name with "#", "?" or "%" stays part of the path.
    return urlFromPath(previewFile()).toString(QUrl::FullyEncoded);
}

void Preview::showFile()
{
    navigatePending_ = false;
    browser_.navigate(previewAddress());
}

void Preview::removeFile()
{
    if (vatro_.FExists(previewFile()))
        ::unlink(nativePath(previewFile()).constData());
    else
        releaseFifoReaders(previewFile()); // else the browser could not shut down
    // A private folder this run made goes too, if nothing else is in it.
    for (const QString &folder : std::as_const(foldersMade()))
        ::rmdir(nativePath(folder).constData());
    foldersMade().clear();
}

// A failure is told once: while the same condition lasts, later refreshes
// (every keystroke with auto-update on) stay quiet until one succeeds or the
// user asks for an update.
bool Preview::firstTimeFor(const QString &condition)
{
    if (condition == lastFailure_)
        return false;
    lastFailure_ = condition;
    return true;
}

void Preview::failed(const QString &reason)
{
    const QString where = previewFile() + QStringLiteral(": ") + reason;
    if (!firstTimeFor(where))
        return;
    platform_.messageBox(
        window_,
        QStringLiteral(
            "There was an error temporarily saving the file, try changing the Temp dir location")
            + QStringLiteral("\r\n\r\n") + where,
        QStringLiteral("Error"), MsgIcon::Critical, MsgButtons::OK);
    emit locationsWanted();
}

void Preview::refreshOnRequest()
{
    lastFailure_.clear();
    refresh();
}

void Preview::setDocumentFile(const QString &fileName)
{
    const QString folder = fileName.isEmpty() ? QString() : QFileInfo(fileName).absolutePath();
    if (folder == documentFolder_)
        return;
    documentFolder_ = folder;
    browser_.setBaseFolder(folder);
    navigatePending_ = true;
    // A document saved into another folder: the page as it is, from there.
    if (!suspended_ && isDocumentFile(previewFile()))
        showFile();
}

// Writes the whole text to the preview file; false, after telling the user,
// when it could not. `existed` tells whether the file was there before.
bool Preview::writeFile(bool *existed)
{
    bool ok = true;
    const bool dirExists = vatro_.DirExists(tempDir(), &ok);
    if (!ok) {
        failed(QStringLiteral("the folder could not be examined"));
        return false;
    }
    if (!dirExists) {
        if (firstTimeFor(QStringLiteral("missing ") + tempDir())) {
            platform_.messageBox(
                window_, QStringLiteral("The temp directory does not exist, please choose a new one"),
                QStringLiteral("Error"), MsgIcon::Exclamation, MsgButtons::OK);
            emit locationsWanted();
        }
        return false;
    }
    const QString file = previewFile();
    *existed = vatro_.FExists(file, &ok);
    if (!ok) {
        failed(QStringLiteral("the file could not be examined"));
        return false;
    }
    // The file holds this very text already, as the last write left it
    // (the start writes it for the Open and again at the end of its load
    // step): it is not written again.
    if (*existed && written_ && written_->file == file && written_->encoding == encoding_
        && written_->changeCount == pane_.changeCount() && fileStamp(file) == written_->stamp) {
        lastFailure_.clear();
        return true;
    }
    written_.reset();
    // A UTF-8 document goes to the file exactly as the text pane holds it.
    const bool utf8 = encoding_ == FileEncoding::Utf8;
    const QByteArray latin1 = utf8 ? QByteArray() : encodeText(pane_.wholeText(), encoding_);
    if (const std::optional<FileError> error =
            writePreviewFile(file, utf8 ? pane_.utf8Text() : QByteArrayView(latin1))) {
        failed(error->description);
        return false;
    }
    written_ = Written{file, fileStamp(file), pane_.changeCount(), encoding_};
    lastFailure_.clear();
    return true;
}

void Preview::refresh()
{
    update();
}

// HTMLUpdate; true when the preview file was written.
bool Preview::update()
{
    if (suspended_)
        return false;
    stale_ = false;
    writeSoon_.stop();
    bool fileExists = false;
    if (!writeFile(&fileExists))
        return false;
    // The browser refuses to reload when it shows no page: show the file.
    if (!fileExists || navigatePending_ || browser_.refresh() == BrowserPane::kUnspecifiedFailure)
        showFile();
    return true;
}

// A short pause in a burst of changes while a slow page still loads: the
// file takes the text now, so that it never lags far behind the typing; the
// page reloads it when its load has finished.
void Preview::writeAhead()
{
    if (!stale_ || suspended_ || !autoUpdate_)
        return;
    if (!browser_.isBusy())
        return refresh();
    bool existed = false;
    writeFile(&existed);
    // Should the load never finish, the page is reloaded once it no longer
    // counts as loading.
    QTimer::singleShot(BrowserPane::kBusyLimitMs, this, &Preview::writeAhead);
}

void Preview::viewInBrowser()
{
    // Browser, Update, with its message and the locations every time; the
    // browser never starts on a preview file that was not written.
    lastFailure_.clear();
    if (!update())
        return;
    const std::optional<locations::Command> command =
        locations::browserCommand(locations_.browser, previewFile());
    if (command
        && platform_.startProcess(command->program, command->arguments, locations_.browserStartIn))
        return;
    platform_.messageBox(
        window_, QStringLiteral("Could not launch the browser, make sure that the locations are correct."),
        QStringLiteral("View in Browser"), MsgIcon::Exclamation, MsgButtons::OK);
    emit launchFailed();
}
