#pragma once
// The shared conversions every HTML generator uses, and the colour values of
// the platform. Pure functions; no widgets.

#include "core/values.h"

#include <QColor>
#include <QString>
#include <optional>

class QPalette;

// "1.02.0007" for 1.2.7: minor padded to two digits, revision to four.
QString Ver(int major, int minor, int revision);
QString Ver(); // this program's version

// Decimal text of a colour value 0..16777215 to the quoted HTML colour text,
// e.g. "255" -> "\"#FF0000\"". std::nullopt when the text is not a number or
// the value lies outside 0..16777215.
std::optional<QString> VBCol2HTML(const QString &VBCol);
// Plain text to HTML text: & > < " and CR LF (as <br> CR LF).
QString HTMLtext(const QString &Orig);

// True when the text reads as a number: optional blanks, an optional sign,
// digits with an optional decimal point, an optional exponent, optional
// blanks. The empty text does not.
bool readsAsNumber(const QString &text);

// Colour values and QColor. System colours (top bit set) resolve through
// `palette`: 0x80000005 window background, 0x8000000F button face,
// 0x80000012 button text.
QColor colourToQColor(ColourValue value, const QPalette &palette);
QColor colourToQColor(ColourValue value); // through the application palette
ColourValue qcolorToColour(const QColor &colour); // always an RGB value

