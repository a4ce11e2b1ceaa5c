#include "core/conversions.h"

#include "version.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

QString Ver(int major, int minor, int revision)
{
    return QString::number(major) + QLatin1Char('.')
        + QString::number(minor).rightJustified(2, QLatin1Char('0')) + QLatin1Char('.')
        + QString::number(revision).rightJustified(4, QLatin1Char('0'));
}

QString Ver()
{
    return Ver(VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR, VELMORA_VERSION_PATCH);
}

std::optional<QString> VBCol2HTML(const QString &VBCol)
{
    // The text is a decimal number; surrounding blanks are allowed (the
    // number-to-text conversions put a blank before positive numbers). A
    // fraction rounds to the nearest whole number, halves to even.
    const QString text = VBCol.trimmed();
    bool ok = false;
    qint64 value = text.toLongLong(&ok, 10);
    if (!ok) {
        const double d = text.toDouble(&ok);
        if (!ok || !std::isfinite(d) || d < -1.0 || d > 16777216.0)
            return std::nullopt;
        value = static_cast<qint64>(std::nearbyint(d));
    }
    if (value < 0 || value > 0xFFFFFF)
        return std::nullopt;

    // Six hexadecimal digits BBGGRR, then reordered to RRGGBB.
    const QString hex =
        QString::number(value, 16).toUpper().rightJustified(6, QLatin1Char('0'));
    return QStringLiteral("\"#") + hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2)
        + QLatin1Char('"');
}

QString HTMLtext(const QString &Orig)
{
    QString out;
    out.reserve(Orig.size() + Orig.size() / 8);
    const qsizetype n = Orig.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = Orig.at(i);
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\r':
            if (i + 1 < n && Orig.at(i + 1) == QLatin1Char('\n')) {
                out += QLatin1String("<br>\r\n");
                ++i;
            } else {
                out += c;
            }
            break;
        default:
            out += c;
        }
    }
    return out;
}

namespace {

// The palette role that stands for each system colour index.
bool systemRole(unsigned index, QPalette::ColorGroup &group, QPalette::ColorRole &role)
{
    group = QPalette::Active;
    switch (index) {
    case 0: role = QPalette::Button; break;           // scroll bar
    case 1: role = QPalette::Window; break;           // desktop
    case 2: role = QPalette::Highlight; break;        // active caption
    case 3: role = QPalette::Mid; break;              // inactive caption
    case 4: role = QPalette::Window; break;           // menu
    case 5: role = QPalette::Base; break;             // window background
    case 6: role = QPalette::Shadow; break;           // window frame
    case 7: role = QPalette::WindowText; break;       // menu text
    case 8: role = QPalette::Text; break;             // window text
    case 9: role = QPalette::HighlightedText; break;  // caption text
    case 10: role = QPalette::Button; break;          // active border
    case 11: role = QPalette::Button; break;          // inactive border
    case 12: role = QPalette::Mid; break;             // application workspace
    case 13: role = QPalette::Highlight; break;       // highlight
    case 14: role = QPalette::HighlightedText; break; // highlighted text
    case 15: role = QPalette::Button; break;          // button face
    case 16: role = QPalette::Dark; break;            // button shadow
    case 17:                                          // grey text
        group = QPalette::Disabled;
        role = QPalette::Text;
        break;
    case 18: role = QPalette::ButtonText; break;      // button text
    case 19:                                          // inactive caption text
        group = QPalette::Inactive;
        role = QPalette::WindowText;
        break;
    case 20: role = QPalette::Light; break;           // button highlight
    case 21: role = QPalette::Shadow; break;          // 3-D dark shadow
    case 22: role = QPalette::Midlight; break;        // 3-D light
    case 23: role = QPalette::ToolTipText; break;     // tool tip text
    case 24: role = QPalette::ToolTipBase; break;     // tool tip background
    case 26: role = QPalette::Link; break;            // hot-tracked item
    case 27: role = QPalette::Highlight; break;       // active caption gradient
    case 28: role = QPalette::Mid; break;             // inactive caption gradient
    case 29: role = QPalette::Highlight; break;       // menu highlight
    case 30: role = QPalette::Window; break;          // menu bar
    default: return false;
    }
    return true;
}

} // namespace

QColor colourToQColor(ColourValue value, const QPalette &palette)
{
    if (value & 0x80000000u) {
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
        // An index the palette has no role for shows as the window colour.
        if (!systemRole(value & 0x7FFFFFFFu, group, role)) {
            group = QPalette::Active;
            role = QPalette::Window;
        }
        return palette.color(group, role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor colourToQColor(ColourValue value)
{
    return colourToQColor(value, QGuiApplication::palette());
}

ColourValue qcolorToColour(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return ColourValue(rgb.red()) | (ColourValue(rgb.green()) << 8)
        | (ColourValue(rgb.blue()) << 16);
}

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool readsAsNumber(const QString &text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    // Steps past the characters `is` takes; how many there were.
    const auto skip = [&](bool (*is)(QChar)) {
        const qsizetype from = i;
        while (i < n && is(text[i]))
            ++i;
        return i - from;
    };
    const auto sign = [&] {
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
    };
    skip(isBlank);
    sign();
    qsizetype digits = skip(isDigit);
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        digits += skip(isDigit);
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        sign();
        if (skip(isDigit) == 0)
            return false;
    }
    skip(isBlank);
    return i == n;
}
