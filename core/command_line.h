#pragma once
// The program's command line: options, and the arguments that together name
// the one document (joined by single spaces).
//   Pagewisp [-h | --help | --version] [--] [file]

#include <QString>
#include <QStringList>
#include <optional>

// --help, -h or --version (before any "--"): the text to print on standard
// output before exiting with 0. Read before the application exists, so it
// needs no display.
std::optional<QString> informationRequest(const QStringList &arguments);

struct CommandLine {
    QStringList files;    // the document arguments, in the order given
    QString unknown;      // an option the program does not know, if any
};

// `original` are the arguments without the program name, `left` what Qt
// left of them after taking its own options (such as "-style" and its
// value). An argument after "--", and one that looks like an option but
// names an existing file (Qt's or not), is a document argument; any other
// argument that starts with "-" is an unknown option.
CommandLine parseCommandLine(const QStringList &original, const QStringList &left);

// What an unknown option prints on standard error (exit status 2).
QString usageError(const QString &option);
