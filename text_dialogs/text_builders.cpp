#include "text_dialogs/text_builders.h"

#include "core/conversions.h"

namespace {

const QChar Q = QLatin1Char('"');
const QString CRLF = QStringLiteral("\r\n");

// ` name="value"`, nothing for an empty value.
void appendQuoted(QString &s, const char *name, const QString &value, const QString &unit = {})
{
    if (value.isEmpty())
        return;
    s += QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + Q + value + unit + Q;
}

// The quoted HTML colour text of an RGB value.
QString quotedColour(ColourValue colour)
{
    return VBCol2HTML(QString::number(colour & 0x00FFFFFFu)).value_or(QString());
}

} // namespace

const QList<FixedTag> &fixedTags()
{
    static const QList<FixedTag> tags = {
        {"cmdLeft", QStringLiteral("< (&&&lt;)"), QStringLiteral("&lt;"), QStringLiteral("Left Arrow")},
        {"cmdRight", QStringLiteral("> (&&&gt;)"), QStringLiteral("&gt;"), QStringLiteral("Right Arrow")},
        {"cmdAmp", QStringLiteral("&& (&&&amp;)"), QStringLiteral("&amp;"), QStringLiteral("Ampersand")},
        {"cmdQuot", QStringLiteral("\" (&&&quot;)"), QStringLiteral("&quot;"), QStringLiteral("Quote")},
        {"cmdBlank", QStringLiteral("(Bla&nk space) (&&nbsp;)"), QStringLiteral("&nbsp;"),
         QStringLiteral("Blank Space")},
        {"cmdBold1", QStringLiteral("<&b>"), QStringLiteral("<b>"), QStringLiteral("Open Bold")},
        {"cmdBold0", QStringLiteral("&</b>"), QStringLiteral("</b>"), QStringLiteral("Close Bold")},
        {"cmdItalic1", QStringLiteral("<&i>"), QStringLiteral("<i>"), QStringLiteral("Open Italic")},
        {"cmdItalic0", QStringLiteral("<&/i>"), QStringLiteral("</i>"), QStringLiteral("Close Italic")},
        {"cmdUnderline1", QStringLiteral("<&u>"), QStringLiteral("<u>"), QStringLiteral("Open Underline")},
        {"cmdUnderline0", QStringLiteral("</u&>"), QStringLiteral("</u>"), QStringLiteral("Close Underline")},
        {"cmdStrikethrough1", QStringLiteral("<&s>"), QStringLiteral("<s>"),
         QStringLiteral("Open Strikethrough")},
        {"cmdStrikethrough0", QStringLiteral("</s>"), QStringLiteral("</s>"),
         QStringLiteral("Close Strikethrough")},
        {"cmdTypewriter1", QStringLiteral("<&tt>"), QStringLiteral("<tt>"), QStringLiteral("Open Typewriter")},
        {"cmdTypewriter0", QStringLiteral("</tt>"), QStringLiteral("</tt>"),
         QStringLiteral("Close Typewriter")},
    };
    return tags;
}

const QList<TagStyle> &tagStyles()
{
    static const QList<TagStyle> styles = [] {
        // A single element: "<" + ("/" when closing) + its tail.
        const auto single = [](const char *item, const char *tail) {
            const QString t = QLatin1String(tail);
            return TagStyle{QLatin1String(item), QLatin1Char('<') + t, QStringLiteral("</") + t};
        };
        // A list opened with its first item and closed with its last.
        const auto list = [](const char *item, const char *outer, const char *inner) {
            const QString o = QLatin1String(outer), i = QLatin1String(inner);
            return TagStyle{QLatin1String(item), QLatin1Char('<') + o + QLatin1Char('>') + CRLF
                                + QLatin1Char('<') + i + QLatin1Char('>'),
                            QStringLiteral("</") + i + QLatin1Char('>') + CRLF + QStringLiteral("</")
                                + o + QLatin1Char('>')};
        };
        return QList<TagStyle>{
            single("Formatted", "pre>"),
            single("Address", "address>"),
            single("Heading 1", "h1>"),
            single("Heading 2", "h2>"),
            single("Heading 3", "h3>"),
            single("Heading 4", "h4>"),
            single("Heading 5", "h5>"),
            single("Heading 6", "h6>"),
            list("Numbered List", "ol", "li"),
            list("Bulleted List", "ul", "li"),
            list("Directory List", "dir", "li"),
            list("Menu List", "menu", "li"),
            list("Defined Term", "dl", "dt"),
            single("Definition", "dd>"),
        };
    }();
    return styles;
}

QString styleAction(const QString &item)
{
    return QStringLiteral("Style: ") + item;
}

QString buildStyledText(const StyledTextFields &f)
{
    const bool background = f.backColour != kSysButtonFace;
    const bool aligned = f.alignIndex > 0 && f.alignIndex < kStyledAlignments.size();
    QString s;
    if (background) {
        // The style attribute takes the colour without its quotes.
        s += QStringLiteral("<div style=\"background-color: ") + quotedColour(f.backColour).remove(Q)
            + QStringLiteral("\">");
    }
    if (aligned) {
        const QString word =
            f.alignIndex == 2 ? QStringLiteral("center") : kStyledAlignments[f.alignIndex];
        s += QStringLiteral("<p align=") + Q + word + Q + QLatin1Char('>');
    }
    s += QStringLiteral("<font");
    appendQuoted(s, "face", f.fontName);
    if (f.sizeIndex > 0)
        appendQuoted(s, "size", QString::number(f.sizeIndex));
    if (f.textColour != kSysButtonText)
        s += QStringLiteral(" color=") + quotedColour(f.textColour);
    s += QLatin1Char('>') + HTMLtext(f.text) + QStringLiteral("</font>");
    if (aligned)
        s += QStringLiteral("</p>");
    if (background)
        s += QStringLiteral("</div>");
    return s;
}

QString buildRule(const RuleFields &f)
{
    QString s = QStringLiteral("<hr");
    appendQuoted(s, "size", f.size);
    if (f.alignIndex != 1)
        appendQuoted(s, "align", kRuleAlignments.value(f.alignIndex));
    if (!f.shaded)
        s += QStringLiteral(" noshade "); // the blank after it is part of the markup
    appendQuoted(s, "width", f.width, f.widthPixels ? QString() : QStringLiteral("%"));
    if (f.colour != kSysButtonFace)
        s += QStringLiteral(" color=") + quotedColour(f.colour);
    return s + QLatin1Char('>');
}

QString buildHyperlink(const QString &text, const QString &address, const QString &target,
                       const QString &title)
{
    const QString a = HTMLtext(address);
    const QString t = HTMLtext(text);
    QString s = QStringLiteral("<a href=") + Q + a + Q;
    appendQuoted(s, "target", HTMLtext(target));
    appendQuoted(s, "title", HTMLtext(title));
    return s + QLatin1Char('>') + (t.isEmpty() ? a : t) + QStringLiteral("</a>");
}

QString bookmarkNameDefault(const QString &text)
{
    return HTMLtext(text);
}

QString buildBookmark(const QString &text, const QString &name, const QString &title)
{
    const QString n = HTMLtext(name);
    const QString t = HTMLtext(text);
    QString s = QStringLiteral("<a name=") + Q + n + Q;
    appendQuoted(s, "title", HTMLtext(title));
    return s + QLatin1Char('>') + (t.isEmpty() ? n : t) + QStringLiteral("</a>");
}

QString fileNameFragment(const QString &path)
{
    return Q + QStringLiteral("file://") + path + Q;
}

QString htmlColourFragment(ColourValue colour)
{
    return quotedColour(colour);
}
