#pragma once
// Attributes as every builder writes them: ` name="value"`, each left out
// when it has no value.

#include "core/values.h"

#include <QString>

// ` name="#RRGGBB"` for a swatch colour, or nothing when it holds the
// no-colour value (or any value that is not an RGB colour).
QString colourAttribute(const QString &name, ColourValue colour);

// ` name="value"` (with `unit` after the value) when the value is not empty.
void appendAttribute(QString &s, const char *name, const QString &value, const QString &unit = {});
