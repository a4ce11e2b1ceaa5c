#pragma once
// What the markup means at a place in the text: what is being typed there,
// the tag at the place, and where the element a tag opens ends. Reading a
// 10 MB page from its start at every key would cost too much, so the
// outline keeps what it has read: the open elements at a place about every
// 64 KiB, valid until the text changes before them. Questions read from
// the nearest such place. Tell it of every change (invalidateFrom); places
// are byte offsets in the UTF-8 text.

#include "core/markup_reader.h"

#include <optional>

namespace markup {

enum class Place {
    Text,           // between tags
    Reference,      // after "&" and the start of a name
    TagName,        // after "<"
    EndTagName,     // after "</"
    AttributeName,  // in a start tag where an attribute goes
    AttributeValue, // after "=" or in the value
    Other,          // in a comment, the doctype, a script or style body, an end tag
};

struct Context {
    Place place = Place::Other;
    qsizetype wordStart = 0;   // where the name or value typed so far begins
    QByteArray element;        // the tag's element (TagName: its name so far)
    QByteArray attribute;      // AttributeValue: the attribute
    QList<QByteArray> written; // AttributeName: the attributes the tag has already
    char quote = 0;            // AttributeValue: the quote it opened, or 0
    ElementStack open;         // the elements open at the place
};

struct Range {
    qsizetype start = 0, end = 0;
    bool operator==(const Range &o) const { return start == o.start && end == o.end; }
};

struct TagInfo {
    qsizetype start = 0, end = 0; // from its "<" to after its ">"
    bool isEnd = false;
    QByteArray name; // lower case
    // A start tag: the element it opened (none for a void element). An end
    // tag: the element it closed (none for a stray end tag).
    std::optional<OpenElement> element;
};

class Outline {
public:
    Outline();

    // The text changed from `pos` on.
    void invalidateFrom(qsizetype pos);

    Context contextAt(QByteArrayView text, qsizetype pos);
    // The tag `pos` is in, or the one that ends at `pos` when none begins there.
    std::optional<TagInfo> tagAt(QByteArrayView text, qsizetype pos);
    // Where `element` (an element that its start tag in the text opens)
    // ends. Reads at most `limit` bytes past its start (-1: no limit) and
    // answers nothing when it has not ended within them.
    std::optional<Closed> endOf(QByteArrayView text, const OpenElement &element, qsizetype limit = -1);

    // The start or end tag that pairs with `tag`: none for a void element,
    // an element whose end tag is left out, or a stray end tag.
    std::optional<Range> partner(QByteArrayView text, const TagInfo &tag);
    // The smallest element around [start, end) that is larger than it: from
    // its start tag to its end tag, or to where it ends without one.
    std::optional<Range> elementAround(QByteArrayView text, qsizetype start, qsizetype end);

private:
    struct Checkpoint {
        qsizetype pos;
        ElementStack stack;
    };
    size_t before(QByteArrayView text, qsizetype pos);
    void extend(QByteArrayView text, qsizetype until);

    std::vector<Checkpoint> points_; // the first is the start of the text
    bool complete_ = false;          // read to the end of the text
};

} // namespace markup
