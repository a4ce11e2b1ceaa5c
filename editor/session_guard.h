#pragma once
// Ending without the user: a termination signal (SIGTERM, SIGHUP, SIGINT)
// or the session manager asking the program to save its data when the user
// logs off. The exit sequence still runs, as far as it can without a
// question: the settings are written, the preview file is deleted, and
// unsaved text is never dropped but kept in a recovery file in the state
// folder, which the next start offers to restore.

#include "core/document_file.h"

#include <QObject>
#include <QString>

class QSessionManager;
class QSocketNotifier;
class frmHTML;

class SessionGuard : public QObject {
    Q_OBJECT
public:
    // Catches the three signals (through a pipe into the event loop) and
    // the session manager's commit-data request for `window`.
    explicit SessionGuard(frmHTML &window);
    ~SessionGuard() override;

    // At start-up, once the first document is made: for each recovery file
    // a session left, asks "Velmora was closed with unsaved changes to
    // <file>. Restore them?". Yes makes that text the document, changed,
    // under its old file name; No discards it.
    void offerRecovery();

    // What a signal does: keeps unsaved text, writes the settings, deletes
    // the preview file, then leaves the event loop with 128 + `signal`.
    void endBySignal(int signal);

    // The session is ending (the session manager's commit-data request):
    // with `mayAsk` the unsaved-changes question, whose Cancel (or a failed
    // save) returns false, as the session must not end then; without it,
    // unsaved text goes to a recovery file. Then the exit sequence runs, and
    // the window later closes without asking again.
    bool endSession(bool mayAsk);

    // The recovery file written last (empty when none was needed).
    QString recoveryFile() const { return recoveryFile_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void signalArrived();
    void commitData(QSessionManager &manager);
    // Writes the document's unsaved text to a new recovery file; false when
    // it could not be written (said on standard error).
    bool keepUnsavedText();
    void textChanged();

    frmHTML &window_;
    QSocketNotifier *notifier_ = nullptr;
    QString recoveryFile_;
    // The session is ending and the user's text is safe (saved, declined, or
    // in the recovery file): closing the window asks nothing more.
    bool ending_ = false;
};

// The recovery file format: a first line naming the format, "name: " with
// the percent-encoded file name (empty for a new document), "encoding: "
// "utf-8" or "iso-8859-1", an empty line, then the text in UTF-8.
struct UnsavedText {
    QString fileName;
    FileEncoding encoding = FileEncoding::Utf8;
    QString text;
};
QByteArray encodeUnsavedText(const UnsavedText &unsaved);
std::optional<UnsavedText> decodeUnsavedText(const QByteArray &bytes);
