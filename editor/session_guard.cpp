#include "editor/session_guard.h"

#include "core/native_path.h"
#include "core/state_folder.h"
#include "editor/document.h"
#include "editor/main_window.h"
#include "editor/preview.h"
#include "editor/recovery_keeper.h"
#include "widgets/html_pane.h"
#include "widgets/platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
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

// The pipe from the signal handler into the event loop; one per process.
int g_pipe[2] = {-1, -1};

extern "C" void onSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

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
    keeper_ = new RecoveryKeeper(window_.document(), *window_.HTML(), window_);
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
        // A signal that came while the load step waited in a message box
        // (a preview that could not be written) returns there, and the load
        // step's last refresh writes the preview file again: it goes once
        // more as the program leaves.
        connect(qApp, &QCoreApplication::aboutToQuit, this,
                [this] { window_.preview().removeFile(); });
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
    keeper_->keepAtEnd(false);
}

QString SessionGuard::recoveryFile() const
{
    return keeper_->file();
}

void SessionGuard::keepUnsavedText()
{
    keeper_->keepAtEnd(true);
    if (!keeper_->writeNow(true))
        std::fprintf(stderr, "Pagewisp: %s\n", qPrintable(keeper_->note()));
}

namespace {

QString shownName(const QString &fileName)
{
    return fileName.isEmpty() ? QStringLiteral("New File") : shownPath(fileName);
}

} // namespace

void SessionGuard::offerRecovery()
{
    if (ending_)
        return;
    std::vector<LeftRecovery> left = leftRecoveryFiles(maxRecoveryBytes());
    if (left.empty())
        return;
    LeftRecovery &newest = left.back();
    MsgResult answer;
    if (left.size() == 1) {
        answer = window_.platform().messageBox(
            &window_,
            QStringLiteral("Velmora was closed with unsaved changes to ") + shownName(newest.fileName)
                + QStringLiteral(". Restore them?"),
            QStringLiteral("Velmora"), MsgIcon::Question, MsgButtons::YesNo);
    } else {
        // One question for them all, newest first, the list kept short.
        constexpr int kListed = 10;
        QString list;
        for (int i = 0; i < std::min<int>(kListed, int(left.size())); ++i) {
            const LeftRecovery &r = left[left.size() - 1 - size_t(i)];
            list += QStringLiteral("\r\n") + shownName(r.fileName) + QStringLiteral(" (")
                + QDateTime::fromSecsSinceEpoch(r.modified).toString(QStringLiteral("yyyy-MM-dd hh:mm"))
                + QLatin1Char(')');
        }
        if (left.size() > size_t(kListed))
            list += QStringLiteral("\r\nand %1 more").arg(left.size() - kListed);
        answer = window_.platform().messageBox(
            &window_,
            QStringLiteral("Velmora was closed with unsaved changes to %1 documents:\r\n")
                    .arg(left.size())
                + list
                + QStringLiteral("\r\n\r\nRestore the newest, %1? Yes restores it and keeps the "
                                 "others for the next start; No discards them all; Cancel keeps "
                                 "them all.")
                      .arg(shownName(newest.fileName)),
            QStringLiteral("Velmora"), MsgIcon::Question, MsgButtons::YesNoCancel);
    }
    if (answer == MsgResult::Cancel)
        return;
    if (answer == MsgResult::No) {
        for (LeftRecovery &r : left)
            r.discard();
        return;
    }
    const std::optional<UnsavedText> unsaved = newest.read(maxRecoveryBytes());
    if (!unsaved)
        return; // it stays for a later start
    window_.document().restoreUnsaved(unsaved->fileName, unsaved->text, unsaved->encoding);
    // This editor's own copy first, then the old one goes.
    if (keeper_->writeNow(false))
        newest.discard();
}
