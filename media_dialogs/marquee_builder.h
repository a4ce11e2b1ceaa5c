#pragma once
// The marquee dialog's builder: the values of frmM's controls in, one
// <marquee> element (or the message that stops it) out. No widgets.

#include "core/builder_result.h"
#include "core/values.h"

#include <QString>
#include <QStringList>
#include <optional>

// The items of the two lists, in list order. Index 0 of the behaviours
// ("Scroll") and index 2 of the alignments ("Bottom") add no attribute.
inline const QStringList kMarqueeBehaviours = {QStringLiteral("Scroll"), QStringLiteral("Slide"),
                                               QStringLiteral("Alternate")};
inline const QStringList kMarqueeAlignments = {QStringLiteral("Top"), QStringLiteral("Middle"),
                                               QStringLiteral("Bottom")};

inline const QString kMarqueeTitle = QStringLiteral("Insert Marquee");
inline const QString kMarqueeRepeatMissing =
    QStringLiteral("If you want the marquee to loop a number of times, then you must put a value in "
                   "the repeat textbox");

// The initial values of the dialog's controls. Attribute fields are written
// verbatim between double quotes; the text goes through HTMLtext.
struct MarqueeFields {
    QString text = QStringLiteral("Marquee");
    bool right = false; // direction; left adds nothing
    QString delay = QStringLiteral("90");  // scrolldelay unless it reads as 90
    QString pixels = QStringLiteral("6");  // scrollamount unless it reads as 6
    int behaveIndex = 0; // into kMarqueeBehaviours
    int alignIndex = 2;  // into kMarqueeAlignments
    bool repeat = false; // "This many times" rather than continuously
    QString repeatCount; // required with `repeat`, ignored without
    QString width;
    bool widthPercent = false;
    QString height;
    bool heightPercent = false;
    ColourValue background = kSysButtonFace; // the no-colour value adds no bgcolor
};

// The marquee, or the message (title kMarqueeTitle) that stops it.
BuilderResult buildMarquee(const MarqueeFields &fields);

// The number a text starts with, read as Visual Basic's Val reads it: blanks,
// tabs and line feeds are passed over wherever they stand; then "&H" and hex
// digits, "&O" and octal digits, or an optional sign, digits with an optional
// decimal point, and an optional exponent (E or D); reading stops at the
// first character that does not fit. "06" and "6px" read as 6. Empty when no
// digit is read (Val would give 0).
std::optional<double> leadingNumber(const QString &text);
