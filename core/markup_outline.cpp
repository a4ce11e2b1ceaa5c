#include "core/markup_outline.h"

#include <algorithm>

namespace markup {

namespace {

constexpr qsizetype kStep = 64 * 1024;

bool holds(const ElementStack &stack, const OpenElement &element)
{
    for (const OpenElement &e : stack)
        if (e.start == element.start)
            return true;
    return false;
}

inline bool isNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Where the name of a character reference typed up to `pos` begins (after
// its "&"), looking no further back than `from`; -1 when `pos` is not in one.
qsizetype referenceStart(QByteArrayView text, qsizetype from, qsizetype pos)
{
    qsizetype p = pos;
    while (p > from && pos - p < 40 && isNameByte(text[p - 1]))
        --p;
    return p > from && text[p - 1] == '&' ? p : -1;
}

} // namespace

Outline::Outline()
{
    points_.push_back({0, {}});
}

void Outline::invalidateFrom(qsizetype pos)
{
    // A place at `pos` itself goes too: the token before it may have ended
    // there because of what followed.
    while (points_.size() > 1 && points_.back().pos >= pos)
        points_.pop_back();
    complete_ = false;
}

void Outline::extend(QByteArrayView text, qsizetype until)
{
    if (complete_ || points_.back().pos >= until)
        return;
    Reader r(text, text.size(), points_.back().pos, points_.back().stack);
    qsizetype next = points_.back().pos + kStep;
    while (r.next()) {
        if (r.pos() >= next && r.atRestartPoint() && r.pos() < text.size()) {
            points_.push_back({r.pos(), r.stack()});
            next = r.pos() + kStep;
            if (r.pos() >= until)
                return;
        }
    }
    complete_ = true;
}

size_t Outline::before(QByteArrayView text, qsizetype pos)
{
    if (!points_.empty() && points_.back().pos > text.size())
        invalidateFrom(text.size()); // a change nobody told of: forget what was past the end
    extend(text, pos);
    const auto after = std::upper_bound(points_.begin(), points_.end(), pos,
                                        [](qsizetype p, const Checkpoint &c) { return p < c.pos; });
    return size_t(after - points_.begin()) - 1;
}

Context Outline::contextAt(QByteArrayView text, qsizetype pos)
{
    pos = qBound<qsizetype>(0, pos, text.size());
    const Checkpoint &from = points_[before(text, pos)];
    Reader r(text, pos, from.pos, from.stack);
    while (r.next()) {
    }
    Context c;
    c.open = r.stack();
    c.wordStart = r.wordStart() < 0 ? pos : r.wordStart();
    c.element = r.tagName();
    switch (r.partial()) {
    case Partial::None: {
        const qsizetype ref = referenceStart(text, 0, pos);
        c.place = ref >= 0 ? Place::Reference : Place::Text;
        c.wordStart = ref >= 0 ? ref : pos;
        c.element.clear();
        break;
    }
    case Partial::TagName:
        c.place = Place::TagName;
        break;
    case Partial::EndTagName:
        c.place = Place::EndTagName;
        c.element.clear();
        break;
    case Partial::AttributeName:
        c.place = Place::AttributeName;
        c.written = r.attributes();
        break;
    case Partial::AttributeValue: {
        c.place = Place::AttributeValue;
        c.attribute = r.attribute();
        c.quote = r.quote();
        const qsizetype ref = referenceStart(text, c.wordStart, pos);
        if (ref >= 0) {
            c.place = Place::Reference;
            c.wordStart = ref;
        }
        break;
    }
    default:
        c.place = Place::Other;
        c.element.clear();
        break;
    }
    return c;
}

std::optional<TagInfo> Outline::tagAt(QByteArrayView text, qsizetype pos)
{
    if (pos < 0 || pos > text.size())
        return std::nullopt;
    const Checkpoint &from = points_[before(text, pos)];
    Reader r(text, text.size(), from.pos, from.stack);
    std::optional<TagInfo> ending;
    while (r.next() && r.tokenStart() <= pos) {
        if (!r.tokenIsTag()) {
            if (r.pos() > pos && r.tokenStart() < pos)
                return std::nullopt; // inside text, a comment or a body
            continue;
        }
        TagInfo tag{r.tokenStart(), r.pos(), r.tokenIsEndTag(), r.tagName(), std::nullopt};
        if (r.opened())
            tag.element = r.openedElement();
        for (const Closed &c : r.closed())
            if (c.endTagEnd >= 0)
                tag.element = c.element;
        if (pos < r.pos())
            return tag;
        if (pos == r.pos())
            ending = tag; // ends at pos: unless a tag begins there
    }
    return ending;
}

std::optional<Closed> Outline::endOf(QByteArrayView text, const OpenElement &element, qsizetype limit)
{
    auto beyond = [&](qsizetype p) { return limit >= 0 && p - element.start > limit; };
    size_t i = before(text, element.tagEnd) + 1;
    // The first place past the element's start that it is not open at.
    for (;;) {
        const auto gone = std::find_if(points_.begin() + qsizetype(i), points_.end(),
                                       [&](const Checkpoint &c) { return !holds(c.stack, element); });
        i = size_t(gone - points_.begin());
        if (gone != points_.end() || complete_)
            break;
        if (beyond(points_.back().pos))
            return std::nullopt;
        extend(text, points_.back().pos + 1);
    }
    const Checkpoint &from = points_[i - 1];
    Reader r(text, text.size(), from.pos, from.stack);
    while (r.next()) {
        for (const Closed &c : r.closed())
            if (c.element.start == element.start)
                return c;
        if (beyond(r.pos()) || (i < points_.size() && r.pos() > points_[i].pos))
            return std::nullopt;
    }
    return Closed{element, text.size(), -1}; // open to the end of the text
}

std::optional<Range> Outline::partner(QByteArrayView text, const TagInfo &tag)
{
    if (!tag.element)
        return std::nullopt;
    if (tag.isEnd)
        return Range{tag.element->start, tag.element->tagEnd};
    const std::optional<Closed> end = endOf(text, *tag.element);
    if (!end || end->endTagEnd < 0)
        return std::nullopt;
    return Range{end->at, end->endTagEnd};
}

std::optional<Range> Outline::elementAround(QByteArrayView text, qsizetype start, qsizetype end)
{
    ElementStack candidates;
    const std::optional<TagInfo> tag = tagAt(text, start);
    if (tag && !tag->isEnd && tag->element && start < tag->end)
        candidates.push_back(*tag->element);
    const ElementStack open = contextAt(text, start).open;
    candidates.insert(candidates.end(), open.rbegin(), open.rend());
    for (const OpenElement &e : candidates) {
        const std::optional<Closed> closed = endOf(text, e);
        if (!closed)
            continue;
        const Range r{e.start, closed->endTagEnd >= 0 ? closed->endTagEnd : closed->at};
        if (r.start <= start && r.end >= end && !(r == Range{start, end}))
            return r;
    }
    return std::nullopt;
}

} // namespace markup
