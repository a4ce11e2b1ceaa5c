#pragma once
// The three location values (external browser command line, its start-in
// folder, the temporary directory) and the pure rules around them: where the
// preview file lies in a folder, and how the browser command line becomes a
// program and its arguments.

#include <QString>
#include <QStringList>
#include <optional>

struct LocationValues {
    QString browser;        // command line, "%HTML%" stands for the preview file
    QString browserStartIn; // the browser's working folder
    QString tempDir;        // where the preview file lives
};

namespace locations {

inline const QString kPreviewFileName = QStringLiteral("KV731504.htm");
inline const QString kPlaceholder = QStringLiteral("%HTML%");

// The preview file in `folder`, with exactly one "/" before its name whatever
// the folder ends with: "/tmp/" and "/tmp" give "/tmp/KV731504.htm", the root
// "/" gives "/KV731504.htm". An empty folder names no file (empty result).
QString previewPath(const QString &folder);

// Splits a command line into words as a POSIX shell does, without any
// expansion: blanks separate words; '...' keeps everything literally;
// "..." keeps everything but a backslash before $ ` " \ or a line end;
// outside quotes a backslash takes the next character literally.
// std::nullopt when a quote is not closed.
std::optional<QStringList> splitWords(const QString &commandLine);

// A word written so that splitWords gives it back unchanged: as it is when it
// holds only characters that need no quoting, else in single quotes.
QString quoteWord(const QString &word);

struct Command {
    QString program;
    QStringList arguments;
};

// The browser command line as a program and its arguments, every
// "%HTML%" (exact case) inside an argument replaced by `previewFile`; the
// replacement is never split again, so a path with blanks stays one
// argument. std::nullopt when the line has an unclosed quote or no word.
std::optional<Command> browserCommand(const QString &commandLine, const QString &previewFile);

} // namespace locations
