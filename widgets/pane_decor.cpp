#include "widgets/pane_decor.h"

#include "core/conversions.h"
#include "core/syntax_palette.h"
#include "widgets/html_pane.h"

#include <Qsci/qscilexerhtml.h>

namespace {

using SB = QsciScintillaBase;
using L = QsciLexerHTML;

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
}

void SyntaxColouring::setOn(bool on)
{
    if (on == isOn())
        return;
    if (on) {
        lexer_ = new QsciLexerHTML(this);
        pane_.setLexer(lexer_);
    } else {
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
