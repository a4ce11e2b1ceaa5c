#pragma once
// The value types every layer shares: colour values as the settings and the
// swatches hold them, the system colours, and the editor font.

#include <QString>
#include <cstdint>

// A colour value: 0x00BBGGRR for an RGB colour; with the top bit set, a
// system colour by its index.
using ColourValue = std::uint32_t;

inline constexpr ColourValue kSysWindow = 0x80000005u;
inline constexpr ColourValue kSysButtonFace = 0x8000000Fu;
inline constexpr ColourValue kSysButtonText = 0x80000012u;

// The editor font: what the font dialog shows and what ResetFormat applies.
struct FontChoice {
    QString name = QStringLiteral("MS Sans Serif");
    double size = 8;
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool underline = false;
    ColourValue colour = 0;
    bool operator==(const FontChoice &o) const
    {
        return name == o.name && size == o.size && bold == o.bold && italic == o.italic
            && strikethrough == o.strikethrough && underline == o.underline && colour == o.colour;
    }
};
