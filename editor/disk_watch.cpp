#include "editor/disk_watch.h"

#include "core/native_path.h"
#include "editor/document.h"
#include "widgets/html_pane.h"
#include "widgets/pane_tools.h"
#include "widgets/platform.h"

#include <QFileInfo>

DiskWatch::DiskWatch(Document &document, HTMLPane &pane, Platform &platform, QWidget &window)
    : QObject(&document), document_(document), pane_(pane), platform_(platform), window_(window)
{
    settle_.setSingleShot(true);
    settle_.setInterval(100);
    connect(&settle_, &QTimer::timeout, this, &DiskWatch::check);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
    // Open, Save and Save As name the file the text now matches.
    connect(&document_, &Document::fileNameChanged, this, &DiskWatch::follow);
}

void DiskWatch::follow(const QString &path)
{
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    path_ = path;
    known_ = fileStamp(path_);
    if (path_.isEmpty())
        return;
    // The folder too: a file renamed over this one is a new file the old
    // watch does not see.
    watcher_.addPath(QFileInfo(path_).absolutePath());
    rewatch();
}

void DiskWatch::rewatch()
{
    if (known_.regular && !watcher_.files().contains(path_))
        watcher_.addPath(path_);
}

void DiskWatch::check()
{
    if (path_.isEmpty() || asking_ || document_.isLoading())
        return;
    const FileStamp now = fileStamp(path_);
    if (now == known_)
        return;
    known_ = now; // this change is asked about once
    asking_ = true;
    const QString title = QStringLiteral("File Changed on Disk");
    if (!now.regular) {
        platform_.messageBox(&window_,
                             QStringLiteral("The file '") + path_
                                 + QStringLiteral("' has been deleted or moved by another program. "
                                                  "Its text stays open here; Save writes it again."),
                             title, MsgIcon::Exclamation, MsgButtons::OK);
        document_.markChanged();
    } else if (document_.replacedByLink()) {
        document_.reload(); // which says why it does not follow the link
    } else {
        QString question = QStringLiteral("The file '") + path_
                           + QStringLiteral("' has been changed by another program. Reload it?");
        if (document_.isChanged())
            question += QStringLiteral("\r\n\r\nYour unsaved changes would be lost.");
        const MsgResult answer =
            platform_.messageBox(&window_, question, title, MsgIcon::Question, MsgButtons::YesNo);
        if (answer == MsgResult::Yes) {
            const int line = caretLine(pane_);
            document_.reload();
            moveCaretTo(pane_, line, 1);
        } else {
            document_.markChanged();
            document_.acceptDiskVersion();
        }
    }
    asking_ = false;
    rewatch();
    settle_.start(); // a change made while the question was up is asked about too
}
