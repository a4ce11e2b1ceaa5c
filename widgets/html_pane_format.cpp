// The text pane's uniform format: the editor font and its effects on the
// whole text and on what will be typed, and the background colour.

#include "widgets/html_pane.h"

#include "core/conversions.h"

#include <QEvent>

#include <cmath>

void HTMLPane::setSelFormat(const FontChoice &font)
{
    format_ = font;
    applyFormat();
}

FontChoice HTMLPane::selFormat() const
{
    return format_;
}

ColourValue HTMLPane::backColour() const
{
    return backColour_;
}

void HTMLPane::setBackColour(ColourValue colour)
{
    backColour_ = colour;
    applyFormat();
}

void HTMLPane::applyFormat()
{
    const QPalette pal = palette();
    // A text colour never chosen is black (the value at creation and the
    // setting's default) on a background never chosen (a system colour; a
    // chosen one is RGB). It shows as the palette's text colour, made to be
    // read on the palette's window colour: black on a dark desktop theme
    // could not be. The colour values themselves stay as they are.
    const bool neverChosen = format_.colour == 0 && (backColour_ & 0x80000000u);
    const QColor fore = neverChosen ? pal.color(QPalette::Active, QPalette::Text)
                                    : colourToQColor(format_.colour, pal);
    const QColor back = colourToQColor(backColour_, pal);
    const unsigned long def = STYLE_DEFAULT;
    const QByteArray name = format_.name.toUtf8();
    SendScintilla(SCI_STYLESETFONT, def, name.constData());
    const double size = std::isfinite(format_.size) ? qBound(1.0, format_.size, 1638.0) : 8.0;
    SendScintilla(SCI_STYLESETSIZEFRACTIONAL, def, static_cast<long>(std::lround(size * 100)));
    SendScintilla(SCI_STYLESETBOLD, def, static_cast<long>(format_.bold));
    SendScintilla(SCI_STYLESETITALIC, def, static_cast<long>(format_.italic));
    SendScintilla(SCI_STYLESETUNDERLINE, def, static_cast<long>(format_.underline));
    SendScintilla(SCI_STYLESETFORE, def, fore);
    SendScintilla(SCI_STYLESETBACK, def, back);
    SendScintilla(SCI_STYLECLEARALL);
    SendScintilla(SCI_SETCARETFORE, fore);

    // Scintilla's styles know no strikethrough: an indicator draws it over
    // the whole text, and every insertion gets it as well.
    SendScintilla(SCI_INDICSETFORE, static_cast<unsigned long>(kStrikeIndicator), fore);
    SendScintilla(SCI_SETINDICATORCURRENT, static_cast<unsigned long>(kStrikeIndicator));
    const long length = byteLength();
    if (format_.strikethrough)
        SendScintilla(SCI_INDICATORFILLRANGE, 0UL, length);
    else
        SendScintilla(SCI_INDICATORCLEARRANGE, 0UL, length);
    emit formatApplied();
}

void HTMLPane::changeEvent(QEvent *e)
{
    QsciScintilla::changeEvent(e);
    if (e->type() == QEvent::PaletteChange)
        applyFormat(); // system colours follow the palette
}
