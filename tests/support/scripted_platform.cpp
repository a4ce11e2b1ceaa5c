#include "support/scripted_platform.h"

template <typename T>
T ScriptedPlatform::answer(QList<T> &queue, const QString &kind, const QString &what, T fallback)
{
    if (onRequest)
        onRequest(kind);
    if (!queue.isEmpty())
        return queue.takeFirst();
    ++unexpectedCalls;
    unexpectedLog << (what.isEmpty() ? kind : kind + QStringLiteral(": ") + what);
    return fallback;
}

MsgResult ScriptedPlatform::messageBox(QWidget *, const QString &text, const QString &title,
                                       MsgIcon icon, MsgButtons buttons)
{
    messages.append({text, title, icon, buttons});
    return answer(messageAnswers, QStringLiteral("message"), title + QStringLiteral(": ") + text,
                  buttons == MsgButtons::OK ? MsgResult::OK : MsgResult::Cancel);
}

QString ScriptedPlatform::inputBox(QWidget *, const QString &prompt, const QString &title,
                                   const QString &defaultText)
{
    inputs.append({prompt, title, defaultText});
    return answer<QString>(inputAnswers, QStringLiteral("input"), title + QStringLiteral(": ") + prompt, {});
}

std::optional<QString> ScriptedPlatform::openFile(QWidget *, const FileDialogRequest &request)
{
    fileRequests.append({request.filter, request.title, request.fileName, false});
    return answer<std::optional<QString>>(fileAnswers, QStringLiteral("open"), request.title, {});
}

std::optional<QString> ScriptedPlatform::saveFile(QWidget *, const FileDialogRequest &request)
{
    fileRequests.append({request.filter, request.title, request.fileName, true});
    return answer<std::optional<QString>>(fileAnswers, QStringLiteral("save"), request.title, {});
}

std::optional<ColourValue> ScriptedPlatform::chooseColour(QWidget *, ColourValue current,
                                                          QList<ColourValue> &)
{
    colourRequests.append(ColourRequest{current});
    return answer<std::optional<ColourValue>>(colourAnswers, QStringLiteral("colour"), {}, {});
}

std::optional<FontChoice> ScriptedPlatform::chooseFont(QWidget *, const FontChoice &current)
{
    fontRequests.append(current);
    return answer<std::optional<FontChoice>>(fontAnswers, QStringLiteral("font"), {}, {});
}

std::optional<QString> ScriptedPlatform::chooseFolder(QWidget *, const QString &prompt,
                                                     const QString &startIn)
{
    folderPrompts.append(prompt);
    folderStarts.append(startIn);
    return answer<std::optional<QString>>(folderAnswers, QStringLiteral("folder"), prompt, {});
}

bool ScriptedPlatform::startProcess(const QString &program, const QStringList &arguments,
                                    const QString &workingDir)
{
    if (processesThrough) {
        if (onRequest)
            onRequest(QStringLiteral("process"));
        return processesThrough->startProcess(program, arguments, workingDir);
    }
    return answer(processResults, QStringLiteral("process"), program, false);
}

bool ScriptedPlatform::openUrl(const QString &url)
{
    urls.append(url);
    return answer(urlResults, QStringLiteral("url"), url, false);
}

QString messageLine(const ScriptedPlatform &p, int i)
{
    static const char *const icons[] = {"None", "Information", "Exclamation", "Critical", "Question"};
    static const char *const buttons[] = {"OK", "YesNo", "YesNoCancel"};
    const ScriptedPlatform::Message m = p.messages.value(i);
    return QStringList{m.title, icons[int(m.icon)], buttons[int(m.buttons)], m.text}.join('|');
}
