#include "editor/session_guard.h"

#include "core/native_path.h"
#include "core/state_folder.h"
#include "editor/document.h"
#include "editor/main_window.h"
#include "widgets/html_pane.h"
#include "widgets/platform.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
const QByteArray kMagic = "Velmora unsaved text\n";
const QString kRecoveryPrefix = QStringLiteral("unsaved-");

// The pipe from the signal handler into the event loop; one per process.
int g_pipe[2] = {-1, -1};

extern "C" void onSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

QByteArray encodeUnsavedText(const UnsavedText &unsaved)
{
    QByteArray out = kMagic;
    out += "name: " + nativePath(unsaved.fileName).toPercentEncoding() + '\n';
    out += unsaved.encoding == FileEncoding::Latin1 ? "encoding: iso-8859-1\n" : "encoding: utf-8\n";
    out += '\n';
    out += unsaved.text.toUtf8();
    return out;
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
    unsaved.text = QString::fromUtf8(bytes.mid(end + 2));
    return unsaved;
}

SessionGuard::SessionGuard(frmHTML &window) : QObject(&window), window_(window)
{
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        g_pipe[0] = g_pipe[1] = -1;
    if (g_pipe[0] >= 0) {
        notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionGuard::signalArrived);
        struct sigaction sa {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        for (int s : kSignals)
            ::sigaction(s, &sa, nullptr);
    }
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &SessionGuard::commitData,
                Qt::DirectConnection);
    connect(window_.HTML(), &HTMLPane::changed, this, &SessionGuard::textChanged);
    window_.installEventFilter(this);
}

SessionGuard::~SessionGuard()
{
    if (notifier_) {
        for (int s : kSignals)
            ::signal(s, SIG_DFL);
    }
}

void SessionGuard::signalArrived()
{
    unsigned char byte = 0;
    int signal = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        signal = byte;
    if (signal)
        endBySignal(signal);
}

void SessionGuard::endBySignal(int signal)
{
    if (!ending_) {
        if (window_.document().isChanged())
            keepUnsavedText();
        window_.finishExit();
        ending_ = true;
    }
    // Leaves every running event loop; a signal during the load step, before
    // the main loop runs, ends that loop as soon as it starts.
    const int code = 128 + signal;
    QCoreApplication::exit(code);
    QTimer::singleShot(0, QCoreApplication::instance(), [code] { QCoreApplication::exit(code); });
}

void SessionGuard::commitData(QSessionManager &manager)
{
    const bool mayAsk = manager.allowsInteraction();
    const bool ends = endSession(mayAsk);
    if (mayAsk)
        manager.release();
    if (!ends)
        manager.cancel();
}

bool SessionGuard::endSession(bool mayAsk)
{
    if (ending_)
        return true;
    if (mayAsk) {
        // The same question as closing the window; Cancel keeps the session.
        if (!window_.document().closeWithConsent())
            return false;
    } else if (window_.document().isChanged()) {
        keepUnsavedText();
    }
    window_.finishExit();
    ending_ = true;
    return true;
}

bool SessionGuard::eventFilter(QObject *watched, QEvent *event)
{
    // The session's end has run the exit sequence already: the window
    // closes without asking again.
    if (watched == &window_ && event->type() == QEvent::Close && ending_) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SessionGuard::textChanged()
{
    // A session end that was cancelled after all: the user goes on, and a
    // later close asks again; the recovery file is out of date.
    if (!ending_ || window_.document().isLoading())
        return;
    ending_ = false;
    if (!recoveryFile_.isEmpty())
        ::unlink(nativePath(recoveryFile_).constData());
    recoveryFile_.clear();
}

bool SessionGuard::keepUnsavedText()
{
    const Document &doc = window_.document();
    const QByteArray bytes = encodeUnsavedText({doc.fileName(), doc.encoding(), window_.HTML()->wholeText()});
    QByteArray path = nativePath(stateFolder() + QLatin1Char('/') + kRecoveryPrefix) + "XXXXXX";
    int fd = -1;
    if (makeStateFolder())
        fd = ::mkostemp(path.data(), O_CLOEXEC); // mode 0600
    bool kept = fd >= 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (fd >= 0)
        kept = ::close(fd) == 0 && kept;
    if (!kept) {
        const int e = errno;
        if (fd >= 0)
            ::unlink(path.constData());
        std::fprintf(stderr, "Pagewisp: the unsaved text could not be kept in %s: %s\n",
                     qPrintable(stateFolder()), std::strerror(e));
        return false;
    }
    recoveryFile_ = pathFromNative(path);
    return true;
}

void SessionGuard::offerRecovery()
{
    if (ending_)
        return;
    QDir folder(stateFolder());
    QFileInfoList files = folder.entryInfoList({kRecoveryPrefix + QLatin1Char('*')}, QDir::Files,
                                               QDir::Time | QDir::Reversed);
    for (const QFileInfo &info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const std::optional<UnsavedText> unsaved = decodeUnsavedText(file.readAll());
        file.close();
        if (!unsaved)
            continue; // not ours: left alone
        const QString name =
            unsaved->fileName.isEmpty() ? QStringLiteral("New File") : unsaved->fileName;
        const MsgResult answer = window_.platform().messageBox(
            &window_,
            QStringLiteral("Velmora was closed with unsaved changes to ") + name
                + QStringLiteral(". Restore them?"),
            QStringLiteral("Velmora"), MsgIcon::Question, MsgButtons::YesNo);
        if (answer == MsgResult::Yes) {
            window_.document().restoreUnsaved(unsaved->fileName, unsaved->text, unsaved->encoding);
            file.remove();
            return; // one document at a time: the others wait for a later start
        }
        file.remove();
    }
}
