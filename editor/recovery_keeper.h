#pragma once
// Keeps the document's unsaved text in this editor's recovery file while it
// runs, as editors with swap files do: written a second after the typing
// pauses, and at the latest a few seconds after the first change that is
// not in it yet, so that a crash or a kill loses no more than that; deleted
// once the document is saved or its changes are given up, and at a clean
// exit; left in place when the program ends without the user. The file is
// written by a thread of its own, from a copy of the text, so that a slow
// disk never holds up the typing. While the state folder cannot be written,
// the window's status bar says so (once, not at every attempt), so that the
// user can still save.

#include "core/recovery_file.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>

class Document;
class HTMLPane;
class QMainWindow;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kIdleMs = 1000;   // the pause that writes
    static constexpr int kLatestMs = 4000; // the longest a change waits

    RecoveryKeeper(Document &document, HTMLPane &pane, QMainWindow &window);
    // A clean end: the recovery file goes, unless keepAtEnd said otherwise.
    ~RecoveryKeeper() override;

    // Writes the unsaved text now, or deletes the file when nothing is
    // unsaved. `sync`: here and onto the disk before returning, false when
    // it could not be written (the last good copy stays); else on the
    // writing thread, which reports a failure later.
    bool writeNow(bool sync);
    // The program ends without the user (a signal, the end of the session):
    // the recovery file stays for the next start.
    void keepAtEnd(bool keep) { keep_ = keep; }

    QString file() const { return path_; }
    // What the status bar says while the text cannot be kept; else empty.
    QString note() const { return note_; }

private:
    void schedule();
    void modificationChanged(bool changed);
    void removeFile();
    void tell(const std::optional<FileError> &error);

    Document &document_;
    HTMLPane &pane_;
    QMainWindow &window_;
    QTimer timer_;
    QElapsedTimer waiting_; // since the first change the file does not hold
    QThread thread_;
    QObject *writer_ = nullptr; // lives in thread_: the only user of file_
    RecoveryFile file_;
    std::atomic<quint64> latest_{0}; // the last write or removal asked for
    QString path_;
    QString note_;
    bool keep_ = false;
};
