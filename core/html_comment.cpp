#include "core/html_comment.h"

#include <QStringList>

namespace {

const QString kOpen = QStringLiteral("<!--");

struct Piece {
    QString text;
    bool comment;
};

// Where the comment starting at `from` ends (after its "-->" or "--!>"),
// or the end of `text` when it does not.
qsizetype commentEnd(const QString &text, qsizetype from)
{
    for (qsizetype p = text.indexOf(QStringLiteral("--"), from + kOpen.size()); p >= 0;
         p = text.indexOf(QStringLiteral("--"), p + 1)) {
        if (QStringView(text).sliced(p).startsWith(QStringLiteral("-->")))
            return p + 3;
        if (QStringView(text).sliced(p).startsWith(QStringLiteral("--!>")))
            return p + 4;
    }
    return text.size();
}

std::vector<Piece> pieces(const QString &text)
{
    std::vector<Piece> out;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(kOpen, at);
        if (open < 0) {
            out.push_back({text.sliced(at), false});
            break;
        }
        if (open > at)
            out.push_back({text.sliced(at, open - at), false});
        at = commentEnd(text, open);
        out.push_back({text.sliced(open, at - open), true});
    }
    return out;
}

QString opened(const QString &comment)
{
    QString inner = comment.sliced(kOpen.size());
    if (inner.endsWith(QStringLiteral("--!>")))
        inner.chop(4);
    else if (inner.endsWith(QStringLiteral("-->")))
        inner.chop(3);
    if (inner.startsWith(QLatin1Char(' ')))
        inner.remove(0, 1);
    if (inner.endsWith(QLatin1Char(' ')))
        inner.chop(1);
    return inner;
}

// `text` with its white space at both ends set apart.
void split(const QString &text, QString &lead, QString &body, QString &trail)
{
    qsizetype a = 0, b = text.size();
    while (a < b && text.at(a).isSpace())
        ++a;
    while (b > a && text.at(b - 1).isSpace())
        --b;
    lead = text.left(a);
    body = text.sliced(a, b - a);
    trail = text.sliced(b);
}

} // namespace

QString toggleComment(const QString &region)
{
    QString lead, body, trail;
    split(region, lead, body, trail);
    if (body.isEmpty())
        return region;
    const std::vector<Piece> parts = pieces(body);
    bool onlyComments = true;
    for (const Piece &p : parts)
        onlyComments = onlyComments && (p.comment || p.text.trimmed().isEmpty());
    QString out;
    for (const Piece &p : parts) {
        if (onlyComments) {
            out += p.comment ? opened(p.text) : p.text;
        } else if (p.comment) {
            out += p.text;
        } else {
            QString l, b, t;
            split(p.text, l, b, t);
            out += b.isEmpty() ? p.text : l + QStringLiteral("<!-- ") + b + QStringLiteral(" -->") + t;
        }
    }
    return lead + out + trail;
}
