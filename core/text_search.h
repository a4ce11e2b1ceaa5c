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
    // an error but finds nothing. After a search that the expression engine
    // gave up (it backtracks only so far), kTooComplex: what that search
    // found is not to be trusted, and this object searches no more.
    QString error() const { return tooComplex_ ? kTooComplex : error_; }
    bool usable() const { return error().isEmpty() && !options_.find.isEmpty(); }
    static inline const QString kTooComplex = QStringLiteral("Too complex to search");

    // The first match starting at or after `from`; then, with wrap, the
    // first from the start of the text.
    std::optional<TextMatch> next(const QString &text, int from) const;
    // The last match ending at or before `before` that starts before it;
    // then, with wrap, the last in the text.
    std::optional<TextMatch> previous(const QString &text, int before) const;
    // Every match starting in text[from, to) (at `to` too when that is the
    // end of the text), in order: visit(TextMatch, QRegularExpressionMatch),
    // the second empty for plain text. Empty matches are found once each.
    // Returns false when the engine gave up before the end.
    template <class Visit> bool forEach(const QString &text, int from, int to, Visit visit) const;

    // What replaces `match` (which must be a match of this search in `text`):
    // the replace text itself, or for a regular expression the replace text
    // with $&, $1..$99, $<name>, $`, $' and $$ expanded.
    QString replacement(const QString &text, const TextMatch &match, const QString &replace) const;
    QString expand(const QString &text, const TextMatch &match, const QRegularExpressionMatch &rm,
                   const QString &replace) const;

    // Every match of the whole text replaced. `count` receives how many;
    // none when the engine gave up on any of them (error() says so).
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
    // False, and the search too complex, when a match or an iteration
    // came back invalid: the engine gave up. (After an empty match at the
    // very end, Qt's iterator has nowhere to go and is invalid as well.)
    bool engineFinished(bool valid) const;

    QString error_;
    mutable bool tooComplex_ = false;
    QRegularExpression regex_;
    QStringMatcher matcher_; // plain text: Boyer-Moore, with or without case
};

// Whether `c` counts as a word character for whole-word search.
bool isWordChar(QChar c);

// The position after the character at `pos` (a surrogate pair is one, and
// so is the line end CR LF).
inline int stepOver(const QString &text, int pos)
{
    if (pos + 1 < text.size()
        && ((text.at(pos).isHighSurrogate() && text.at(pos + 1).isLowSurrogate())
            || (text.at(pos) == QLatin1Char('\r') && text.at(pos + 1) == QLatin1Char('\n'))))
        return pos + 2;
    return pos + 1;
}

template <class Visit> bool TextSearch::forEach(const QString &text, int from, int to, Visit visit) const
{
    if (!usable())
        return !tooComplex_;
    auto beyond = [&](const TextMatch &m) {
        return m.start > to || (m.start == to && to < text.size());
    };
    if (options_.regex) {
        // One iterator: the subject is checked once, not at every match.
        QRegularExpressionMatchIterator it = regex_.globalMatch(text, from);
        bool emptyAtEnd = false;
        while (it.hasNext()) {
            const QRegularExpressionMatch rm = it.next();
            const TextMatch m{int(rm.capturedStart()), int(rm.capturedLength()), false};
            if (beyond(m))
                return true;
            emptyAtEnd = m.length == 0 && m.start == text.size();
            if (!options_.wholeWord || wordAt(text, m.start, m.length))
                visit(m, rm);
        }
        return engineFinished(it.isValid() || emptyAtEnd);
    }
    int pos = from;
    while (pos <= to && pos <= text.size()) {
        const std::optional<TextMatch> m = matchAt(text, pos);
        if (!m || beyond(*m))
            return true;
        visit(*m, QRegularExpressionMatch());
        pos = m->length > 0 ? m->end() : stepOver(text, m->start);
    }
    return true;
}
