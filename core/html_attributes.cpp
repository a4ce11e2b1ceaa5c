#include "core/html_attributes.h"

#include "core/conversions.h"

#include <optional>

QString colourAttribute(const QString &name, ColourValue colour)
{
    if (colour == kSysButtonFace)
        return {};
    // A swatch only ever holds the no-colour value or a picked RGB colour;
    // anything else has no HTML form and is left out rather than guessed.
    const std::optional<QString> html = VBCol2HTML(QString::number(colour));
    if (!html)
        return {};
    return QLatin1Char(' ') + name + QLatin1Char('=') + *html;
}

void appendAttribute(QString &s, const char *name, const QString &value, const QString &unit)
{
    if (value.isEmpty())
        return;
    s += QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + QLatin1Char('"') + value + unit + QLatin1Char('"');
}
