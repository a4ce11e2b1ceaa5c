#pragma once
// Tidy Up: a page (or a piece of one) re-indented by HTML Tidy (libtidy),
// keeping what is the user's: the doctype as written, the line ends, the
// characters (no entities made of them, no byte-order mark, tabs kept),
// attribute values, scripts and where style sheets stand. Tidy corrects
// markup it finds in error; the result says how many errors there were so
// that the editor can ask first. The editor runs this in the checker
// process (PageChecker::startTidyUp), never in its own.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct TidyOptions {
    QByteArray newline = "\r\n"; // "\r\n", "\n" or "\r"
    bool fragment = false;       // a piece of a page: no html, head or body added
    int indent = 2;              // spaces a level
};

struct TidyResult {
    bool produced = false; // false: Tidy could make nothing of the page
    QString refusal;       // why not, when that is known
    int errors = 0;
    // The first error, for the question: its line (from 1) and column, and
    // Tidy's words.
    int line = 0, column = 0;
    QString firstError;
    QByteArray text; // UTF-8
};

TidyResult tidyUpUtf8(QByteArrayView utf8, const TidyOptions &options);

// The options as the checker's arguments ("--tidy-up", ...), and back
// (nullopt when the arguments are not a tidy-up run).
QStringList tidyArguments(const TidyOptions &options);
std::optional<TidyOptions> tidyOptionsFrom(const QStringList &arguments);

// The result as the checker hands it to the editor, and back (nullopt when
// the bytes are not a whole result).
QByteArray encodeTidyResult(const TidyResult &result);
std::optional<TidyResult> decodeTidyResult(const QByteArray &bytes);
