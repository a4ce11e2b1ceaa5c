#pragma once
// Check page away from the editor: the page goes to the checker program
// (velmora-check) on its standard input, and its messages come back when it
// ends. Nothing waits on it. HTML Tidy's parser recurses once per open
// element and takes minutes over some pages; in a process of its own it can
// take nothing of the editor's with it, and a cancelled check ends at once.

#include "core/page_check.h"
#include "core/tidy_up.h"

#include <QObject>
#include <QString>

class QProcess;

class PageChecker : public QObject {
    Q_OBJECT
public:
    explicit PageChecker(QObject *parent = nullptr);
    ~PageChecker() override;

    // The checker program: defaultChecker() unless set.
    void setProgram(const QString &program) { program_ = program; }
    QString program() const { return program_; }

    // Starts checking the page `utf8`; a check still running is cancelled.
    void start(const QByteArray &utf8);
    // Starts tidying up `utf8` (Tidy Up runs in the same program) instead.
    void startTidyUp(const QByteArray &utf8, const TidyOptions &options);
    // Ends the running check at once; nothing is signalled for it.
    void cancel();
    bool isRunning() const { return process_ != nullptr; }

signals:
    // The check is over: what Tidy found.
    void checked(const CheckReport &report);
    // The check is over without messages: why, as a sentence.
    void failed(const QString &reason);
    // The tidy-up is over (failures come through failed()).
    void tidied(const TidyResult &result);

private:
    void launch(const QStringList &arguments, const QByteArray &utf8);
    void finish(QProcess *process);

    QString program_;
    QProcess *process_ = nullptr;
    bool tidying_ = false;
};

// The checker that goes with this program: in its private folder,
// ../lib/<multiarch>/velmora/ from the program's folder (the same in a
// build tree, where tests and benchmarks are one folder down too).
QString defaultChecker();

// The checker's exit code when the memory for the page or its stack cannot
// be had.
constexpr int kCheckerOutOfMemory = 3;
