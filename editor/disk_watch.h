#pragma once
// Watches the open document's file for changes made by other programs:
// written in place, replaced by renaming another file over it (as many
// editors save), or deleted. The user is asked once per change whether to
// reload; reloading keeps the caret's line, and No (or a deleted file)
// marks the document as changed so that a later Save writes the user's
// text. Saves of the editor's own are not changes.

#include "core/document_file.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

class Document;
class HTMLPane;
class Platform;
class QWidget;

class DiskWatch : public QObject {
    Q_OBJECT
public:
    DiskWatch(Document &document, HTMLPane &pane, Platform &platform, QWidget &window);

    // Looks at the file now (the watcher calls this shortly after a change).
    void check();
    QString watchedFile() const { return path_; }

private:
    void follow(const QString &path);
    void rewatch();

    Document &document_;
    HTMLPane &pane_;
    Platform &platform_;
    QWidget &window_;
    QFileSystemWatcher watcher_;
    QTimer settle_; // several notices of one save make one check
    QString path_;
    FileStamp known_;
    bool asking_ = false;
};
