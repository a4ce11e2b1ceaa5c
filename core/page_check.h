#pragma once
// Check page: runs a page's source through HTML Tidy's parser and
// diagnostics (libtidy) and returns its warnings and errors with the line
// and column they point at. The text is only read.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>
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
// The same on the page's UTF-8 bytes.
std::vector<PageMessage> checkPageUtf8(QByteArrayView utf8);

// What a check found: its first messages, in text order, and the counts of
// all of them. A page can bring hundreds of thousands of messages, more than
// anyone reads and more than a list shows without keeping the editor waiting.
struct CheckReport {
    std::vector<PageMessage> messages;
    int errors = 0;
    int warnings = 0; // warnings and access remarks
};
constexpr size_t kListedMessages = 10000;
// The report of `messages`, keeping the first `listed`.
CheckReport reportOf(std::vector<PageMessage> messages, size_t listed = kListedMessages);

// The report as the checker process hands it to the editor, and back;
// nullopt when the bytes are not a whole, well-formed report.
QByteArray encodeReport(const CheckReport &report);
std::optional<CheckReport> decodeReport(const QByteArray &bytes);

// A change of the text made while a check ran: at `line` (from 1) lines
// were added (`delta` > 0) or removed (`delta` < 0) after it.
struct LineShift {
    int line = 1;
    int delta = 0;
};
// Where a message about `line` of the checked text points after `shifts`
// (in the order they were made): lines after a change move with it, a
// line that was removed points at the line where the removal began.
int shiftedLine(int line, const std::vector<LineShift> &shifts);

// The UTF-16 offset in `line` of the character column `column` (from 1),
// as the checker counts: a surrogate pair is one character. Past the end
// of the line: the line's length.
int columnToIndex(QStringView line, int column);
