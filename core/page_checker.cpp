#include "core/page_checker.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <csignal>
#include <sys/prctl.h>

PageChecker::PageChecker(QObject *parent) : QObject(parent), program_(defaultChecker()) {}

PageChecker::~PageChecker()
{
    cancel();
}

void PageChecker::start(const QByteArray &utf8)
{
    launch({}, utf8);
}

void PageChecker::startTidyUp(const QByteArray &utf8, const TidyOptions &options)
{
    launch(tidyArguments(options), utf8);
}

void PageChecker::launch(const QStringList &arguments, const QByteArray &utf8)
{
    cancel();
    tidying_ = !arguments.isEmpty();
    auto *process = new QProcess(this);
    process_ = process;
    process->setProgram(program_);
    process->setArguments(arguments);
    process->setStandardErrorFile(QProcess::nullDevice());
    // The check ends with the editor, however the editor ends.
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    connect(process, &QProcess::finished, this, [this, process] { finish(process); });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(process);
    });
    process->start(QIODevice::ReadWrite);
    process->write(utf8);
    process->closeWriteChannel();
}

void PageChecker::cancel()
{
    if (!process_)
        return;
    QProcess *process = process_;
    process_ = nullptr;
    process->disconnect(this);
    // Ends the program (SIGKILL) and reaps it.
    delete process;
}

void PageChecker::finish(QProcess *process)
{
    if (process != process_)
        return;
    process_ = nullptr;
    process->disconnect(this);
    process->deleteLater();
    if (process->error() == QProcess::FailedToStart) {
        emit failed(QStringLiteral("The checker '%1' could not be started.").arg(process->program()));
        return;
    }
    const bool exited = process->exitStatus() == QProcess::NormalExit;
    const QString verb = tidying_ ? QStringLiteral("tidy up") : QStringLiteral("check");
    if (exited && process->exitCode() == kCheckerOutOfMemory) {
        emit failed(QStringLiteral("There is not enough memory to %1 this page.").arg(verb));
        return;
    }
    if (tidying_) {
        const std::optional<TidyResult> result = exited && process->exitCode() == 0
            ? decodeTidyResult(process->readAllStandardOutput())
            : std::nullopt;
        if (result && result->produced)
            emit tidied(*result);
        else if (result && !result->refusal.isEmpty())
            emit failed(result->refusal);
        else
            emit failed(exited ? QStringLiteral("HTML Tidy could not tidy up this page.")
                               : QStringLiteral("HTML Tidy could not tidy up this page: the "
                                                "checker stopped unexpectedly."));
        return;
    }
    const std::optional<CheckReport> report =
        exited && process->exitCode() == 0 ? decodeReport(process->readAllStandardOutput())
                                           : std::nullopt;
    if (!report) {
        emit failed(exited ? QStringLiteral("HTML Tidy could not check this page.")
                           : QStringLiteral("HTML Tidy could not check this page: the checker "
                                            "stopped unexpectedly."));
        return;
    }
    emit checked(*report);
}

QString defaultChecker()
{
    return QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/" VELMORA_CHECKER))
        .absoluteFilePath();
}
