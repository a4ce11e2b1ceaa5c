#pragma once
// Check page: runs a page's source through HTML Tidy's parser and
// diagnostics (libtidy) and returns its warnings and errors with the line
// and column they point at. The text is only read.

#include <QString>
#include <QStringView>
#include <vector>

struct PageMessage {
    enum Kind { Warning, Error, Access };
    int line = 0;   // from 1; 0 when the message is about the whole page
    int column = 0; // from 1, in characters of that line
    Kind kind = Warning;
    QString text;
    bool operator==(const PageMessage &o) const
    {
        return line == o.line && column == o.column && kind == o.kind && text == o.text;
    }
};

// The kind's word as the check panel shows it: "Warning", "Error", "Access".
QString kindText(PageMessage::Kind kind);

std::vector<PageMessage> checkPage(const QString &source);

// The UTF-16 offset in `line` of the character column `column` (from 1),
// as the checker counts: a surrogate pair is one character. Past the end
// of the line: the line's length.
int columnToIndex(QStringView line, int column);
