#include "editor/recovery_keeper.h"

#include "core/state_folder.h"
#include "editor/document.h"
#include "widgets/html_pane.h"

#include <QMainWindow>
#include <QStatusBar>

#include <algorithm>

RecoveryKeeper::RecoveryKeeper(Document &document, HTMLPane &pane, QMainWindow &window)
    : QObject(&window), document_(document), pane_(pane), window_(window)
{
    writer_ = new QObject;
    writer_->moveToThread(&thread_);
    thread_.start();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { writeNow(false); });
    // After the document has taken the change: its flag is up to date.
    connect(&pane_, &HTMLPane::changed, this, &RecoveryKeeper::schedule);
    connect(&document_, &Document::modificationChanged, this, &RecoveryKeeper::modificationChanged);
}

RecoveryKeeper::~RecoveryKeeper()
{
    ++latest_; // what is still queued is out of date
    thread_.quit();
    thread_.wait();
    delete writer_;
    if (!keep_)
        file_.discard();
}

void RecoveryKeeper::schedule()
{
    if (document_.isLoading() || !document_.isChanged())
        return;
    // Each change waits for a pause, but none longer than kLatestMs: a
    // restarted timer is all a keystroke costs.
    if (!timer_.isActive()) {
        waiting_.start();
        timer_.start(kIdleMs);
        return;
    }
    const qint64 left = kLatestMs - waiting_.elapsed();
    timer_.start(int(std::clamp<qint64>(left, 0, kIdleMs)));
}

void RecoveryKeeper::modificationChanged(bool changed)
{
    if (changed) {
        schedule();
        return;
    }
    // Saved, or a new document: nothing is left to lose.
    removeFile();
    tell(std::nullopt);
}

void RecoveryKeeper::removeFile()
{
    timer_.stop();
    ++latest_;
    QMetaObject::invokeMethod(writer_, [this] { file_.remove(); }, Qt::BlockingQueuedConnection);
}

bool RecoveryKeeper::writeNow(bool sync)
{
    if (!document_.isChanged()) {
        removeFile();
        return true;
    }
    timer_.stop();
    const quint64 generation = ++latest_;
    const QByteArray header = unsavedTextHeader(document_.fileName(), document_.encoding());
    if (sync) {
        // The text as the pane holds it (UTF-8): nothing changes it meanwhile.
        const QByteArrayView text = pane_.utf8Text();
        std::optional<FileError> error;
        QMetaObject::invokeMethod(
            writer_,
            [&] {
                error = file_.write(header, text, true);
                path_ = file_.path();
            },
            Qt::BlockingQueuedConnection);
        tell(error);
        return !error;
    }
    // The thread writes a copy; a later write or removal makes it moot.
    QMetaObject::invokeMethod(
        writer_,
        [this, generation, header, text = pane_.utf8Text().toByteArray()] {
            if (generation != latest_)
                return;
            const std::optional<FileError> error = file_.write(header, text, false);
            const QString path = file_.path();
            QMetaObject::invokeMethod(
                this,
                [this, generation, error, path] {
                    path_ = path;
                    if (generation == latest_)
                        tell(error);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return true;
}

void RecoveryKeeper::tell(const std::optional<FileError> &error)
{
    if (error && note_.isEmpty()) {
        note_ = QStringLiteral("The unsaved changes cannot be kept in ") + stateFolder()
            + QStringLiteral(" (") + error->description
            + QStringLiteral("): save the document to keep them safe.");
        QStatusBar *bar = window_.statusBar();
        bar->showMessage(note_);
        bar->show();
    } else if (!error && !note_.isEmpty()) {
        note_.clear();
        window_.statusBar()->clearMessage();
        window_.statusBar()->hide();
    }
}
