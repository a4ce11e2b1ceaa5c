#pragma once
// The page's tree as a browser builds it (implied elements, paragraphs
// closed by a block, misnested formatting, text fostered out of a table),
// read by Gumbo, kept as much as the preview and the source need to find
// each other: every element with its place among its parent's elements, the
// start tag it has in the source (none when the parser made it up or cloned
// it), and where each character of its text comes from. An element is named
// across the two sides by its path: the indices among the element children,
// from the document element down (a template's children are its content's).
// Places in the source are byte offsets in the UTF-8 text; places in a text
// node count UTF-16 units, as the page's scripts count them. Gumbo
// (libgumbo.so.1) is loaded at the first parse; without it the index is
// empty.

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <optional>
#include <vector>

namespace markup {

class TreeIndex {
public:
    struct Tag {
        qsizetype start = 0, end = 0; // from its "<" to after its ">"
    };

    // Parses `utf8`; the text is not kept.
    static std::shared_ptr<const TreeIndex> build(QByteArrayView utf8);

    int elementCount() const { return int(elements_.size()); }
    // The element at `path`, -1 when the tree has none there.
    int elementAt(const std::vector<int> &path) const;
    std::vector<int> pathOf(int element) const;
    int parentOf(int element) const { return elements_[size_t(element)].parent; }

    // The element's own start tag (the end tag that made it, for a "</p>"
    // alone); none when the parser implied or cloned it.
    std::optional<Tag> startTag(int element) const;
    // The start tag of the element (a clone's: its original's) or of the
    // nearest enclosing one that has one.
    std::optional<Tag> tagFor(int element) const;
    // Where character `offset` of the element's text node `textIndex` (its
    // text and CDATA children counted alone; adjacent text is one node) is
    // in `utf8`, the text the index was built from; none where it cannot be
    // told character by character.
    std::optional<qsizetype> textSource(QByteArrayView utf8, int element, int textIndex,
                                        int offset) const;
    // The innermost element at `pos`: a tag's element, the parent of text
    // or a comment, else the element open there; -1 outside the document
    // element (the doctype, comments before it).
    int elementAtSource(qsizetype pos) const;

private:
    struct Element {
        int parent = -1;
        int index = 0; // among the parent's element children
        int firstChild = 0, childCount = 0;
        qsizetype tagStart = -1, tagEnd = -1;
        bool own = false; // the tag is the element's own, not its original's
        int firstText = 0, textCount = 0;
    };
    struct Segment {
        qsizetype srcStart = 0, srcEnd = 0;
        int domStart = 0, domLength = 0; // within its text node
        int firstBreak = 0, breakCount = 0;
    };
    struct TextNode {
        int firstSegment = 0, segmentCount = 0;
    };
    // From DOM offset `dom` of a segment on, its source runs unchanged from
    // `src` (-1: cannot be followed from here).
    struct Break {
        int dom = 0;
        qsizetype src = 0;
    };
    // A tag, a text segment or a comment, and the element it belongs to;
    // `endTag`: the element's end tag (what follows it is in the parent).
    struct Span {
        qsizetype start = 0, end = 0;
        int element = -1;
        bool endTag = false;
    };
    class Builder;

    std::vector<Element> elements_;
    std::vector<int> children_;
    std::vector<TextNode> texts_;
    std::vector<Segment> segments_;
    std::vector<Break> breaks_;
    std::vector<Span> spans_; // by start
};

} // namespace markup
