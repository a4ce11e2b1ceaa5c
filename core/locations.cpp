#include "core/locations.h"

namespace locations {

QString previewPath(const QString &folder)
{
    if (folder.isEmpty())
        return QString();
    qsizetype end = folder.size();
    while (end > 0 && folder[end - 1] == QLatin1Char('/'))
        --end;
    return folder.left(end) + QLatin1Char('/') + kPreviewFileName;
}

std::optional<QStringList> splitWords(const QString &commandLine)
{
    QStringList words;
    QString word;
    bool inWord = false; // a word has begun (it may still be empty: '')
    const qsizetype n = commandLine.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = commandLine[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
            continue;
        }
        const bool continuing = inWord;
        inWord = true;
        if (c == QLatin1Char('\'')) {
            const qsizetype close = commandLine.indexOf(QLatin1Char('\''), i + 1);
            if (close < 0)
                return std::nullopt;
            word += commandLine.mid(i + 1, close - i - 1);
            i = close;
        } else if (c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            for (; j < n && commandLine[j] != QLatin1Char('"'); ++j) {
                const QChar d = commandLine[j];
                if (d == QLatin1Char('\\') && j + 1 < n
                    && QStringView(u"$`\"\\\n").contains(commandLine[j + 1])) {
                    ++j;
                    if (commandLine[j] != QLatin1Char('\n')) // a line end is removed
                        word += commandLine[j];
                    continue;
                }
                word += d;
            }
            if (j >= n)
                return std::nullopt;
            i = j;
        } else if (c == QLatin1Char('\\') && i + 1 < n) {
            ++i;
            if (commandLine[i] == QLatin1Char('\n')) { // a continued line
                inWord = continuing;
                continue;
            }
            word += commandLine[i];
        } else {
            word += c;
        }
    }
    if (inWord)
        words << word;
    return words;
}

QString quoteWord(const QString &word)
{
    bool plain = !word.isEmpty();
    for (const QChar c : word) {
        if (!(c.isLetterOrNumber() || QStringView(u"_@%+=:,./-").contains(c))) {
            plain = false;
            break;
        }
    }
    if (plain)
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

std::optional<Command> browserCommand(const QString &commandLine, const QString &previewFile)
{
    std::optional<QStringList> words = splitWords(commandLine);
    if (!words || words->isEmpty())
        return std::nullopt;
    Command command;
    command.program = words->takeFirst();
    for (QString &argument : *words)
        argument.replace(kPlaceholder, previewFile);
    command.arguments = *words;
    return command;
}

} // namespace locations
