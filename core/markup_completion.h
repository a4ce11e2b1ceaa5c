#pragma once
// Completion of typed markup: the names that fit where the caret is (an
// element after "<", the open elements after "</", an element's attributes
// without those it has, the fixed values of an attribute, the character
// references after "&"), what choosing one writes, and the end tag that
// closing tags as you type adds after a start tag's ">" or a "</".

#include "core/markup_outline.h"

#include <QString>
#include <vector>

namespace markup {

struct Choice {
    QString label; // as the list shows it (it begins with what is typed of it)
    QString word;  // what it stands for: a name or a value
};

// The choices for `context`, in the order to show them (the open elements
// first after "</", innermost first; else sorted).
std::vector<Choice> choicesFor(const Context &context, QByteArrayView text);
// Whether the list keeps the order above rather than sorting it.
bool keepsOrder(const Context &context);

// A change of the text: [start, end) becomes `text`, then the caret goes to
// `caret` (a byte offset in the text as it is after the change).
struct Edit {
    qsizetype start = 0, end = 0;
    QByteArray text;
    qsizetype caret = 0;
    bool operator==(const Edit &o) const
    {
        return start == o.start && end == o.end && text == o.text && caret == o.caret;
    }
};

// Choosing `word` for `context` with the caret at `caret`: the rest of the
// word after the caret is replaced too; an attribute gets ="" with the
// caret between the quotes (unless a value follows already), a value its
// quotes, an end tag its ">", a reference its ";".
Edit completionEdit(const Context &context, QByteArrayView text, qsizetype caret, const QString &word);

// After a ">" or "/" typed just before `caret`: the end tag to put after
// it, if any. A start tag's ">" gets its end tag after the caret, unless the
// element is void, closes itself, stands in a script or style body, or has
// its end tag already; "</" gets the innermost open element's name and ">".
std::optional<Edit> closingEdit(Outline &outline, QByteArrayView text, qsizetype caret);

// How far past a new start tag closingEdit looks for its end tag.
constexpr qsizetype kEndTagSearch = 4 * 1024 * 1024;

} // namespace markup
