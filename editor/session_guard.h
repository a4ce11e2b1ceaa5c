#pragma once
// Ending without the user: a termination signal (SIGTERM, SIGHUP, SIGINT)
// or the session manager asking the program to save its data when the user
// logs off. The exit sequence still runs, as far as it can without a
// question: the settings are written, the preview file is deleted, and
// unsaved text is never dropped but kept in a recovery file in the state
// folder (kept up to date all along by RecoveryKeeper, so that a crash
// loses no more than its last seconds), which the next start offers to
// restore.

#include "core/recovery_file.h"

#include <QObject>
#include <QString>

class QSessionManager;
class QSocketNotifier;
class RecoveryKeeper;
class frmHTML;

class SessionGuard : public QObject {
    Q_OBJECT
public:
    // Catches the three signals (through a pipe into the event loop) and
    // the session manager's commit-data request for `window`.
    explicit SessionGuard(frmHTML &window);
    ~SessionGuard() override;

    // At start-up, once the first document is made: when an editor that
    // has ended left a recovery file, asks "Velmora was closed with unsaved
    // changes to <file>. Restore them?". Yes makes that text the document,
    // changed, under its old file name; No discards it. Several such files
    // make one question listing them: Yes restores the newest and keeps the
    // others for a later start, No discards them all, Cancel keeps them.
    // The files of editors still running are left alone.
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

    // This editor's recovery file (empty before the first was needed).
    QString recoveryFile() const;
    RecoveryKeeper &keeper() { return *keeper_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void signalArrived();
    void commitData(QSessionManager &manager);
    // Writes the document's unsaved text to the recovery file, to stay
    // there; when it cannot be written (said on standard error), the last
    // copy written stays.
    void keepUnsavedText();
    void textChanged();

    frmHTML &window_;
    QSocketNotifier *notifier_ = nullptr;
    RecoveryKeeper *keeper_ = nullptr;
    // The session is ending and the user's text is safe (saved, declined, or
    // in the recovery file): closing the window asks nothing more.
    bool ending_ = false;
};
