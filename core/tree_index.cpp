#include "core/tree_index.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cstdlib>
#include <dlfcn.h>
#include <new>

namespace markup {

namespace {

// UTF-16 units a UTF-8 byte adds: a lead byte of four bytes stands for two.
int units(unsigned char b)
{
    return (b & 0xC0) == 0x80 ? 0 : (b >= 0xF0 ? 2 : 1);
}

int charLength(unsigned char b)
{
    return b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}

bool isSpecial(char c)
{
    return c == '&' || c == '\r' || c == '<' || c == '\0';
}

// The next bytes of the source and of what was made of it agree, up to the
// next byte the parser changes.
bool sameAhead(QByteArrayView s, qsizetype i, QByteArrayView d, qsizetype j)
{
    for (int n = 0; n < 12; ++n, ++i, ++j) {
        if (i == s.size())
            return j == d.size();
        if (isSpecial(s[i]))
            return true;
        if (j >= d.size() || d[j] != s[i])
            return false;
    }
    return true;
}

// Where the character reference at `i` ends in the source and what it made
// in `d` from `j`; false when the "&" stands for itself.
bool reference(QByteArrayView s, qsizetype i, QByteArrayView d, qsizetype j, qsizetype *k,
               qsizetype *jn)
{
    const qsizetype n = s.size();
    std::vector<qsizetype> ends;
    if (i + 1 < n && s[i + 1] == '#') {
        qsizetype p = i + 2;
        const bool hex = p < n && (s[p] | 0x20) == 'x';
        p += hex;
        const qsizetype digits = p;
        while (p < n && (hex ? std::isxdigit(uchar(s[p])) : std::isdigit(uchar(s[p]))))
            ++p;
        if (p > digits)
            ends.push_back(p < n && s[p] == ';' ? p + 1 : p);
    } else {
        qsizetype r = i + 1;
        while (r < n && r - i < 33 && std::isalnum(uchar(s[r])))
            ++r;
        if (r < n && s[r] == ';')
            ends.push_back(r + 1);
        for (; r > i + 1; --r) // the longest name the text starts with
            ends.push_back(r);
    }
    // One character, as nearly every reference makes, before two.
    qsizetype after = j;
    for (int made = 0; made < 2 && after < d.size(); ++made) {
        after += charLength(uchar(d[after]));
        for (qsizetype end : ends)
            if (sameAhead(s, end, d, after)) {
                *k = end, *jn = after;
                return true;
            }
    }
    return false;
}

// Gumbo's memory: taken from large blocks and given back all at once. Gumbo
// frees and grows its buffers as it goes; for an index that lives shorter
// than the parse, a block costs less than a thousand small ones.
class Arena {
public:
    ~Arena()
    {
        for (char *b : blocks_)
            std::free(b);
    }
    static void *allocate(void *arena, size_t size)
    {
        auto *a = static_cast<Arena *>(arena);
        size = (size + 15) & ~size_t(15);
        if (size > a->left_) {
            const size_t block = std::max(size, kBlock);
            a->blocks_.push_back(static_cast<char *>(std::malloc(block)));
            if (!a->blocks_.back())
                throw std::bad_alloc();
            a->next_ = a->blocks_.back(), a->left_ = block;
        }
        void *p = a->next_;
        a->next_ += size, a->left_ -= size;
        return p;
    }
    static void release(void *, void *) {}

private:
    static constexpr size_t kBlock = size_t(1) << 20;
    std::vector<char *> blocks_;
    char *next_ = nullptr;
    size_t left_ = 0;
};

// Gumbo, loaded at the first parse rather than with the program, whose
// start needs nothing of it; none when it cannot be loaded.
struct Gumbo {
    decltype(&gumbo_parse_with_options) parse = nullptr;
    const GumboOptions *defaults = nullptr;
};

const Gumbo &gumbo()
{
    static const Gumbo loaded = [] {
        Gumbo g;
        if (void *library = dlopen("libgumbo.so.1", RTLD_NOW | RTLD_LOCAL)) {
            g.parse = reinterpret_cast<decltype(g.parse)>(dlsym(library, "gumbo_parse_with_options"));
            g.defaults = static_cast<const GumboOptions *>(dlsym(library, "kGumboDefaultOptions"));
        }
        return g.parse && g.defaults ? g : Gumbo();
    }();
    return loaded;
}

} // namespace

class TreeIndex::Builder {
public:
    Builder(TreeIndex &index, QByteArrayView text) : x_(index), text_(text) {}

    void walk(const GumboNode *document, const GumboNode *root)
    {
        for (unsigned i = 0; i < document->v.document.children.length; ++i) {
            const auto *n = static_cast<const GumboNode *>(document->v.document.children.data[i]);
            if (n->type == GUMBO_NODE_COMMENT)
                comment(n, -1);
        }
        if (!root)
            return;
        struct Frame {
            const GumboNode *node;
            int element;
            unsigned next = 0;
            int childSlot = 0, textSlot = -1;
            bool inText = false;
        };
        std::vector<Frame> stack;
        stack.push_back({root, element(root, -1, 0)});
        while (!stack.empty()) {
            Frame &f = stack.back();
            const GumboVector &children = f.node->v.element.children;
            if (f.next == children.length) {
                stack.pop_back();
                continue;
            }
            const auto *n = static_cast<const GumboNode *>(children.data[f.next++]);
            switch (n->type) {
            case GUMBO_NODE_ELEMENT:
            case GUMBO_NODE_TEMPLATE: {
                f.inText = false;
                const int parent = f.element;
                const int slot = f.childSlot++;
                const int e = element(n, parent, slot);
                x_.children_[size_t(x_.elements_[size_t(parent)].firstChild + slot)] = e;
                stack.push_back({n, e}); // `f` is gone from here
                break;
            }
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_WHITESPACE:
            case GUMBO_NODE_CDATA:
                if (!f.inText || n->type == GUMBO_NODE_CDATA)
                    ++f.textSlot;
                f.inText = n->type != GUMBO_NODE_CDATA;
                segment(n, f.element, f.textSlot);
                break;
            case GUMBO_NODE_COMMENT:
                f.inText = false;
                comment(n, f.element);
                break;
            default:
                break;
            }
        }
        std::sort(x_.spans_.begin(), x_.spans_.end(),
                  [](const Span &a, const Span &b) { return a.start < b.start; });
        // A tag the parser read once but gave to two elements counts once.
        auto out = x_.spans_.begin();
        for (const Span &s : x_.spans_)
            if (out == x_.spans_.begin() || s.start >= (out - 1)->end)
                *out++ = s;
        x_.spans_.erase(out, x_.spans_.end());
    }

private:
    std::optional<std::pair<qsizetype, qsizetype>> inText(const GumboStringPiece &p) const
    {
        if (!p.data || p.length == 0 || p.data < text_.data() || p.data + p.length > text_.end())
            return std::nullopt;
        const qsizetype start = p.data - text_.data();
        return std::make_pair(start, start + qsizetype(p.length));
    }

    int element(const GumboNode *n, int parent, int index)
    {
        const int id = int(x_.elements_.size());
        Element el;
        el.parent = parent;
        el.index = index;
        const GumboElement &g = n->v.element;
        // A clone of a formatting element keeps the tag it was cloned from,
        // though that tag is not its own.
        constexpr int kCloned = GUMBO_INSERTION_RECONSTRUCTED_FORMATTING_ELEMENT
            | GUMBO_INSERTION_ADOPTION_AGENCY_CLONED;
        el.own = !(n->parse_flags & (GUMBO_INSERTION_BY_PARSER | kCloned));
        if (el.own) {
            if (const auto tag = inText(g.original_tag))
                el.tagStart = tag->first, el.tagEnd = tag->second;
            lastOfTag_[g.tag] = id;
        } else if (n->parse_flags & GUMBO_INSERTION_CONVERTED_FROM_END_TAG) {
            // "</p>" or "</br>" alone: the end tag made the element.
            if (const auto tag = inText(g.original_end_tag))
                el.tagStart = tag->first, el.tagEnd = tag->second, el.own = true;
        } else if (n->parse_flags & kCloned) {
            if (const int original = lastOfTag_[g.tag]; original >= 0) {
                const Element &o = x_.elements_[size_t(original)];
                el.tagStart = o.tagStart, el.tagEnd = o.tagEnd;
            }
        }
        if (el.own && el.tagStart >= 0)
            x_.spans_.push_back({el.tagStart, el.tagEnd, id, false});
        if (el.own && !(n->parse_flags & GUMBO_INSERTION_CONVERTED_FROM_END_TAG))
            if (const auto tag = inText(g.original_end_tag))
                x_.spans_.push_back({tag->first, tag->second, id, true});
        int elements = 0, texts = 0;
        bool run = false;
        for (unsigned i = 0; i < g.children.length; ++i) {
            const GumboNodeType type = static_cast<const GumboNode *>(g.children.data[i])->type;
            const bool text = type == GUMBO_NODE_TEXT || type == GUMBO_NODE_WHITESPACE;
            elements += type == GUMBO_NODE_ELEMENT || type == GUMBO_NODE_TEMPLATE;
            texts += (text && !run) || type == GUMBO_NODE_CDATA;
            run = text;
        }
        el.firstChild = int(x_.children_.size()), el.childCount = elements;
        x_.children_.resize(x_.children_.size() + size_t(elements));
        el.firstText = int(x_.texts_.size()), el.textCount = texts;
        x_.texts_.resize(x_.texts_.size() + size_t(texts));
        x_.elements_.push_back(el);
        return id;
    }

    void comment(const GumboNode *n, int parent)
    {
        if (const auto place = inText(n->v.text.original_text))
            x_.spans_.push_back({place->first, place->second, parent, false});
    }

    void segment(const GumboNode *n, int parent, int slot)
    {
        TextNode &node = x_.texts_[size_t(x_.elements_[size_t(parent)].firstText + slot)];
        if (node.segmentCount == 0)
            node.firstSegment = int(x_.segments_.size());
        Segment seg;
        if (node.segmentCount > 0) {
            const Segment &last = x_.segments_.back();
            seg.domStart = last.domStart + last.domLength;
        }
        ++node.segmentCount;
        const QByteArrayView shown(n->v.text.text, qsizetype(std::strlen(n->v.text.text)));
        const auto place = inText(n->v.text.original_text);
        seg.firstBreak = int(x_.breaks_.size());
        if (!place) {
            x_.breaks_.push_back({0, -1});
        } else {
            seg.srcStart = place->first, seg.srcEnd = place->second;
            QByteArrayView source = text_.sliced(seg.srcStart, seg.srcEnd - seg.srcStart);
            if (n->type == GUMBO_NODE_CDATA && source.startsWith("<![CDATA[")) {
                seg.srcStart += 9;
                source = source.sliced(9);
                if (source.endsWith("]]>"))
                    source = source.chopped(3);
                seg.srcEnd = seg.srcStart + source.size();
            }
            if (source != shown)
                align(source, shown, seg.srcStart);
        }
        seg.breakCount = int(x_.breaks_.size()) - seg.firstBreak;
        for (char c : shown)
            seg.domLength += units(uchar(c));
        x_.segments_.push_back(seg);
        if (place)
            x_.spans_.push_back({seg.srcStart, seg.srcEnd, parent, false});
    }

    // The breaks where `s` (the source from `base`) and `d` (what the parser
    // made of it) part and meet again.
    void align(QByteArrayView s, QByteArrayView d, qsizetype base)
    {
        qsizetype i = 0, j = 0;
        int u = 0;
        auto mark = [&] { x_.breaks_.push_back({u, base + i}); };
        mark();
        while (i < s.size() && j < d.size()) {
            const char c = s[i];
            if (!isSpecial(c) && c == d[j]) {
                u += units(uchar(c));
                ++i, ++j;
                continue;
            }
            mark();
            qsizetype k = 0, jn = 0;
            if (c == '\r' && d[j] == '\n') {
                i += (i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
                ++j, ++u;
            } else if (c == '&' && reference(s, i, d, j, &k, &jn)) {
                for (; j < jn; ++j)
                    u += units(uchar(d[j]));
                i = k;
            } else if (c == '&' && d[j] == '&') {
                ++i, ++j, ++u;
            } else if (c == '<' && d[j] != '<' && s.indexOf('>', i) > i) {
                i = s.indexOf('>', i) + 1; // a tag the parser left out
            } else if (c == '\0') {
                const bool replaced = d.sliced(j).startsWith("\xEF\xBF\xBD");
                ++i, j += replaced ? 3 : 0, u += replaced;
            } else {
                break;
            }
            mark();
        }
        if (j < d.size())
            x_.breaks_.push_back({u, -1});
    }

    TreeIndex &x_;
    QByteArrayView text_;
    // The last element of each tag with a tag of its own.
    std::vector<int> lastOfTag_ = std::vector<int>(GUMBO_TAG_LAST + 1, -1);
};

std::shared_ptr<const TreeIndex> TreeIndex::build(QByteArrayView utf8)
{
    auto index = std::shared_ptr<TreeIndex>(new TreeIndex);
    if (!gumbo().parse)
        return index; // no elements: nothing is found
    Arena arena;
    GumboOptions options = *gumbo().defaults;
    options.allocator = &Arena::allocate;
    options.deallocator = &Arena::release;
    options.userdata = &arena;
    options.max_errors = 0;
    const GumboOutput *out = gumbo().parse(&options, utf8.data(), size_t(utf8.size()));
    Builder(*index, utf8).walk(out->document, out->root);
    // The tree goes with the arena, at once (Gumbo's own freeing would
    // recurse once per level of the tree).
    return index;
}

int TreeIndex::elementAt(const std::vector<int> &path) const
{
    if (elements_.empty())
        return -1;
    int e = 0;
    for (int i : path) {
        const Element &el = elements_[size_t(e)];
        if (i < 0 || i >= el.childCount)
            return -1;
        e = children_[size_t(el.firstChild + i)];
    }
    return e;
}

std::vector<int> TreeIndex::pathOf(int element) const
{
    std::vector<int> path;
    for (int e = element; e > 0; e = elements_[size_t(e)].parent)
        path.push_back(elements_[size_t(e)].index);
    std::reverse(path.begin(), path.end());
    return path;
}

std::optional<TreeIndex::Tag> TreeIndex::startTag(int element) const
{
    const Element &el = elements_[size_t(element)];
    if (el.tagStart < 0 || !el.own)
        return std::nullopt;
    return Tag{el.tagStart, el.tagEnd};
}

std::optional<TreeIndex::Tag> TreeIndex::tagFor(int element) const
{
    for (int e = element; e >= 0; e = elements_[size_t(e)].parent)
        if (const Element &el = elements_[size_t(e)]; el.tagStart >= 0)
            return Tag{el.tagStart, el.tagEnd};
    return std::nullopt;
}

std::optional<qsizetype> TreeIndex::textSource(QByteArrayView utf8, int element, int textIndex,
                                               int offset) const
{
    if (element < 0 || element >= elementCount() || offset < 0)
        return std::nullopt;
    const Element &el = elements_[size_t(element)];
    if (textIndex < 0 || textIndex >= el.textCount)
        return std::nullopt;
    const TextNode &node = texts_[size_t(el.firstText + textIndex)];
    const auto first = segments_.begin() + node.firstSegment;
    const auto last = first + node.segmentCount;
    auto seg = std::upper_bound(first, last, offset,
                                [](int off, const Segment &s) { return off < s.domStart; });
    if (seg == first)
        return std::nullopt;
    --seg;
    int local = offset - seg->domStart;
    if (local > seg->domLength)
        return std::nullopt;
    qsizetype pos = seg->srcStart, limit = seg->srcEnd;
    if (seg->breakCount > 0) {
        const auto b0 = breaks_.begin() + seg->firstBreak;
        auto b = std::upper_bound(b0, b0 + seg->breakCount, local,
                                  [](int off, const Break &br) { return off < br.dom; });
        if (b == b0)
            return std::nullopt;
        if (b != b0 + seg->breakCount && b->src >= 0)
            limit = b->src;
        --b;
        if (b->src < 0)
            return std::nullopt;
        pos = b->src;
        local -= b->dom;
    }
    limit = std::min(limit, utf8.size());
    for (int u = 0; u < local && pos < limit; ++pos)
        u += units(uchar(utf8[pos]));
    while (pos < limit && (uchar(utf8[pos]) & 0xC0) == 0x80)
        ++pos;
    return pos;
}

int TreeIndex::elementAtSource(qsizetype pos) const
{
    auto s = std::upper_bound(spans_.begin(), spans_.end(), pos,
                              [](qsizetype p, const Span &span) { return p < span.start; });
    if (s == spans_.begin())
        return -1;
    --s;
    if (pos < s->end || !s->endTag)
        return s->element;
    return s->element >= 0 ? elements_[size_t(s->element)].parent : -1;
}

} // namespace markup
