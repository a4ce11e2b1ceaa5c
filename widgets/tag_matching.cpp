#include "widgets/tag_matching.h"

#include "widgets/html_pane.h"
#include "widgets/pane_markup.h"

using SB = QsciScintillaBase;

namespace {

constexpr int kTagIndicator = 11; // strikethrough 8, find marks 9, style sheets 10

} // namespace

TagMatching::TagMatching(PaneMarkup &markup) : QObject(&markup), markup_(markup)
{
    HTMLPane &pane = markup_.pane();
    const auto indicator = static_cast<unsigned long>(kTagIndicator);
    pane.SendScintilla(SB::SCI_INDICSETSTYLE, indicator, static_cast<long>(SB::INDIC_STRAIGHTBOX));
    pane.SendScintilla(SB::SCI_INDICSETALPHA, indicator, 60L);
    pane.SendScintilla(SB::SCI_INDICSETOUTLINEALPHA, indicator, 160L);
    pane.SendScintilla(SB::SCI_INDICSETUNDER, indicator, 1L);
    pane.SendScintilla(SB::SCI_INDICSETFORE, indicator, QColor(40, 120, 220));
    afterTyping_.setSingleShot(true);
    afterTyping_.setInterval(150);
    connect(&afterTyping_, &QTimer::timeout, this, &TagMatching::mark);
    connect(&pane, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if (!markOn_)
            return;
        if (updated & SB::SC_UPDATE_CONTENT)
            afterTyping_.start();
        else if ((updated & SB::SC_UPDATE_SELECTION) && !afterTyping_.isActive())
            mark();
    });
}

void TagMatching::setMarkOn(bool on)
{
    markOn_ = on;
    afterTyping_.stop();
    if (on)
        mark();
    else
        clearMark();
}

void TagMatching::clearMark()
{
    HTMLPane &pane = markup_.pane();
    pane.SendScintilla(SB::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(kTagIndicator));
    pane.SendScintilla(SB::SCI_INDICATORCLEARRANGE, 0UL, pane.SendScintilla(SB::SCI_GETTEXTLENGTH));
}

void TagMatching::mark()
{
    clearMark();
    if (!markOn_)
        return;
    const QByteArrayView text = markup_.text();
    markup::Outline &outline = markup_.outline();
    const std::optional<markup::TagInfo> tag = outline.tagAt(text, markup_.caret());
    const std::optional<markup::Range> partner = tag ? outline.partner(text, *tag) : std::nullopt;
    if (!partner)
        return;
    HTMLPane &pane = markup_.pane();
    for (const markup::Range &r : {markup::Range{tag->start, tag->end}, *partner})
        pane.SendScintilla(SB::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(r.start),
                           static_cast<long>(r.end - r.start));
}

bool TagMatching::goToPartner()
{
    const QByteArrayView text = markup_.text();
    markup::Outline &outline = markup_.outline();
    const std::optional<markup::TagInfo> tag = outline.tagAt(text, markup_.caret());
    const std::optional<markup::Range> partner = tag ? outline.partner(text, *tag) : std::nullopt;
    if (!partner)
        return false;
    HTMLPane &pane = markup_.pane();
    // Just inside its "<", so that going again comes back.
    pane.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(partner->start + 1));
    return true;
}

bool TagMatching::selectElement()
{
    HTMLPane &pane = markup_.pane();
    const long start = pane.SendScintilla(SB::SCI_GETSELECTIONSTART);
    const long end = pane.SendScintilla(SB::SCI_GETSELECTIONEND);
    const std::optional<markup::Range> element = markup_.outline().elementAround(markup_.text(), start, end);
    if (!element)
        return false;
    pane.SendScintilla(SB::SCI_SETSEL, static_cast<unsigned long>(element->start),
                       static_cast<long>(element->end));
    return true;
}
