#include "core/page_check.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>
#include <tidy.h>
#include <tidybuffio.h>

namespace {

Bool TIDY_CALL collect(TidyMessage message)
{
    auto *out = static_cast<std::vector<PageMessage> *>(tidyGetAppData(tidyGetMessageDoc(message)));
    // (No mute list is configured; libtidy 5.6 answers tidyGetMessageIsMuted
    // with an unset value for some errors, so it is not asked.)
    PageMessage m;
    switch (tidyGetMessageLevel(message)) {
    case TidyWarning:
        m.kind = PageMessage::Warning;
        break;
    case TidyAccess:
        m.kind = PageMessage::Access;
        break;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        m.kind = PageMessage::Error;
        break;
    default:
        return no; // information, configuration, summaries
    }
    m.line = qMax(0, tidyGetMessageLine(message));
    m.column = qMax(0, tidyGetMessageColumn(message));
    m.text = QString::fromUtf8(tidyGetMessageDefault(message));
    out->push_back(std::move(m));
    return no; // nothing goes to Tidy's own error output
}

} // namespace

QString kindText(PageMessage::Kind kind)
{
    switch (kind) {
    case PageMessage::Error:
        return QStringLiteral("Error");
    case PageMessage::Access:
        return QStringLiteral("Access");
    default:
        return QStringLiteral("Warning");
    }
}

std::vector<PageMessage> checkPage(const QString &source)
{
    return checkPageUtf8(source.toUtf8());
}

std::vector<PageMessage> checkPageUtf8(QByteArrayView utf8)
{
    std::vector<PageMessage> messages;
    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &messages);
    tidySetMessageCallback(doc, collect);
    tidyOptSetValue(doc, TidyInCharEncoding, "utf8");
    tidyOptSetValue(doc, TidyOutCharEncoding, "utf8");
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    tidyOptSetInt(doc, TidyShowErrors, 1000000);
    // Columns count characters: a tab is one.
    tidyOptSetInt(doc, TidyTabSize, 1);

    // Tidy only reads the buffer it is given.
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte *>(const_cast<char *>(utf8.data())), uint(utf8.size()));
    if (tidyParseBuffer(doc, &input) >= 0)
        tidyRunDiagnostics(doc);
    tidyBufDetach(&input);
    tidyRelease(doc);
    // In the order of the text; the page's own messages first.
    std::stable_sort(messages.begin(), messages.end(), [](const PageMessage &a, const PageMessage &b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return messages;
}

int columnToIndex(QStringView line, int column)
{
    int index = 0;
    for (int c = 1; c < column && index < line.size(); ++c) {
        if (line.at(index).isHighSurrogate() && index + 1 < line.size()
            && line.at(index + 1).isLowSurrogate())
            ++index;
        ++index;
    }
    return index;
}

CheckReport reportOf(std::vector<PageMessage> messages, size_t listed)
{
    CheckReport report;
    for (const PageMessage &m : messages)
        (m.kind == PageMessage::Error ? report.errors : report.warnings) += 1;
    if (messages.size() > listed)
        messages.resize(listed);
    report.messages = std::move(messages);
    return report;
}

QByteArray encodeReport(const CheckReport &report)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(report.errors) << qint32(report.warnings) << quint32(report.messages.size());
    for (const PageMessage &m : report.messages)
        out << qint32(m.line) << qint32(m.column) << qint32(m.kind) << m.text;
    return bytes;
}

std::optional<CheckReport> decodeReport(const QByteArray &bytes)
{
    QDataStream in(bytes);
    qint32 errors = 0, warnings = 0;
    quint32 count = 0;
    in >> errors >> warnings >> count;
    CheckReport report{{}, errors, warnings};
    // Each message takes at least 16 bytes: no reserving beyond the input.
    report.messages.reserve(qMin<size_t>(count, size_t(bytes.size()) / 16));
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        qint32 line = 0, column = 0, kind = 0;
        PageMessage m;
        in >> line >> column >> kind >> m.text;
        if (kind < PageMessage::Warning || kind > PageMessage::Access)
            return std::nullopt;
        m.line = line;
        m.column = column;
        m.kind = PageMessage::Kind(kind);
        report.messages.push_back(std::move(m));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return report;
}

int shiftedLine(int line, const std::vector<LineShift> &shifts)
{
    for (const LineShift &s : shifts) {
        // Removed: the line ends after lines s.line to s.line - delta - 1,
        // which joins the lines up to s.line - delta onto s.line.
        const int lastTouched = s.delta < 0 ? s.line - s.delta : s.line;
        if (line > lastTouched)
            line += s.delta;
        else if (line > s.line)
            line = s.line;
    }
    return line;
}
