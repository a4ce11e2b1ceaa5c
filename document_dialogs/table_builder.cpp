#include "document_dialogs/table_builder.h"

#include <cmath>

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QChar Q = QLatin1Char('"');

// Checks one count; on success `count` holds it, otherwise the message.
std::optional<QString> checkCount(const QString &text, const char *what, int &count)
{
    if (!readsAsNumber(text))
        return QStringLiteral("A number was not entered into the %1 textbox, please enter a number "
                              "and try clicking OK again.")
            .arg(QLatin1String(what));
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 32767 || value != std::floor(value))
        return QStringLiteral("A whole number from 0 to 32767 was not entered into the %1 textbox, "
                              "please enter one and try clicking OK again.")
            .arg(QLatin1String(what));
    count = static_cast<int>(value);
    return std::nullopt;
}

} // namespace

void appendSizeColourAttributes(QString &s, const SizeColourFields &f)
{
    appendAttribute(s, "width", f.width, f.widthPercent ? QStringLiteral("%") : QString());
    appendAttribute(s, "height", f.height, f.heightPercent ? QStringLiteral("%") : QString());
    appendAttribute(s, "background", f.background);
    s += colourAttribute(QStringLiteral("bgcolor"), f.backgroundColour);
    s += colourAttribute(QStringLiteral("bordercolor"), f.borderColour);
    s += colourAttribute(QStringLiteral("bordercolordark"), f.borderColourDark);
    s += colourAttribute(QStringLiteral("bordercolorlight"), f.borderColourLight);
}

BuilderResult buildTable(const TableFields &f)
{
    int columns = 0;
    int rows = 0;
    if (auto message = checkCount(f.columns, "columns", columns))
        return BuilderResult::refused(*message, kTableErrorTitle);
    if (auto message = checkCount(f.rows, "rows", rows))
        return BuilderResult::refused(*message, kTableErrorTitle);
    if (qint64(columns) * rows > kMaxTableCells)
        return BuilderResult::refused(
            QStringLiteral("A table can have at most 1,000,000 cells, please enter fewer "
                           "columns or rows and try clicking OK again."),
            kTableErrorTitle);

    const bool wrapped = f.alignIndex != 1 && f.alignIndex >= 0 && f.alignIndex < kTableAlignments.size();

    QString head;
    if (wrapped)
        head += QStringLiteral("<div align=") + Q + kTableAlignments[f.alignIndex] + Q + QLatin1Char('>')
            + CRLF + CRLF;
    head += QStringLiteral("<table");
    appendAttribute(head, "border", f.borderSize);
    appendAttribute(head, "cellpadding", f.cellPadding);
    appendAttribute(head, "cellspacing", f.cellSpacing);
    appendSizeColourAttributes(head, f);
    head += QLatin1Char('>') + CRLF + CRLF;

    // One row is built once and repeated: a large table costs one copy.
    const QString cell = QStringLiteral("<td>&nbsp;</td>") + CRLF;
    QString row;
    row.reserve(4 + 2 + cell.size() * columns + 7);
    row += QStringLiteral("<tr>") + CRLF;
    for (int c = 0; c < columns; ++c)
        row += cell;
    row += QStringLiteral("</tr>") + CRLF;

    const QString tail = CRLF + QStringLiteral("</table>") + (wrapped ? CRLF + QStringLiteral("</div>") : QString());

    QString s;
    s.reserve(head.size() + qsizetype(row.size()) * rows + tail.size());
    s += head;
    for (int r = 0; r < rows; ++r)
        s += row;
    s += tail;
    return BuilderResult::built(s);
}
