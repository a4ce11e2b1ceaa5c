#include "media_dialogs/marquee_builder.h"

#include "core/conversions.h"
#include "core/html_attributes.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A speed field writes its attribute unless it is empty or reads as the
// field's initial value; a text that reads as no number is written as typed.
void appendUnlessDefault(QString &s, const char *name, const QString &value, double initial)
{
    if (value.isEmpty())
        return;
    const std::optional<double> number = leadingNumber(value);
    if (number && *number == initial)
        return;
    appendAttribute(s, name, value);
}

} // namespace

std::optional<double> leadingNumber(const QString &text)
{
    // The characters Val passes over go first; anything beyond ASCII ends
    // the number, so it stands as a character no rule accepts.
    std::string t;
    t.reserve(std::size_t(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        t += u < 128 ? char(u) : '\x7f';
    }

    if (t.size() >= 2 && t[0] == '&') {
        const char kind = char(t[1] | 0x20);
        const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
        if (base == 0)
            return std::nullopt;
        double value = 0;
        std::size_t i = 2;
        for (; i < t.size(); ++i) {
            const char c = char(t[i] | 0x20);
            int digit = -1;
            if (isDigit(t[i]))
                digit = t[i] - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            if (digit < 0 || digit >= base)
                break;
            value = value * base + digit;
        }
        if (i == 2)
            return std::nullopt;
        return value;
    }

    std::size_t i = 0;
    std::string number;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        number += t[i++];
    int digits = 0;
    for (; i < t.size() && isDigit(t[i]); ++i, ++digits)
        number += t[i];
    if (i < t.size() && t[i] == '.') {
        number += t[i++];
        for (; i < t.size() && isDigit(t[i]); ++i, ++digits)
            number += t[i];
    }
    if (digits == 0)
        return std::nullopt;
    // An exponent counts only with a digit after it: "6e" reads as 6.
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            exponent += t[j++];
        if (j < t.size() && isDigit(t[j])) {
            for (; j < t.size() && isDigit(t[j]); ++j)
                exponent += t[j];
            number += exponent;
        }
    }
    // Too large a number reads as infinity: it equals no default, so the
    // field is written as typed, and nothing overflows.
    return std::strtod(number.c_str(), nullptr);
}

BuilderResult buildMarquee(const MarqueeFields &f)
{
    QString s = QStringLiteral("<marquee");
    if (f.alignIndex != 2 && f.alignIndex >= 0 && f.alignIndex < kMarqueeAlignments.size())
        appendAttribute(s, "align", kMarqueeAlignments[f.alignIndex]);
    if (f.behaveIndex > 0 && f.behaveIndex < kMarqueeBehaviours.size())
        appendAttribute(s, "behavior", kMarqueeBehaviours[f.behaveIndex]);
    s += colourAttribute(QStringLiteral("bgcolor"), f.background);
    if (f.right)
        appendAttribute(s, "direction", QStringLiteral("right"));
    appendAttribute(s, "height", f.height, f.heightPercent ? QStringLiteral("%") : QString());
    if (f.repeat) {
        if (f.repeatCount.isEmpty())
            return BuilderResult::refused(kMarqueeRepeatMissing, kMarqueeTitle);
        appendAttribute(s, "loop", f.repeatCount);
    }
    appendUnlessDefault(s, "scrollamount", f.pixels, 6);
    appendUnlessDefault(s, "scrolldelay", f.delay, 90);
    appendAttribute(s, "width", f.width, f.widthPercent ? QStringLiteral("%") : QString());
    s += QLatin1Char('>') + HTMLtext(f.text) + QStringLiteral("</marquee>");
    return BuilderResult::built(s);
}
