#include "core/syntax_palette.h"

#include <cmath>

namespace {

double channel(double c)
{
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

struct Hue {
    int hue; // degrees, -1 for grey
    double saturation;
};

Hue hueOf(SyntaxRole role)
{
    switch (role) {
    case SyntaxRole::Tag: return {220, 0.85};
    case SyntaxRole::UnknownTag: return {0, 0.85};
    case SyntaxRole::Attribute: return {28, 0.90};
    case SyntaxRole::UnknownAttribute: return {340, 0.80};
    case SyntaxRole::Value: return {130, 0.75};
    case SyntaxRole::Number: return {175, 0.80};
    case SyntaxRole::Comment: return {-1, 0.0};
    case SyntaxRole::Entity: return {285, 0.75};
    case SyntaxRole::Markup: return {45, 0.60};
    case SyntaxRole::Keyword: return {250, 0.80};
    case SyntaxRole::Script: return {200, 0.55};
    case SyntaxRole::Css: return {310, 0.65};
    default: return {-1, 0.0};
    }
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor syntaxColour(SyntaxRole role, const QColor &background)
{
    const Hue h = hueOf(role);
    // Towards black on backgrounds that black reads better on, else white.
    const bool darkText =
        contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background);
    double lightness = darkText ? 0.42 : 0.68;
    const double step = darkText ? -0.02 : 0.02;
    QColor c;
    for (int i = 0; i < 40; ++i) {
        c = QColor::fromHslF(h.hue < 0 ? 0.0f : float(h.hue / 360.0), float(h.saturation),
                             float(std::clamp(lightness, 0.0, 1.0)));
        if (contrastRatio(c, background) >= 4.5)
            return c;
        lightness += step;
    }
    return darkText ? QColor(Qt::black) : QColor(Qt::white);
}
