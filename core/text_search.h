#pragma once
// Find and replace over a text: plain or regular-expression search, match
// case, whole word, wrap around, and the replacement text with the `$`
// references of ECMAScript's String.prototype.replace. Positions count
// UTF-16 code units (QString indices), as the text pane's do.

#include <QRegularExpression>
#include <QStringMatcher>
#include <QString>
#include <optional>

struct SearchOptions {
    QString find;
    bool matchCase = false;
    bool wholeWord = false;
    bool regex = false;
    bool wrap = true;
};

struct TextMatch {
    int start = 0;
    int length = 0;
    bool wrapped = false; // found only by going round the end (or the start)
    int end() const { return start + length; }
    bool operator==(const TextMatch &o) const
    {
        return start == o.start && length == o.length && wrapped == o.wrapped;
    }
};

class TextSearch {
public:
    explicit TextSearch(const SearchOptions &options);

    // Empty when the options can be searched with; else why not, for the
    // user ("Invalid regular expression: ..."). An empty find text is not
    // an error but finds nothing.
    QString error() const { return error_; }
    bool usable() const { return error_.isEmpty() && !options_.find.isEmpty(); }

    // The first match starting at or after `from`; then, with wrap, the
    // first from the start of the text.
    std::optional<TextMatch> next(const QString &text, int from) const;
    // The last match ending at or before `before` that starts before it;
    // then, with wrap, the last in the text.
    std::optional<TextMatch> previous(const QString &text, int before) const;
    // Every match starting in text[from, to) (at `to` too when that is the
    // end of the text), in order: visit(TextMatch, QRegularExpressionMatch),
    // the second empty for plain text. Empty matches are found once each.
    template <class Visit> void forEach(const QString &text, int from, int to, Visit visit) const;

    // What replaces `match` (which must be a match of this search in `text`):
    // the replace text itself, or for a regular expression the replace text
    // with $&, $1..$99, $<name>, $`, $' and $$ expanded.
    QString replacement(const QString &text, const TextMatch &match, const QString &replace) const;
    QString expand(const QString &text, const TextMatch &match, const QRegularExpressionMatch &rm,
                   const QString &replace) const;

    // Every match of the whole text replaced. `count` receives how many.
    struct ReplaceAll {
        int count = 0;
        int first = 0;     // the changed span of the old text: [first, last)
        int last = 0;
        QString span;      // what replaces that span
    };
    ReplaceAll replaceAll(const QString &text, const QString &replace) const;

private:
    std::optional<TextMatch> matchAt(const QString &text, int from) const;
    bool wordAt(const QString &text, int start, int length) const;

    SearchOptions options_;
    QString error_;
    QRegularExpression regex_;
    QStringMatcher matcher_; // plain text: Boyer-Moore, with or without case
};

// Whether `c` counts as a word character for whole-word search.
bool isWordChar(QChar c);

// The position after the character at `pos` (a surrogate pair is one).
inline int stepOver(const QString &text, int pos)
{
    if (pos + 1 < text.size() && text.at(pos).isHighSurrogate() && text.at(pos + 1).isLowSurrogate())
        return pos + 2;
    return pos + 1;
}

template <class Visit> void TextSearch::forEach(const QString &text, int from, int to, Visit visit) const
{
    if (!usable())
        return;
    auto beyond = [&](const TextMatch &m) {
        return m.start > to || (m.start == to && to < text.size());
    };
    if (options_.regex) {
        // One iterator: the subject is checked once, not at every match.
        QRegularExpressionMatchIterator it = regex_.globalMatch(text, from);
        while (it.hasNext()) {
            const QRegularExpressionMatch rm = it.next();
            const TextMatch m{int(rm.capturedStart()), int(rm.capturedLength()), false};
            if (beyond(m))
                return;
            if (!options_.wholeWord || wordAt(text, m.start, m.length))
                visit(m, rm);
        }
        return;
    }
    int pos = from;
    while (pos <= to && pos <= text.size()) {
        const std::optional<TextMatch> m = matchAt(text, pos);
        if (!m || beyond(*m))
            return;
        visit(*m, QRegularExpressionMatch());
        pos = m->length > 0 ? m->end() : stepOver(text, m->start);
    }
}
