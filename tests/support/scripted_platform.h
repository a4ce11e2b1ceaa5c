#pragma once
// A Platform for tests: it shows nothing, records every request and answers
// each kind of request from its own queue (first in, first out).
//
// Usage:
//     ScriptedPlatform p;
//     p.messageAnswers << MsgResult::No;          // the next message box says No
//     p.fileAnswers << QStringLiteral("/tmp/a.htm"); // the next file dialog picks a.htm
//     p.fileAnswers << std::nullopt;              // the one after is cancelled
//     ... run the code under test ...
//     QCOMPARE(p.messages.size(), 1);
//     QCOMPARE(p.messages[0].title, QStringLiteral("Velmora"));
//     QCOMPARE(p.unexpectedCalls, 0);
//
// When a queue is empty the request still gets an answer, and it counts as an
// unexpected call (`unexpectedCalls` goes up, `unexpectedLog` says which):
//   message box   OK for an OK box, Cancel for Yes/No and Yes/No/Cancel boxes
//   input box     the empty string (what Cancel gives)
//   file, colour, font and folder dialogs   std::nullopt (the user cancels)
//   startProcess, openUrl                   false (could not be started)
//
// `onRequest`, when set, runs with every request, once it is recorded, with its kind
// ("message", "input", "open", "save", "colour", "font", "folder", "process",
// "url"), so a test can look at the state of a window while it "shows" a dialog.

#include "widgets/platform.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ScriptedPlatform : public Platform {
public:
    // What was shown or asked for, in order, one list per kind.
    struct Message {
        QString text, title;
        MsgIcon icon = MsgIcon::None;
        MsgButtons buttons = MsgButtons::OK;
    };
    struct Input {
        QString prompt, title, defaultText;
    };
    struct FileRequest {
        QString filter, title, fileName;
        bool save = false; // false: shown as Open; true: shown as Save
    };
    struct ColourRequest {
        ColourValue current = 0;
    };

    QList<Message> messages;
    QList<Input> inputs;
    QList<FileRequest> fileRequests;
    QList<ColourRequest> colourRequests;
    QList<FontChoice> fontRequests;   // the font each font dialog started with
    QStringList folderPrompts;
    QStringList folderStarts; // the folder each folder chooser opened at
    QStringList urls;

    // Answers, taken from the front.
    QList<MsgResult> messageAnswers;
    QStringList inputAnswers;
    QList<std::optional<QString>> fileAnswers;   // Open and Save share this queue
    QList<std::optional<ColourValue>> colourAnswers;
    QList<std::optional<FontChoice>> fontAnswers;
    QList<std::optional<QString>> folderAnswers;
    QList<bool> processResults;
    // When set, processes are started through it and its result is the
    // answer; processResults is not used.
    Platform *processesThrough = nullptr;
    QList<bool> urlResults;

    // Requests that found their queue empty.
    int unexpectedCalls = 0;
    QStringList unexpectedLog; // e.g. "message: Registry Settings Error"

    std::function<void(const QString &kind)> onRequest;

    MsgResult messageBox(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                         MsgButtons buttons) override;
    QString inputBox(QWidget *parent, const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    std::optional<QString> openFile(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QString> saveFile(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<ColourValue> chooseColour(QWidget *parent, ColourValue current,
                                            QList<ColourValue> &customColours) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &current) override;
    std::optional<QString> chooseFolder(QWidget *parent, const QString &prompt,
                                        const QString &startIn) override;
    bool startProcess(const QString &program, const QStringList &arguments,
                      const QString &workingDir) override;
    bool openUrl(const QString &url) override;

private:
    // Notes a request of `kind` and takes its answer from `queue`, or gives
    // `fallback` and counts an unexpected call when the queue is empty.
    template <typename T>
    T answer(QList<T> &queue, const QString &kind, const QString &what, T fallback);
};

// Message `i` shown through `p` as "title|icon|buttons|text" (icon and buttons
// by their names), or "|None|OK|" when there is no such message.
QString messageLine(const ScriptedPlatform &p, int i);
