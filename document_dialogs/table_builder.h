#pragma once
// The table dialog's fragment builder: the values of frmT's controls in, the
// finished table (or the message that stops it) out. No widgets.

#include "core/builder_result.h"
#include "core/conversions.h"
#include "core/html_attributes.h"
#include "core/values.h"

#include <QString>
#include <QStringList>
#include <optional>

// The items of the table dialog's alignment list, in list order.
inline const QStringList kTableAlignments = {QStringLiteral("Left"), QStringLiteral("Centre"),
                                             QStringLiteral("Right"), QStringLiteral("Justify")};

inline const QString kTableErrorTitle = QStringLiteral("Table Creation Error");

// The most cells one table may have.
inline constexpr qint64 kMaxTableCells = 1000000;

// The fields the table and the cell share: the size, the background picture
// and the four colours. The colour swatches start with, and fall back to,
// kSysButtonFace: the no-colour value, which adds no attribute.
struct SizeColourFields {
    QString width;
    bool widthPercent = true;
    QString height;
    bool heightPercent = true;
    QString background;
    ColourValue backgroundColour = kSysButtonFace;
    ColourValue borderColour = kSysButtonFace;
    ColourValue borderColourDark = kSysButtonFace;
    ColourValue borderColourLight = kSysButtonFace;
};

struct TableFields : SizeColourFields {
    int alignIndex = 1; // index into kTableAlignments; 1 ("Centre") adds no wrapper
    QString borderSize = QStringLiteral("0");
    QString cellPadding = QStringLiteral("1");
    QString cellSpacing = QStringLiteral("2");
    QString columns = QStringLiteral("2");
    QString rows = QStringLiteral("2");
};

// The table, or the message (title kTableErrorTitle) that stops it.
BuilderResult buildTable(const TableFields &fields);

// The shared attributes in their fixed order: width, height, background,
// bgcolor, bordercolor, bordercolordark, bordercolorlight. A size is in
// percent with its percent option, in pixels without a unit otherwise.
void appendSizeColourAttributes(QString &s, const SizeColourFields &fields);
