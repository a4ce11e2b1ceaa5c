#include "core/markup_reader.h"

#include "core/html_names.h"

#include <QHash>
#include <cstring>

namespace markup {

struct Named {
    QByteArray name; // shared: the open elements of known names cost no copy
    quint32 traits = 0;
};

namespace {

enum Property : quint32 {
    Known = 1 << 0,
    Void = 1 << 1,
    RawBody = 1 << 2,     // its body is text up to its own end tag
    Special = 1 << 3,     // the parser's "special" elements
    ClosesP = 1 << 4,     // its start tag ends an open <p>
    Heading = 1 << 5,
    ScopeEdge = 1 << 6,   // a search for an open element stops here
    HeadContent = 1 << 7, // may stand in <head> without ending it
    Foreign = 1 << 8,     // svg, math
    // Single names the optional end tags speak of, as bits: a walk down the
    // open elements tests bits, not names.
    Head = 1 << 9,
    Html = 1 << 10,
    Paragraph = 1 << 11,
    ListItem = 1 << 12,    // li
    DefItem = 1 << 13,     // dd dt
    ItemOpen = 1 << 14,    // address div p: an item's start tag looks past them
    List = 1 << 15,        // ol ul
    Option = 1 << 16,
    OptGroup = 1 << 17,
    RubyText = 1 << 18,    // rb rp rt, which a ruby start tag ends
    RubyContainer = 1 << 19, // rtc
    Cell = 1 << 20,        // td th
    Row = 1 << 21,         // tr
    Section = 1 << 22,     // tbody thead tfoot
    TableChild = 1 << 23,  // caption colgroup
    Table = 1 << 24,
    Template = 1 << 25,
    Button = 1 << 26,
    OneOpen = 1 << 27,     // a button nobr: a second start tag ends the first
};

const QHash<QByteArray, Named> &table()
{
    static const QHash<QByteArray, Named> t = [] {
        QHash<QByteArray, Named> h;
        auto mark = [&h](const char *names, quint32 property) {
            for (const QByteArray &n : QByteArray(names).split(' ')) {
                Named &entry = h[n];
                entry.name = n;
                entry.traits |= property;
            }
        };
        mark(htmlnames::tables::kElements, Known);
        mark(htmlnames::tables::kVoidElements, Void);
        mark("script style xmp iframe noembed noframes textarea title plaintext", RawBody);
        mark("address applet area article aside base basefont bgsound blockquote body br button "
             "caption center col colgroup dd details dir div dl dt embed fieldset figcaption "
             "figure footer form frame frameset h1 h2 h3 h4 h5 h6 head header hgroup hr html "
             "iframe img input keygen li link listing main marquee menu meta nav noembed "
             "noframes noscript object ol p param plaintext pre script search section select "
             "source style summary table tbody td template textarea tfoot th thead title tr "
             "track ul wbr xmp",
             Special);
        mark("address article aside blockquote center details dialog dir div dl fieldset "
             "figcaption figure footer form h1 h2 h3 h4 h5 h6 header hgroup hr main menu nav ol "
             "p pre section summary table ul listing plaintext xmp search li dd dt",
             ClosesP);
        mark("h1 h2 h3 h4 h5 h6", Heading);
        mark("applet caption html table td th marquee object template", ScopeEdge);
        mark("base basefont bgsound link meta noframes script style template title noscript",
             HeadContent);
        mark("svg math", Foreign);
        mark("head", Head);
        mark("html", Html);
        mark("p", Paragraph);
        mark("li", ListItem);
        mark("dd dt", DefItem);
        mark("address div p", ItemOpen);
        mark("ol ul", List);
        mark("option", Option);
        mark("optgroup", OptGroup);
        mark("rb rp rt", RubyText);
        mark("rtc", RubyContainer);
        mark("td th", Cell);
        mark("tr", Row);
        mark("tbody thead tfoot", Section);
        mark("caption colgroup", TableChild);
        mark("table", Table);
        mark("template", Template);
        mark("button", Button);
        mark("a button nobr", OneOpen);
        return h;
    }();
    return t;
}

inline bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

inline bool isAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The name in lower case and what is known of it; a known name shares the
// table's copy, and looking it up allocates nothing.
Named lookUp(QByteArrayView bytes)
{
    char buffer[16];
    if (bytes.size() <= qsizetype(sizeof buffer)) {
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            buffer[i] = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        }
        const auto it = table().constFind(QByteArray::fromRawData(buffer, bytes.size()));
        if (it != table().cend())
            return *it;
    }
    return {bytes.toByteArray().toLower(), 0};
}

} // namespace

Reader::Reader(QByteArrayView text, qsizetype limit, qsizetype pos, ElementStack stack)
    : text_(text), limit_(qBound<qsizetype>(0, limit, text.size())), pos_(pos), stack_(std::move(stack))
{
}

void Reader::stop(Partial partial, qsizetype wordStart)
{
    partial_ = partial;
    wordStart_ = wordStart < 0 ? limit_ : wordStart;
    pos_ = limit_;
}

bool Reader::next()
{
    closed_.clear();
    isTag_ = isEndTag_ = opened_ = false;
    if (pos_ >= limit_)
        return false;
    tokenStart_ = pos_;
    if (!raw_.isEmpty()) {
        readRawBody();
        return true;
    }
    const char *base = text_.data();
    const void *lt = std::memchr(base + pos_, '<', size_t(limit_ - pos_));
    if (!lt) {
        pos_ = limit_;
        return true;
    }
    const qsizetype p = static_cast<const char *>(lt) - base;
    if (p > pos_)
        pos_ = p; // the text before it
    else
        readMarkup(p);
    return true;
}

void Reader::readMarkup(qsizetype lt)
{
    auto startsWith = [this](qsizetype at, const char *s) {
        const qsizetype n = qsizetype(std::strlen(s));
        return at + n <= limit_ && std::memcmp(text_.data() + at, s, size_t(n)) == 0;
    };
    // A prefix of `s` cut by the limit.
    auto cutPrefix = [this](qsizetype at, const char *s) {
        const qsizetype n = limit_ - at;
        return n < qsizetype(std::strlen(s)) && std::memcmp(text_.data() + at, s, size_t(n)) == 0;
    };
    if (lt + 1 >= limit_)
        return stop(Partial::TagName, lt + 1);
    const char c = text_[lt + 1];
    if (isAlpha(c))
        return readStartTag(lt);
    if (c == '/') {
        if (lt + 2 >= limit_)
            return stop(Partial::EndTagName, lt + 2);
        const char d = text_[lt + 2];
        if (isAlpha(d))
            return readEndTag(lt);
        if (d == '>') {
            pos_ = lt + 3; // "</>" is nothing at all
            return;
        }
        return skipTo(">", lt + 2);
    }
    if (c == '!') {
        if (startsWith(lt, "<!-->"))
            pos_ = lt + 5;
        else if (startsWith(lt, "<!--->"))
            pos_ = lt + 6;
        else if (startsWith(lt, "<!--")) {
            // Ends at "-->" or "--!>".
            for (qsizetype from = lt + 4;;) {
                const void *dash = memmem(text_.data() + from, size_t(limit_ - from), "--", 2);
                if (!dash)
                    return stop(Partial::Comment);
                const qsizetype q = static_cast<const char *>(dash) - text_.data();
                if (startsWith(q, "-->")) {
                    pos_ = q + 3;
                    return;
                }
                if (startsWith(q, "--!>")) {
                    pos_ = q + 4;
                    return;
                }
                from = q + 1;
            }
        } else if (startsWith(lt, "<![CDATA["))
            skipTo("]]>", lt + 9);
        else if (cutPrefix(lt, "<!--") || cutPrefix(lt, "<![CDATA["))
            stop(Partial::Comment);
        else
            skipTo(">", lt + 2); // the doctype, or another declaration
        return;
    }
    if (c == '?')
        return skipTo(">", lt + 2);
    pos_ = lt + 1; // a "<" that starts nothing is text
}

void Reader::skipTo(QByteArrayView terminator, qsizetype from)
{
    const void *found = from < limit_ ? memmem(text_.data() + from, size_t(limit_ - from),
                                               terminator.data(), size_t(terminator.size()))
                                      : nullptr;
    if (!found)
        return stop(Partial::Comment);
    pos_ = static_cast<const char *>(found) - text_.data() + terminator.size();
}

void Reader::readStartTag(qsizetype lt)
{
    const char *t = text_.data();
    auto nameEnd = [&](qsizetype p, bool stopAtEquals) {
        while (p < limit_ && !isSpace(t[p]) && t[p] != '/' && t[p] != '>' && t[p] != '<'
               && !(stopAtEquals && t[p] == '='))
            ++p;
        return p;
    };
    qsizetype p = nameEnd(lt + 1, false);
    const Named named = lookUp(text_.sliced(lt + 1, p - lt - 1));
    tagName_ = named.name;
    if (p >= limit_)
        return stop(Partial::TagName, lt + 1);
    attributeSpans_.clear();
    bool slash = false;
    qsizetype end = 0;
    for (;;) {
        while (p < limit_ && (isSpace(t[p]) || t[p] == '/')) {
            slash = t[p] == '/';
            ++p;
        }
        if (p >= limit_)
            return stop(Partial::AttributeName);
        if (t[p] == '>' || t[p] == '<') {
            end = t[p] == '>' ? p + 1 : p; // an unfinished tag ends at the next "<"
            break;
        }
        slash = false;
        const qsizetype nameStart = p;
        p = nameEnd(p + 1, true); // a name may begin with "="
        if (p >= limit_)
            return stop(Partial::AttributeName, nameStart);
        const std::pair<qsizetype, qsizetype> name{nameStart, p - nameStart};
        qsizetype q = p;
        while (q < limit_ && isSpace(t[q]))
            ++q;
        if (q >= limit_ || t[q] != '=') {
            attributeSpans_.push_back(name);
            if (q >= limit_)
                return stop(Partial::AttributeName);
            p = q;
            continue;
        }
        ++q;
        while (q < limit_ && isSpace(t[q]))
            ++q;
        auto inValue = [&](char quote, qsizetype wordStart) {
            attribute_ = text_.sliced(name.first, name.second).toByteArray().toLower();
            quote_ = quote;
            stop(Partial::AttributeValue, wordStart);
        };
        if (q >= limit_)
            return inValue(0, -1);
        if (t[q] == '"' || t[q] == '\'') {
            const void *close = std::memchr(t + q + 1, t[q], size_t(limit_ - q - 1));
            if (!close)
                return inValue(t[q], q + 1);
            p = static_cast<const char *>(close) - t + 1;
        } else {
            const qsizetype valueStart = q;
            while (q < limit_ && !isSpace(t[q]) && t[q] != '>' && t[q] != '<')
                ++q;
            if (q >= limit_)
                return inValue(0, valueStart);
            p = q;
        }
        attributeSpans_.push_back(name);
    }
    isTag_ = true;
    pos_ = end;
    startElement(named, lt, end, slash && t[end - 1] == '>');
}

QList<QByteArray> Reader::attributes() const
{
    QList<QByteArray> names;
    for (const auto &[start, length] : attributeSpans_)
        names << text_.sliced(start, length).toByteArray().toLower();
    return names;
}

void Reader::readEndTag(qsizetype lt)
{
    const char *t = text_.data();
    qsizetype p = lt + 2;
    while (p < limit_ && !isSpace(t[p]) && t[p] != '/' && t[p] != '>' && t[p] != '<')
        ++p;
    const Named named = lookUp(text_.sliced(lt + 2, p - lt - 2));
    tagName_ = named.name;
    if (p >= limit_)
        return stop(Partial::EndTagName, lt + 2);
    while (p < limit_ && t[p] != '>' && t[p] != '<')
        ++p;
    if (p >= limit_)
        return stop(Partial::EndTagRest);
    isTag_ = isEndTag_ = true;
    pos_ = t[p] == '>' ? p + 1 : p;
    endElement(named, lt, pos_);
}

void Reader::readRawBody()
{
    const char *t = text_.data();
    if (raw_ == "plaintext")
        return stop(Partial::RawText);
    for (qsizetype from = pos_;;) {
        const void *found = memmem(t + from, size_t(limit_ - from), "</", 2);
        if (!found)
            return stop(Partial::RawText);
        const qsizetype q = static_cast<const char *>(found) - t;
        qsizetype k = 0;
        while (k < raw_.size() && q + 2 + k < limit_ && (t[q + 2 + k] | 0x20) == raw_[k])
            ++k;
        if (q + 2 + k >= limit_)
            return stop(Partial::EndTagName, q + 2); // typing this body's end tag
        const char after = t[q + 2 + k];
        if (k == raw_.size() && (isSpace(after) || after == '/' || after == '>')) {
            raw_.clear();
            pos_ = q; // the end tag is the next token
            return;
        }
        from = q + 2;
    }
}

void Reader::popAbove(size_t keep, qsizetype at)
{
    while (stack_.size() > keep) {
        closed_.push_back({stack_.back(), at, -1});
        stack_.pop_back();
    }
}

void Reader::startElement(const Named &named, qsizetype start, qsizetype end, bool selfClosing)
{
    const quint32 props = named.traits;
    bool foreign = false;
    for (const OpenElement &e : stack_)
        foreign = foreign || (e.traits & Foreign);
    const qsizetype last = qsizetype(stack_.size()) - 1;
    const quint32 top = stack_.empty() ? 0 : stack_.back().traits;
    // The nearest open element from the top that has a trait of `match`,
    // not looking past one with a trait of `edge`: all from it up are closed.
    auto closeFrom = [&](quint32 match, quint32 edge) {
        for (qsizetype i = last; i >= 0; --i) {
            const quint32 traits = stack_[size_t(i)].traits;
            if (traits & match)
                return popAbove(size_t(i), start);
            if (traits & edge)
                return;
        }
    };
    auto closeTop = [&] { popAbove(stack_.size() - 1, start); };

    if (!foreign) {
        // The optional end tags a start tag implies.
        if (!(props & (HeadContent | Head | Html)))
            closeFrom(Head, 0);
        if (props & (ListItem | DefItem)) {
            // Special elements but address, div and p end the search.
            for (qsizetype i = last; i >= 0; --i) {
                const quint32 traits = stack_[size_t(i)].traits;
                if (traits & props & (ListItem | DefItem)) {
                    popAbove(size_t(i), start);
                    break;
                }
                if ((traits & Special) && !(traits & ItemOpen))
                    break;
            }
        }
        if (props & ClosesP)
            closeFrom(Paragraph, ScopeEdge | Button);
        if ((props & Heading) && (top & Heading))
            closeTop();
        if ((props & (Option | OptGroup)) && (top & Option))
            closeTop();
        if ((props & OptGroup) && !stack_.empty() && (stack_.back().traits & OptGroup))
            closeTop();
        if (props & (RubyText | RubyContainer)) {
            const quint32 ends = props & RubyContainer || named.name == "rb" ? RubyText | RubyContainer : RubyText;
            while (!stack_.empty() && (stack_.back().traits & ends))
                closeTop();
        }
        // A row, a cell or a table section ends what is open in the one before.
        const quint32 parents = props & Cell ? quint32(Row | Section | Table)
            : props & Row                    ? quint32(Section | Table)
            : props & (Section | TableChild) ? quint32(Table)
                                             : 0u;
        if (parents) {
            for (qsizetype i = last; i >= 0; --i) {
                const quint32 traits = stack_[size_t(i)].traits;
                if (traits & parents) {
                    popAbove(size_t(i) + 1, start);
                    break;
                }
                if (traits & (Html | Template))
                    break;
            }
        }
        if (props & OneOpen) {
            for (qsizetype i = qsizetype(stack_.size()) - 1; i >= 0; --i) {
                const OpenElement &e = stack_[size_t(i)];
                if ((e.traits & OneOpen) && e.name == named.name) {
                    popAbove(size_t(i), start);
                    break;
                }
                if (e.traits & ScopeEdge)
                    break;
            }
        }
    }
    if (foreign ? selfClosing
                : (props & Void) || (selfClosing && (!(props & Known) || (props & Foreign))))
        return;
    stack_.push_back({named.name, start, end, props});
    opened_ = true;
    if (!foreign && (props & RawBody))
        raw_ = named.name;
}

void Reader::endElement(const Named &named, qsizetype start, qsizetype end)
{
    const quint32 props = named.traits;
    const bool tablePart = props & (Cell | Row | Section | TableChild);
    qsizetype target = -1;
    for (qsizetype i = qsizetype(stack_.size()) - 1; i >= 0; --i) {
        const OpenElement &e = stack_[size_t(i)];
        if (((props & Heading) && (e.traits & Heading)) || e.name == named.name) {
            target = i;
            break;
        }
        if (props & Html || named.name == "body")
            continue;
        bool edge;
        if (tablePart)
            edge = e.traits & (Table | Html | Template);
        else if (props & Table)
            edge = e.traits & (Html | Template);
        else
            edge = (e.traits & ScopeEdge) || ((props & Paragraph) && (e.traits & Button))
                || ((props & ListItem) && (e.traits & List));
        if (edge)
            break;
    }
    if (target < 0)
        return; // a stray end tag closes nothing
    popAbove(size_t(target) + 1, start);
    closed_.push_back({stack_.back(), start, end});
    stack_.pop_back();
}

} // namespace markup
