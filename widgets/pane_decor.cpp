#include "widgets/pane_decor.h"

#include "core/conversions.h"
#include "core/css_tokens.h"
#include "core/syntax_palette.h"
#include "widgets/html_pane.h"

#include <Qsci/qscilexerhtml.h>

namespace {

using SB = QsciScintillaBase;
using L = QsciLexerHTML;

// The HTML lexer leaves style sheets as plain text: an indicator that sets
// the text colour from its value colours them (the find bar's marks are 9).
constexpr int kCssIndicator = 10;

long scintillaColour(const QColor &c)
{
    return long(c.red()) | (long(c.green()) << 8) | (long(c.blue()) << 16);
}

// The role of each style the HTML lexer uses; plain text (and every style
// not listed) keeps the text colour.
std::vector<std::pair<int, SyntaxRole>> styleRoles()
{
    std::vector<std::pair<int, SyntaxRole>> r = {
        {L::Tag, SyntaxRole::Tag},
        {L::XMLTagEnd, SyntaxRole::Tag},
        {L::UnknownTag, SyntaxRole::UnknownTag},
        {L::Attribute, SyntaxRole::Attribute},
        {L::UnknownAttribute, SyntaxRole::UnknownAttribute},
        {L::HTMLNumber, SyntaxRole::Number},
        {L::HTMLDoubleQuotedString, SyntaxRole::Value},
        {L::HTMLSingleQuotedString, SyntaxRole::Value},
        {L::HTMLValue, SyntaxRole::Value},
        {L::OtherInTag, SyntaxRole::Tag},
        {L::HTMLComment, SyntaxRole::Comment},
        {L::ASPXCComment, SyntaxRole::Comment},
        {L::Entity, SyntaxRole::Entity},
        {L::XMLStart, SyntaxRole::Markup},
        {L::XMLEnd, SyntaxRole::Markup},
        {L::Script, SyntaxRole::Tag},
        {L::ASPAtStart, SyntaxRole::Markup},
        {L::ASPStart, SyntaxRole::Markup},
        {L::CDATA, SyntaxRole::Markup},
        {L::PHPStart, SyntaxRole::Markup},
    };
    for (int s = L::SGMLDefault; s <= L::SGMLBlockDefault; ++s)
        r.emplace_back(s, s == L::SGMLComment || s == L::SGMLParameterComment
                              ? SyntaxRole::Comment
                              : (s == L::SGMLError ? SyntaxRole::UnknownTag : SyntaxRole::Markup));
    // The two JavaScript blocks (in the page, and in server pages) share
    // their layout of styles.
    for (int base : {int(L::JavaScriptStart), int(L::ASPJavaScriptStart)}) {
        const SyntaxRole roles[] = {SyntaxRole::Markup,  SyntaxRole::Script,  SyntaxRole::Comment,
                                    SyntaxRole::Comment, SyntaxRole::Comment, SyntaxRole::Number,
                                    SyntaxRole::Script,  SyntaxRole::Keyword, SyntaxRole::Value,
                                    SyntaxRole::Value,   SyntaxRole::Script,  SyntaxRole::UnknownTag,
                                    SyntaxRole::Value};
        for (int i = 0; i < 13; ++i)
            r.emplace_back(base + i, roles[i]);
    }
    return r;
}

} // namespace

SyntaxColouring::SyntaxColouring(HTMLPane &pane) : QObject(&pane), pane_(pane)
{
    connect(&pane_, &HTMLPane::formatApplied, this, [this] {
        if (isOn())
            applyPalette();
    });
    pane_.SendScintilla(SB::SCI_INDICSETSTYLE, static_cast<unsigned long>(kCssIndicator),
                        static_cast<long>(SB::INDIC_TEXTFORE));
    pane_.SendScintilla(SB::SCI_INDICSETFLAGS, static_cast<unsigned long>(kCssIndicator),
                        static_cast<long>(SB::SC_INDICFLAG_VALUEBEFORE));
    cssLater_.setSingleShot(true);
    cssLater_.setInterval(50);
    connect(&cssLater_, &QTimer::timeout, this, &SyntaxColouring::colourStyleSheets);
    connect(&pane_, &HTMLPane::changed, this, [this] {
        if (isOn())
            cssLater_.start();
    });
}

void SyntaxColouring::clearStyleSheets()
{
    pane_.SendScintilla(SB::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(kCssIndicator));
    pane_.SendScintilla(SB::SCI_INDICATORCLEARRANGE, 0UL, pane_.SendScintilla(SB::SCI_GETTEXTLENGTH));
}

void SyntaxColouring::colourStyleSheets()
{
    clearStyleSheets();
    if (!isOn())
        return;
    const QColor back = colourToQColor(pane_.backColour(), pane_.palette());
    const long length = pane_.SendScintilla(SB::SCI_GETTEXTLENGTH);
    // Searching the control's own bytes finds the elements without reading
    // the whole text.
    auto find = [this, length](long from, const char *what) {
        pane_.SendScintilla(SB::SCI_SETSEARCHFLAGS, 0UL); // any case
        pane_.SendScintilla(SB::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), length);
        return pane_.SendScintilla(SB::SCI_SEARCHINTARGET, static_cast<unsigned long>(qstrlen(what)), what);
    };
    for (long pos = 0; pos < length;) {
        const long open = find(pos, "<style");
        if (open < 0)
            break;
        const long gt = find(open + 6, ">");
        if (gt < 0)
            break;
        const long start = gt + 1;
        long end = find(start, "</style");
        if (end < 0)
            end = length;
        pos = end + 1;
        if (end <= start)
            continue;
        const QString css = pane_.textBetween(start, end);
        long byte = start;
        int index = 0;
        for (const CssToken &t : cssTokens(css)) {
            byte += QStringView(css).mid(index, t.start - index).toUtf8().size();
            const long size = QStringView(css).mid(t.start, t.length).toUtf8().size();
            pane_.SendScintilla(SB::SCI_SETINDICATORVALUE,
                                static_cast<unsigned long>(SB::SC_INDICVALUEBIT
                                                           | scintillaColour(syntaxColour(t.role, back))));
            pane_.SendScintilla(SB::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(byte), size);
            byte += size;
            index = t.start + t.length;
        }
    }
}

void SyntaxColouring::setOn(bool on)
{
    if (on == isOn())
        return;
    if (on) {
        lexer_ = new QsciLexerHTML(this);
        pane_.setLexer(lexer_);
    } else {
        cssLater_.stop();
        clearStyleSheets();
        pane_.setLexer(nullptr);
        delete lexer_;
        lexer_ = nullptr;
        pane_.SendScintilla(SB::SCI_SETLEXER, static_cast<unsigned long>(SB::SCLEX_CONTAINER));
        pane_.SendScintilla(SB::SCI_CLEARDOCUMENTSTYLE);
    }
    // The uniform format again, and on top of it the palette.
    pane_.setSelFormat(pane_.selFormat());
}

void SyntaxColouring::applyPalette()
{
    const QColor back = colourToQColor(pane_.backColour(), pane_.palette());
    QColor colours[int(SyntaxRole::RoleCount)];
    for (int i = 0; i < int(SyntaxRole::RoleCount); ++i)
        colours[i] = syntaxColour(SyntaxRole(i), back);
    for (const auto &[style, role] : styleRoles())
        pane_.SendScintilla(SB::SCI_STYLESETFORE, static_cast<unsigned long>(style),
                            colours[int(role)]);
    pane_.SendScintilla(SB::SCI_COLOURISE, 0UL, -1L);
    colourStyleSheets(); // the palette may have changed with the background
}

LineNumbers::LineNumbers(HTMLPane &pane) : QObject(&pane), pane_(pane)
{
    connect(&pane_, &HTMLPane::changed, this, [this] {
        if (on_)
            fit();
    });
    connect(&pane_, &HTMLPane::formatApplied, this, [this] {
        if (on_) {
            digits_ = 0; // the font may have changed
            fit();
        }
    });
}

void LineNumbers::setOn(bool on)
{
    if (on == on_)
        return;
    on_ = on;
    digits_ = 0;
    if (on_) {
        pane_.SendScintilla(SB::SCI_SETMARGINTYPEN, 0UL, static_cast<long>(SB::SC_MARGIN_NUMBER));
        fit();
    } else {
        pane_.setMarginWidth(0, 0);
    }
}

int LineNumbers::marginWidth() const
{
    return int(pane_.SendScintilla(SB::SCI_GETMARGINWIDTHN, 0UL));
}

// The margin holds the largest line number (at least two digits) and a gap.
void LineNumbers::fit()
{
    const long lines = pane_.SendScintilla(SB::SCI_GETLINECOUNT);
    const int digits = qMax(2, int(QString::number(lines).size()));
    if (digits == digits_)
        return;
    digits_ = digits;
    const QByteArray sample = QByteArray(digits, '9') + "_";
    const long width = pane_.SendScintilla(SB::SCI_TEXTWIDTH, static_cast<unsigned long>(SB::STYLE_LINENUMBER),
                                           sample.constData());
    pane_.setMarginWidth(0, int(width));
}
