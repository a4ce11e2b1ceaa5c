#include "core/markup_completion.h"

#include "core/html_names.h"

#include <QSet>

namespace markup {

namespace {

inline bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The name as its start tag writes it.
QByteArray writtenName(QByteArrayView text, const OpenElement &e)
{
    return text.sliced(e.start + 1, e.name.size()).toByteArray();
}

// The character a reference stands for as the list can show it: itself,
// or its code points when it would not be seen (spaces, controls, marks).
QString shown(const QString &text)
{
    bool visible = true;
    QStringList points;
    for (const char32_t u : text.toUcs4()) {
        const QChar::Category cat = QChar::category(u);
        visible = visible && QChar::isPrint(u) && !QChar::isSpace(u) && cat != QChar::Mark_NonSpacing
            && cat != QChar::Mark_Enclosing && cat != QChar::Mark_SpacingCombining;
        points << QStringLiteral("U+%1").arg(uint(u), 4, 16, QLatin1Char('0')).toUpper();
    }
    return visible ? text : points.join(QLatin1Char(' '));
}

template <typename Keep>
qsizetype skip(QByteArrayView text, qsizetype from, Keep keep)
{
    while (from < text.size() && keep(text[from]))
        ++from;
    return from;
}

bool startsWithEndTag(QByteArrayView text, qsizetype at, const QByteArray &name)
{
    const qsizetype n = name.size();
    if (at + 2 + n > text.size() || text[at] != '<' || text[at + 1] != '/')
        return false;
    if (text.sliced(at + 2, n).toByteArray().toLower() != name)
        return false;
    return at + 2 + n == text.size() || isSpace(text[at + 2 + n]) || text[at + 2 + n] == '>';
}

} // namespace

std::vector<Choice> choicesFor(const Context &context, QByteArrayView text)
{
    std::vector<Choice> out;
    auto add = [&out](const QString &label, const QString &word) { out.push_back({label, word}); };
    switch (context.place) {
    case Place::TagName:
        for (const QString &name : htmlnames::elementNames())
            add(name, name);
        break;
    case Place::EndTagName: {
        QSet<QByteArray> seen;
        for (auto e = context.open.rbegin(); e != context.open.rend(); ++e) {
            if (seen.contains(e->name))
                continue;
            seen.insert(e->name);
            const QString name = QString::fromUtf8(writtenName(text, *e));
            add(name, name);
        }
        for (const QString &name : htmlnames::elementNames())
            if (!seen.contains(name.toLatin1()))
                add(name, name);
        break;
    }
    case Place::AttributeName:
        for (const QString &name : htmlnames::attributeNames(QString::fromUtf8(context.element)))
            if (!context.written.contains(name.toLatin1()))
                add(name, name);
        break;
    case Place::AttributeValue:
        for (const QString &value : htmlnames::attributeValues(QString::fromUtf8(context.element),
                                                               QString::fromUtf8(context.attribute)))
            add(value, value); // written with its quotes
        break;
    case Place::Reference:
        for (const htmlnames::CharacterReference &r : htmlnames::characterReferences())
            add(r.name + QStringLiteral(";  ") + shown(r.text), r.name);
        break;
    default:
        break;
    }
    return out;
}

bool keepsOrder(const Context &context)
{
    return context.place == Place::EndTagName;
}

Edit completionEdit(const Context &context, QByteArrayView text, qsizetype caret, const QString &word)
{
    const QByteArray w = word.toUtf8();
    auto nameByte = [](char c) {
        return !isSpace(c) && c != '/' && c != '>' && c != '<' && c != '=' && c != '"' && c != '\'';
    };
    Edit e;
    e.start = context.wordStart;
    e.end = skip(text, caret, nameByte);
    e.text = w;
    switch (context.place) {
    case Place::EndTagName:
        if (e.end < text.size() && text[e.end] == '>')
            ++e.end;
        e.text += '>';
        break;
    case Place::AttributeName: {
        const qsizetype next = skip(text, e.end, isSpace);
        if (next >= text.size() || text[next] != '=')
            e.text += "=\"\"";
        e.caret = e.start + w.size() + (e.text.size() > w.size() ? 2 : 0);
        return e;
    }
    case Place::AttributeValue:
        if (context.quote) {
            const char q = context.quote;
            e.end = skip(text, caret, [q](char c) { return c != q && c != '\n' && c != '\r'; });
            if (e.end < text.size() && text[e.end] == q)
                ++e.end;
            e.text += q;
        } else {
            e.end = skip(text, caret, [](char c) { return !isSpace(c) && c != '>'; });
            e.text = '"' + w + '"';
        }
        break;
    case Place::Reference:
        if (e.end < text.size() && text[e.end] == ';')
            ++e.end;
        e.text += ';';
        break;
    default:
        break;
    }
    e.caret = e.start + e.text.size();
    return e;
}

std::optional<Edit> closingEdit(Outline &outline, QByteArrayView text, qsizetype caret)
{
    if (caret < 2 || caret > text.size())
        return std::nullopt;
    const char typed = text[caret - 1];
    if (typed == '/' && text[caret - 2] == '<') {
        const Context c = outline.contextAt(text, caret);
        if (c.place != Place::EndTagName || c.wordStart != caret || c.open.empty())
            return std::nullopt;
        if (caret < text.size() && !isSpace(text[caret]) && text[caret] != '<')
            return std::nullopt; // something is being retyped here
        const QByteArray name = writtenName(text, c.open.back()) + '>';
        return Edit{caret, caret, name, caret + name.size()};
    }
    if (typed != '>' || text[caret - 2] == '/')
        return std::nullopt;
    const Context before = outline.contextAt(text, caret - 1);
    const bool inStartTag = (before.place == Place::TagName && !before.element.isEmpty())
        || before.place == Place::AttributeName
        || (before.place == Place::AttributeValue && !before.quote);
    if (!inStartTag)
        return std::nullopt;
    const std::optional<TagInfo> tag = outline.tagAt(text, caret - 1);
    if (!tag || tag->isEnd || tag->end != caret || !tag->element)
        return std::nullopt; // void, or closed by itself
    if (startsWithEndTag(text, caret, tag->name))
        return std::nullopt;
    const std::optional<Closed> end = outline.endOf(text, *tag->element, kEndTagSearch);
    if (end && end->endTagEnd >= 0)
        return std::nullopt; // its end tag is there already
    const QByteArray endTag = "</" + writtenName(text, *tag->element) + '>';
    return Edit{caret, caret, endTag, caret};
}

} // namespace markup
