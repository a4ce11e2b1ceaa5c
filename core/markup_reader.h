#pragma once
// Reads a page's markup token by token as a browser's parser would, as far
// as an editor needs it: which elements are open where, with HTML's optional
// end tags (a <p> ends at the next block, an <li> at the next <li>, a cell
// at the next cell or row), void elements, self-closing tags in SVG and
// MathML, the bodies of script, style, textarea and title, comments, CDATA
// sections and the doctype. It works on the UTF-8 bytes of the text; places
// are byte offsets. A tag left open by a "<" is taken to end there, so that
// an unfinished tag does not swallow the markup after it.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <vector>

namespace markup {

struct OpenElement {
    QByteArray name;      // lower case
    qsizetype start = 0;  // the "<" of its start tag
    qsizetype tagEnd = 0; // just after its start tag
    quint32 traits = 0;   // what the reader knows of the name
};
using ElementStack = std::vector<OpenElement>; // outermost first

struct Closed {
    OpenElement element;
    qsizetype at = 0;          // where it ends: its end tag's "<", or where another tag ends it
    qsizetype endTagEnd = -1;  // after its own end tag; -1 when another tag ended it
};

// Where an unfinished token at the reading limit stands.
enum class Partial {
    None,
    TagName,        // "<di"
    EndTagName,     // "</di" (also in the body of script or style)
    AttributeName,  // "<div cl" or "<div "
    AttributeValue, // "<div class=" or "<div class="a
    EndTagRest,     // "</div "
    Comment,        // in a comment, doctype, CDATA section or processing instruction
    RawText,        // in the body of script, style, textarea, title
};

struct Named; // an element name and what the reader knows of it

class Reader {
public:
    // Reads `text` from `pos` (a place between tokens, with `stack` open
    // there) and never looks at `limit` or beyond.
    Reader(QByteArrayView text, qsizetype limit, qsizetype pos = 0, ElementStack stack = {});

    // Reads one token (text, a tag, a comment, a raw body). False at the limit.
    bool next();

    qsizetype pos() const { return pos_; }
    const ElementStack &stack() const { return stack_; }
    // Between tokens, outside a script or style body: a place the reading
    // may start again from with the stack as it is.
    bool atRestartPoint() const { return raw_.isEmpty(); }

    // The last token: where it began and ended, and for a tag its name.
    qsizetype tokenStart() const { return tokenStart_; }
    bool tokenIsTag() const { return isTag_; }
    bool tokenIsEndTag() const { return isEndTag_; }
    const QByteArray &tagName() const { return tagName_; }
    // The element the last start tag opened (valid when `opened()`).
    bool opened() const { return opened_; }
    const OpenElement &openedElement() const { return stack_.back(); }
    // The elements the last token closed, innermost first.
    const std::vector<Closed> &closed() const { return closed_; }

    // The token the limit cut, if any, after next() has returned false.
    Partial partial() const { return partial_; }
    qsizetype wordStart() const { return wordStart_; }
    char quote() const { return quote_; }
    const QByteArray &attribute() const { return attribute_; }
    QList<QByteArray> attributes() const; // those the cut start tag has, lower case

private:
    void readMarkup(qsizetype lt);
    void readStartTag(qsizetype lt);
    void readEndTag(qsizetype lt);
    void readRawBody();
    void skipTo(QByteArrayView terminator, qsizetype from);
    void startElement(const Named &named, qsizetype start, qsizetype end, bool selfClosing);
    void endElement(const Named &named, qsizetype start, qsizetype end);
    void popAbove(size_t keep, qsizetype at);
    void stop(Partial partial, qsizetype wordStart = -1);

    QByteArrayView text_;
    qsizetype limit_;
    qsizetype pos_;
    ElementStack stack_;
    QByteArray raw_; // the element whose body comes next, read as text

    qsizetype tokenStart_ = 0;
    bool isTag_ = false, isEndTag_ = false, opened_ = false;
    QByteArray tagName_;
    std::vector<Closed> closed_;

    Partial partial_ = Partial::None;
    qsizetype wordStart_ = -1;
    char quote_ = 0;
    QByteArray attribute_;
    std::vector<std::pair<qsizetype, qsizetype>> attributeSpans_; // of the start tag being read
};

} // namespace markup
