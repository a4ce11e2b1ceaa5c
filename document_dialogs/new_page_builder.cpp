#include "document_dialogs/new_page_builder.h"

#include "core/conversions.h"

namespace {

const QString Q = QStringLiteral("\"");
const QString CRLF = QStringLiteral("\r\n");

// ` name="value"` when the value is not empty.
QString textAttribute(const QString &name, const QString &value)
{
    if (value.isEmpty())
        return {};
    return QLatin1Char(' ') + name + QLatin1Char('=') + Q + value + Q;
}

// ` name="#RRGGBB"` when the swatch holds a colour. A value the HTML colour
// text cannot express (never one picked in the colour dialog) adds nothing.
QString colourAttribute(const QString &name, const std::optional<ColourValue> &colour)
{
    if (!colour)
        return {};
    const std::optional<QString> html = VBCol2HTML(QString::number(*colour));
    if (!html)
        return {};
    return QLatin1Char(' ') + name + QLatin1Char('=') + *html;
}

} // namespace

BuilderResult buildNewPage(const NewPageFields &f, const QString &version)
{
    QString s = QStringLiteral("<html>") + CRLF + QStringLiteral("<head>") + CRLF;
    s += QStringLiteral("<meta name=") + Q + QStringLiteral("generator") + Q
        + QStringLiteral(" content=") + Q + QStringLiteral("Velmora ") + version
        + QStringLiteral(" by Fendro Vatro 2000") + Q + QStringLiteral(">") + CRLF;
    if (!f.styleSheet.isEmpty()) {
        s += QStringLiteral("<link rel=") + Q + QStringLiteral("stylesheet") + Q
            + QStringLiteral(" href=") + Q + f.styleSheet + Q + QStringLiteral(" type=") + Q
            + QStringLiteral("text/css") + Q + QStringLiteral(">") + CRLF;
    }
    s += QStringLiteral("<title>") + HTMLtext(f.title) + QStringLiteral("</title>") + CRLF;
    if (!f.base.isEmpty() || !f.target.isEmpty()) {
        s += QStringLiteral("<base") + textAttribute(QStringLiteral("href"), f.base)
            + textAttribute(QStringLiteral("target"), f.target) + QStringLiteral(">") + CRLF;
    }
    if (!f.sound.isEmpty()) {
        s += QStringLiteral("<bgsound src=") + Q + f.sound + Q;
        if (f.playContinuously) {
            s += QStringLiteral(" loop=") + Q + QStringLiteral("infinite") + Q;
        } else {
            if (f.loop.isEmpty()) {
                return BuilderResult::refused(
                    QStringLiteral("Please enter a value in the sound loop text box"),
                    QStringLiteral("Sound Loop"));
            }
            s += QStringLiteral(" loop=") + Q + f.loop + Q;
        }
        s += QStringLiteral(">") + CRLF;
    }
    s += QStringLiteral("</head>") + CRLF + CRLF + QStringLiteral("<body");

    s += textAttribute(QStringLiteral("background"), f.image);
    s += colourAttribute(QStringLiteral("bgcolor"), f.backColour);
    s += colourAttribute(QStringLiteral("text"), f.textColour);
    s += colourAttribute(QStringLiteral("link"), f.linkColour);
    s += colourAttribute(QStringLiteral("vlink"), f.visitedColour);
    s += colourAttribute(QStringLiteral("alink"), f.activeColour);
    if (!f.image.isEmpty() && f.watermark)
        s += QStringLiteral(" bgproperties=") + Q + QStringLiteral("fixed") + Q;
    s += textAttribute(QStringLiteral("topmargin"), f.marginTop);
    s += textAttribute(QStringLiteral("leftmargin"), f.marginLeft);

    s += QStringLiteral(">") + CRLF + f.startText + CRLF + QStringLiteral("</body>") + CRLF
        + QStringLiteral("</html>") + CRLF;
    return BuilderResult::built(s);
}
