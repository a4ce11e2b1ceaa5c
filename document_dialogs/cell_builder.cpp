#include "document_dialogs/cell_builder.h"

namespace {

const QChar Q = QLatin1Char('"');

void appendAttribute(QString &s, const char *name, const QString &value, const QString &unit = {})
{
    if (value.isEmpty())
        return;
    s += QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + Q + value + unit + Q;
}

// The item at `index`, or nothing when the list has no selection.
QString item(const QStringList &list, int index)
{
    return index >= 0 && index < list.size() ? list[index] : QString();
}

} // namespace

QString buildCell(const CellFields &f)
{
    const QString tag = f.header ? QStringLiteral("th") : QStringLiteral("td");
    QString s = QLatin1Char('<') + tag;
    if (f.hAlignIndex != 0)
        appendAttribute(s, "align", item(kCellHAlignments, f.hAlignIndex));
    if (f.vAlignIndex != 1)
        appendAttribute(s, "valign", item(kCellVAlignments, f.vAlignIndex));
    appendAttribute(s, "rowspan", f.rowsSpanned);
    appendAttribute(s, "colspan", f.columnsSpanned);
    appendAttribute(s, "width", f.width, f.widthPercent ? QStringLiteral("%") : QString());
    appendAttribute(s, "height", f.height, f.heightPercent ? QStringLiteral("%") : QString());
    appendAttribute(s, "background", f.background);
    s += colourAttribute(QStringLiteral("bgcolor"), f.backgroundColour);
    s += colourAttribute(QStringLiteral("bordercolor"), f.borderColour);
    s += colourAttribute(QStringLiteral("bordercolordark"), f.borderColourDark);
    s += colourAttribute(QStringLiteral("bordercolorlight"), f.borderColourLight);
    if (f.noWrap)
        s += QStringLiteral(" nowrap");
    s += QStringLiteral(">&nbsp;</") + tag + QLatin1Char('>');
    return s;
}
