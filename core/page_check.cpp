#include "core/page_check.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>


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
