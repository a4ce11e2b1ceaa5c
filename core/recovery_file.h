#pragma once
// Recovery files: the text of a document that is not saved, kept in the
// state folder while the editor runs and left there when it ends without the
// user (a signal, a crash, a kill), so that the next start can offer it back.
//
// A recovery file "unsaved-XXXXXX" holds a first line naming the format,
// "name: " with the percent-encoded file name (empty for a new document),
// "encoding: " "utf-8" or "iso-8859-1", an empty line, then the text in
// UTF-8. Beside it, "unsaved-XXXXXX.lock" is locked (flock) by the editor
// that writes it, for as long as it runs: a recovery file whose lock nobody
// holds was left by an editor that has ended, and only such a file is
// offered or deleted by another editor. The lock goes with the process
// however it ends, and a process id never stands for another process.

#include "core/document_file.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct UnsavedText {
    QString fileName;
    FileEncoding encoding = FileEncoding::Utf8;
    QString text;
};
// Everything before the text.
QByteArray unsavedTextHeader(const QString &fileName, FileEncoding encoding);
QByteArray encodeUnsavedText(const UnsavedText &unsaved);
std::optional<UnsavedText> decodeUnsavedText(const QByteArray &bytes);

// This editor's own recovery file.
class RecoveryFile {
public:
    RecoveryFile() = default;
    ~RecoveryFile(); // lets go of the lock; the file stays as it is
    RecoveryFile(const RecoveryFile &) = delete;
    RecoveryFile &operator=(const RecoveryFile &) = delete;

    // Replaces the file with `header` and `text`: written under another
    // name beside it (mode 0600) and renamed over it, so that a failed or
    // interrupted write leaves the last good one. `sync` waits until it is
    // on the disk. The first write makes the state folder and the lock.
    std::optional<FileError> write(QByteArrayView header, QByteArrayView text, bool sync);
    // Deletes the file; the lock is kept for a later write.
    void remove();
    // Deletes the file and its lock.
    void discard();
    // Empty before the first write.
    QString path() const;

private:
    QByteArray path_; // as the system names it
    int lock_ = -1;
};

// A recovery file that no running editor holds; it stays locked by this
// editor as long as the object lives.
class LeftRecovery {
public:
    QString path;
    QString fileName; // the document's, empty for a new document
    qint64 modified = 0; // seconds since the epoch

    LeftRecovery() = default;
    LeftRecovery(LeftRecovery &&other) noexcept;
    LeftRecovery &operator=(LeftRecovery &&other) noexcept;
    ~LeftRecovery();

    // The whole file, read without following a link, nothing larger than
    // `maxBytes`; nullopt when it cannot be read or is not a recovery file.
    std::optional<UnsavedText> read(qint64 maxBytes) const;
    // Deletes it, its lock and any half-written copy.
    void discard();

private:
    friend std::vector<LeftRecovery> leftRecoveryFiles(qint64 maxBytes);
    int lock_ = -1;
};

// The largest recovery file read: a document the editor can hold, as UTF-8
// (a byte of ISO-8859-1 may take two), and its header.
qint64 maxRecoveryBytes();

// The recovery files in the state folder that no running editor holds,
// oldest first. Only regular files are looked at, never through a link,
// none larger than `maxBytes`, and only the start of each is read; files
// that are not recovery files are left alone.
std::vector<LeftRecovery> leftRecoveryFiles(qint64 maxBytes);
