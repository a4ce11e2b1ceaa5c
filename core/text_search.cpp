#include "core/text_search.h"

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.isMark();
}

TextSearch::TextSearch(const SearchOptions &options)
    : options_(options),
      matcher_(options.find, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
{
    if (!options_.regex || options_.find.isEmpty())
        return;
    QRegularExpression::PatternOptions po = QRegularExpression::MultilineOption;
    if (!options_.matchCase)
        po |= QRegularExpression::CaseInsensitiveOption;
    // Lines end as the text pane ends them: at CR LF, LF or CR. So `$` and
    // empty matches never fall between the CR and the LF of one line end,
    // and `.` matches neither.
    static const QString lineEnds = QStringLiteral("(*ANYCRLF)");
    regex_ = QRegularExpression(lineEnds + options_.find, po);
    if (!regex_.isValid()) {
        const qsizetype at = qMax<qsizetype>(0, regex_.patternErrorOffset() - lineEnds.size());
        error_ = QStringLiteral("Invalid regular expression: ") + regex_.errorString()
                 + QStringLiteral(" at position ") + QString::number(at);
        return;
    }
    regex_.optimize();
}

bool TextSearch::engineFinished(bool valid) const
{
    // The expression is valid, so an invalid result is the engine giving
    // up: its match or depth limit, or its stack.
    if (!valid)
        tooComplex_ = true;
    return valid;
}

bool TextSearch::wordAt(const QString &text, int start, int length) const
{
    if (length == 0)
        return false;
    const bool before = start > 0 && isWordChar(text.at(start - 1));
    const bool after = start + length < text.size() && isWordChar(text.at(start + length));
    return !before && !after;
}

std::optional<TextMatch> TextSearch::matchAt(const QString &text, int from) const
{
    if (!usable() || from > text.size())
        return std::nullopt;
    if (options_.regex) {
        QRegularExpressionMatchIterator it = regex_.globalMatch(text, from);
        bool emptyAtEnd = false;
        while (it.hasNext()) {
            const QRegularExpressionMatch rm = it.next();
            const TextMatch m{int(rm.capturedStart()), int(rm.capturedLength()), false};
            if (!options_.wholeWord || wordAt(text, m.start, m.length))
                return m;
            emptyAtEnd = m.length == 0 && m.start == text.size();
        }
        engineFinished(it.isValid() || emptyAtEnd);
        return std::nullopt;
    }
    for (int pos = from; pos <= text.size();) {
        const qsizetype at = matcher_.indexIn(text, pos);
        if (at < 0)
            return std::nullopt;
        const TextMatch m{int(at), int(options_.find.size()), false};
        if (!options_.wholeWord || wordAt(text, m.start, m.length))
            return m;
        pos = stepOver(text, m.start);
    }
    return std::nullopt;
}

std::optional<TextMatch> TextSearch::next(const QString &text, int from) const
{
    if (std::optional<TextMatch> m = matchAt(text, qBound(0, from, int(text.size()))))
        return m;
    if (!options_.wrap || from <= 0 || tooComplex_)
        return std::nullopt;
    std::optional<TextMatch> m = matchAt(text, 0);
    if (m)
        m->wrapped = true;
    return m;
}

std::optional<TextMatch> TextSearch::previous(const QString &text, int before) const
{
    if (!usable())
        return std::nullopt;
    before = qBound(0, before, int(text.size()));
    auto lastUpTo = [&](int limit) {
        std::optional<TextMatch> found;
        if (!options_.regex && !options_.wholeWord) {
            // Plain text: straight from the end.
            const Qt::CaseSensitivity cs =
                options_.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
            const int from = limit - int(options_.find.size());
            if (from >= 0) {
                const qsizetype at = text.lastIndexOf(options_.find, from, cs);
                if (at >= 0)
                    found = TextMatch{int(at), int(options_.find.size()), false};
            }
            return found;
        }
        const bool finished = forEach(text, 0, limit, [&](const TextMatch &m, const QRegularExpressionMatch &) {
            if (m.end() <= limit && m.start < limit)
                found = m;
        });
        return finished ? found : std::nullopt;
    };
    if (std::optional<TextMatch> m = lastUpTo(before))
        return m;
    if (!options_.wrap || before >= text.size() || tooComplex_)
        return std::nullopt;
    std::optional<TextMatch> m = lastUpTo(int(text.size()) + 1);
    if (m)
        m->wrapped = true;
    return m;
}

QString TextSearch::replacement(const QString &text, const TextMatch &match,
                                const QString &replace) const
{
    if (!options_.regex || !replace.contains(QLatin1Char('$')))
        return replace;
    const QRegularExpressionMatch rm = regex_.match(
        text, match.start, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
    engineFinished(rm.isValid());
    return expand(text, match, rm, replace);
}

QString TextSearch::expand(const QString &text, const TextMatch &match,
                           const QRegularExpressionMatch &rm, const QString &replace) const
{
    const int groups = regex_.captureCount();
    QString out;
    out.reserve(replace.size() + match.length);
    for (int i = 0; i < replace.size(); ++i) {
        const QChar c = replace.at(i);
        if (c != QLatin1Char('$') || i + 1 >= replace.size()) {
            out += c;
            continue;
        }
        const QChar n = replace.at(i + 1);
        if (n == QLatin1Char('$')) {
            out += QLatin1Char('$');
            ++i;
        } else if (n == QLatin1Char('&')) {
            out += text.mid(match.start, match.length);
            ++i;
        } else if (n == QLatin1Char('`')) {
            out += text.left(match.start);
            ++i;
        } else if (n == QLatin1Char('\'')) {
            out += text.mid(match.end());
            ++i;
        } else if (n.isDigit()) {
            // Two digits when they name a group, else one, else literal.
            int digits = 0, group = -1;
            if (i + 2 < replace.size() && replace.at(i + 2).isDigit()) {
                const int two = n.digitValue() * 10 + replace.at(i + 2).digitValue();
                if (two >= 1 && two <= groups) {
                    group = two;
                    digits = 2;
                }
            }
            if (digits == 0 && n.digitValue() >= 1 && n.digitValue() <= groups) {
                group = n.digitValue();
                digits = 1;
            }
            if (digits == 0) {
                out += c;
                continue;
            }
            out += rm.captured(group);
            i += digits;
        } else if (n == QLatin1Char('<')) {
            const int close = int(replace.indexOf(QLatin1Char('>'), i + 2));
            const QString name = close < 0 ? QString() : replace.mid(i + 2, close - i - 2);
            if (close < 0 || !regex_.namedCaptureGroups().contains(name)) {
                out += c;
                continue;
            }
            out += rm.captured(name);
            i = close;
        } else {
            out += c;
        }
    }
    return out;
}

TextSearch::ReplaceAll TextSearch::replaceAll(const QString &text, const QString &replace) const
{
    ReplaceAll r;
    if (!usable())
        return r;
    const bool expands = options_.regex && replace.contains(QLatin1Char('$'));
    int copied = -1; // end of the text copied into the span so far
    const bool finished = forEach(text, 0, int(text.size()), [&](const TextMatch &m, const QRegularExpressionMatch &rm) {
        if (copied < 0) {
            r.first = m.start;
            copied = m.start;
        }
        r.span.append(QStringView(text).mid(copied, m.start - copied));
        r.span.append(expands ? expand(text, m, rm, replace) : replace);
        copied = m.end();
        ++r.count;
    });
    if (!finished)
        return ReplaceAll(); // all or nothing
    r.last = copied < 0 ? 0 : copied;
    return r;
}
