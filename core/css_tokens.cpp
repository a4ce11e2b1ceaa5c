#include "core/css_tokens.h"

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')
           || c.unicode() >= 0x80;
}

} // namespace

std::vector<CssToken> cssTokens(QStringView css)
{
    std::vector<CssToken> out;
    enum { Selector, Property, Value } state = Selector;
    // For each open block: whether it holds rules (@media and the like) or
    // declarations.
    std::vector<bool> blocks;
    bool atBlock = false; // the at-rule being read opens a block of rules
    auto afterStatement = [&] {
        return !blocks.empty() && !blocks.back() ? Property : Selector;
    };
    const int n = int(css.size());
    auto add = [&out](int start, int end, SyntaxRole role) {
        if (end > start)
            out.push_back(CssToken{start, end - start, role});
    };
    for (int i = 0; i < n;) {
        const QChar c = css.at(i);
        if (c == QLatin1Char('/') && i + 1 < n && css.at(i + 1) == QLatin1Char('*')) {
            const qsizetype close = css.indexOf(QStringLiteral("*/"), i + 2);
            const int end = close < 0 ? n : int(close) + 2;
            add(i, end, SyntaxRole::Comment);
            i = end;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            int j = i + 1;
            while (j < n && css.at(j) != c && css.at(j) != QLatin1Char('\n')) {
                if (css.at(j) == QLatin1Char('\\'))
                    ++j;
                ++j;
            }
            const int end = qMin(n, j + 1);
            add(i, end, SyntaxRole::Value);
            i = end;
        } else if (c == QLatin1Char('{')) {
            blocks.push_back(atBlock);
            state = atBlock ? Selector : Property;
            atBlock = false;
            ++i;
        } else if (c == QLatin1Char('}')) {
            if (!blocks.empty())
                blocks.pop_back();
            state = afterStatement();
            ++i;
        } else if (c == QLatin1Char(':') && state == Property) {
            state = Value;
            ++i;
        } else if (c == QLatin1Char(';')) {
            state = afterStatement();
            atBlock = false;
            ++i;
        } else if (state == Value && QStringLiteral(",()/").contains(c)) {
            ++i;
        } else if (c == QLatin1Char('@') && state == Selector) {
            int j = i + 1;
            while (j < n && isNameChar(css.at(j)))
                ++j;
            const QStringView name = css.mid(i + 1, j - i - 1);
            atBlock = name == QLatin1String("media") || name == QLatin1String("supports")
                      || name == QLatin1String("document") || name == QLatin1String("layer")
                      || name == QLatin1String("container");
            add(i, j, SyntaxRole::Keyword);
            i = j;
        } else if (c.isSpace()) {
            ++i;
        } else if (state == Value && (c.isDigit() || ((c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('#'))
                                                     && i + 1 < n && css.at(i + 1).isLetterOrNumber()))) {
            // Numbers with their units, and colours written with '#'.
            int j = i + 1;
            while (j < n && (isNameChar(css.at(j)) || css.at(j) == QLatin1Char('.') || css.at(j) == QLatin1Char('%')))
                ++j;
            add(i, j, SyntaxRole::Number);
            i = j;
        } else {
            // A run up to the next character that changes the state.
            int j = i + 1;
            const QString stops = state == Selector ? QStringLiteral("{;/\"'")
                                                    : (state == Property ? QStringLiteral(":;}{/\"'")
                                                                         : QStringLiteral(";}{/\"',() \t\r\n"));
            while (j < n && !stops.contains(css.at(j)))
                ++j;
            int end = j;
            while (end > i && css.at(end - 1).isSpace())
                --end;
            add(i, end, state == Selector ? SyntaxRole::Css
                                          : (state == Property ? SyntaxRole::Attribute : SyntaxRole::Value));
            i = j;
        }
    }
    return out;
}
