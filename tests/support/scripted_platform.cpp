#include "support/scripted_platform.h"

namespace {

template <typename T>
bool takeAnswer(QList<T> &queue, T &answer)
{
    if (queue.isEmpty())
        return false;
    answer = queue.takeFirst();
    return true;
}

} // namespace

int ScriptedPlatform::requestCount() const
{
    return int(messages.size() + inputs.size() + fileRequests.size() + colourRequests.size()
               + fontRequests.size() + folderPrompts.size() + processes.size() + urls.size());
}

bool ScriptedPlatform::allAnswersUsed() const
{
    return messageAnswers.isEmpty() && inputAnswers.isEmpty() && fileAnswers.isEmpty()
        && colourAnswers.isEmpty() && fontAnswers.isEmpty() && folderAnswers.isEmpty()
        && processResults.isEmpty() && urlResults.isEmpty();
}

void ScriptedPlatform::notify(const QString &kind)
{
    if (onRequest)
        onRequest(kind);
}

void ScriptedPlatform::unexpected(const QString &what)
{
    ++unexpectedCalls;
    unexpectedLog << what;
}

MsgResult ScriptedPlatform::messageBox(QWidget *, const QString &text, const QString &title,
                                       MsgIcon icon, MsgButtons buttons)
{
    notify(QStringLiteral("message"));
    messages.append({text, title, icon, buttons});
    MsgResult answer = buttons == MsgButtons::OK ? MsgResult::OK : MsgResult::Cancel;
    if (!takeAnswer(messageAnswers, answer))
        unexpected(QStringLiteral("message: ") + title + QStringLiteral(": ") + text);
    return answer;
}

QString ScriptedPlatform::inputBox(QWidget *, const QString &prompt, const QString &title,
                                   const QString &defaultText)
{
    notify(QStringLiteral("input"));
    inputs.append({prompt, title, defaultText});
    QString answer;
    if (!takeAnswer(inputAnswers, answer))
        unexpected(QStringLiteral("input: ") + title + QStringLiteral(": ") + prompt);
    return answer;
}

std::optional<QString> ScriptedPlatform::fileDialog(const FileDialogRequest &request, bool save)
{
    const QString kind = save ? QStringLiteral("save") : QStringLiteral("open");
    notify(kind);
    fileRequests.append({request.filter, request.title, request.fileName, save});
    std::optional<QString> answer;
    if (!takeAnswer(fileAnswers, answer))
        unexpected(kind + QStringLiteral(": ") + request.title);
    return answer;
}

std::optional<QString> ScriptedPlatform::openFile(QWidget *, const FileDialogRequest &request)
{
    return fileDialog(request, false);
}

std::optional<QString> ScriptedPlatform::saveFile(QWidget *, const FileDialogRequest &request)
{
    return fileDialog(request, true);
}

std::optional<ColourValue> ScriptedPlatform::chooseColour(QWidget *, ColourValue current,
                                                          QList<ColourValue> &customColours)
{
    notify(QStringLiteral("colour"));
    colourRequests.append({current, customColours});
    std::optional<ColourValue> answer;
    if (!takeAnswer(colourAnswers, answer))
        unexpected(QStringLiteral("colour"));
    return answer;
}

std::optional<FontChoice> ScriptedPlatform::chooseFont(QWidget *, const FontChoice &current)
{
    notify(QStringLiteral("font"));
    fontRequests.append(current);
    std::optional<FontChoice> answer;
    if (!takeAnswer(fontAnswers, answer))
        unexpected(QStringLiteral("font"));
    return answer;
}

std::optional<QString> ScriptedPlatform::chooseFolder(QWidget *, const QString &prompt)
{
    notify(QStringLiteral("folder"));
    folderPrompts.append(prompt);
    std::optional<QString> answer;
    if (!takeAnswer(folderAnswers, answer))
        unexpected(QStringLiteral("folder: ") + prompt);
    return answer;
}

bool ScriptedPlatform::startProcess(const QString &commandLine, const QString &workingDir)
{
    notify(QStringLiteral("process"));
    processes.append({commandLine, workingDir});
    bool answer = false;
    if (!takeAnswer(processResults, answer))
        unexpected(QStringLiteral("process: ") + commandLine);
    return answer;
}

bool ScriptedPlatform::openUrl(const QString &url)
{
    notify(QStringLiteral("url"));
    urls.append(url);
    bool answer = false;
    if (!takeAnswer(urlResults, answer))
        unexpected(QStringLiteral("url: ") + url);
    return answer;
}
