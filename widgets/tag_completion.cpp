#include "widgets/tag_completion.h"

#include "widgets/html_pane.h"
#include "widgets/pane_markup.h"

#include <cstring>

using SB = QsciScintillaBase;

namespace {

constexpr char kSeparator = '\n';
constexpr char kTypeSeparator = '\x1e'; // no label holds it

} // namespace

TagCompletion::TagCompletion(PaneMarkup &markup) : QObject(&markup), markup_(markup)
{
    HTMLPane &pane = markup_.pane();
    connect(&pane, &QsciScintillaBase::SCN_CHARADDED, this, &TagCompletion::charAdded);
    connect(&pane, qOverload<const char *, int, int, int>(&QsciScintillaBase::SCN_AUTOCSELECTION),
            this, [this](const char *label, int, int, int) { chosen(label); });
}

bool TagCompletion::isListShown() const
{
    return markup_.pane().SendScintilla(SB::SCI_AUTOCACTIVE) != 0;
}

bool TagCompletion::complete()
{
    return show(markup_.outline().contextAt(markup_.text(), markup_.caret()));
}

bool TagCompletion::show(const markup::Context &context)
{
    HTMLPane &pane = markup_.pane();
    const long caret = markup_.caret();
    const std::vector<markup::Choice> choices = markup::choicesFor(context, markup_.text());
    if (choices.empty())
        return false;
    words_.clear();
    QByteArray list;
    for (const markup::Choice &c : choices) {
        words_.insert(c.label, c.word);
        if (!list.isEmpty())
            list += kSeparator;
        list += c.label.toUtf8();
    }
    const bool caseMatters = context.place == markup::Place::Reference
        || context.place == markup::Place::AttributeValue;
    pane.SendScintilla(SB::SCI_AUTOCSETSEPARATOR, static_cast<unsigned long>(kSeparator));
    pane.SendScintilla(SB::SCI_AUTOCSETTYPESEPARATOR, static_cast<unsigned long>(kTypeSeparator));
    pane.SendScintilla(SB::SCI_AUTOCSETIGNORECASE, static_cast<unsigned long>(!caseMatters));
    pane.SendScintilla(SB::SCI_AUTOCSETORDER, static_cast<unsigned long>(
                           markup::keepsOrder(context) ? SB::SC_ORDER_CUSTOM : SB::SC_ORDER_PERFORMSORT));
    pane.SendScintilla(SB::SCI_AUTOCSETAUTOHIDE, 1UL);
    pane.SendScintilla(SB::SCI_AUTOCSETCHOOSESINGLE, 0UL);
    pane.SendScintilla(SB::SCI_AUTOCSETDROPRESTOFWORD, 0UL);
    pane.SendScintilla(SB::SCI_AUTOCSETMAXHEIGHT, 12UL);
    // No character ends a list but the ";" of a reference: the list hides
    // when nothing in it fits what is typed, and the characters that open
    // a list replace it (a stop character would end the new one at once).
    pane.SendScintilla(SB::SCI_AUTOCSTOPS, 0UL, context.place == markup::Place::Reference ? ";" : "");
    pane.SendScintilla(SB::SCI_AUTOCSHOW, static_cast<unsigned long>(caret - context.wordStart),
                       list.constData());
    return true;
}

void TagCompletion::chosen(const char *label)
{
    const QString word = words_.value(QString::fromUtf8(label));
    HTMLPane &pane = markup_.pane();
    pane.SendScintilla(SB::SCI_AUTOCCANCEL); // what is written is decided here
    const long caret = markup_.caret();
    const markup::Context context = markup_.outline().contextAt(markup_.text(), caret);
    if (word.isEmpty() || context.place == markup::Place::Text || context.place == markup::Place::Other)
        return;
    markup_.apply(markup::completionEdit(context, markup_.text(), caret, word));
    // An attribute with a fixed set of values offers them at once (once
    // Scintilla has finished with this list: a list shown while it tells
    // of a choice would be taken for the chosen one).
    if (asYouType_ && context.place == markup::Place::AttributeName)
        QMetaObject::invokeMethod(this, &TagCompletion::complete, Qt::QueuedConnection);
}

void TagCompletion::charAdded(int ch)
{
    // Scintilla tells of a typed character before its own list sees it:
    // a list opened here is the one that stays.
    HTMLPane &pane = markup_.pane();
    const long caret = markup_.caret();
    if (closeTags_ && (ch == '>' || ch == '/')) {
        if (const std::optional<markup::Edit> edit =
                markup::closingEdit(markup_.outline(), markup_.text(), caret)) {
            pane.SendScintilla(SB::SCI_AUTOCCANCEL);
            markup_.apply(*edit);
            return;
        }
    }
    if (!asYouType_ || ch <= 0 || ch >= 128 || !std::strchr("</ =\"'&", ch))
        return;
    pane.SendScintilla(SB::SCI_AUTOCCANCEL);
    const markup::Context c = markup_.outline().contextAt(markup_.text(), caret);
    using P = markup::Place;
    const bool opens = (ch == '<' && c.place == P::TagName) || (ch == '/' && c.place == P::EndTagName)
        || (ch == ' ' && c.place == P::AttributeName)
        || ((ch == '=' || ch == '"' || ch == '\'') && c.place == P::AttributeValue && c.wordStart == caret)
        || (ch == '&' && c.place == P::Reference);
    if (opens)
        show(c);
}
