#pragma once
// The cell-properties dialog's builder: the values of frmC's controls in, one
// table cell out. Every combination of fields gives a cell. No widgets.

#include "document_dialogs/table_builder.h"

#include <QString>
#include <QStringList>

// The items of the two alignment lists, in list order.
inline const QStringList kCellHAlignments = {QStringLiteral("Left"), QStringLiteral("Centre"),
                                             QStringLiteral("Right"), QStringLiteral("Justify")};
inline const QStringList kCellVAlignments = {QStringLiteral("Top"), QStringLiteral("Middle"),
                                             QStringLiteral("Baseline"), QStringLiteral("Bottom")};

struct CellFields : SizeColourFields {
    int hAlignIndex = 0; // 0 ("Left") adds no align
    int vAlignIndex = 1; // 1 ("Middle") adds no valign
    QString rowsSpanned = QStringLiteral("1");
    QString columnsSpanned = QStringLiteral("1");
    bool header = false;
    bool noWrap = false;
};

QString buildCell(const CellFields &fields);
