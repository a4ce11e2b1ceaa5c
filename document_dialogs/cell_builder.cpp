#include "document_dialogs/cell_builder.h"

namespace {

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
    appendSizeColourAttributes(s, f);
    if (f.noWrap)
        s += QStringLiteral(" nowrap");
    s += QStringLiteral(">&nbsp;</") + tag + QLatin1Char('>');
    return s;
}
