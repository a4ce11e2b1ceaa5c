// The fragments of the text commands and dialogs, byte for byte: the
// styled text, the horizontal rule, the anchors and the inserting
// utilities. (The styles are data, used through frmTag's test.)
#include "support/test_env.h"
#include "text_dialogs/text_builders.h"

namespace {

constexpr ColourValue kRed = 0x0000FF;
constexpr ColourValue kYellow = 0x00FFFF;

template <typename Fields>
Fields with(const std::function<void(Fields &)> &change)
{
    Fields f;
    change(f);
    return f;
}
const auto styled = with<StyledTextFields>;
const auto ruleWith = with<RuleFields>;

void row(const char *name, const QString &built, const QString &expected)
{
    QTest::newRow(name) << built << expected;
}

} // namespace

class TestTextBuilders : public QObject {
    Q_OBJECT
private slots:
    // Each row builds its fragment; values as typed or selected.
    void fragments_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");

        row("text: all defaults", buildStyledText({}), "<font>Sample Text</font>");
        row("text: face, size, colour, centred, escaped",
            buildStyledText(styled([](auto &f) {
                f.fontName = "Arial"; f.sizeIndex = 3; f.textColour = kRed; f.alignIndex = 2; f.text = "Hi & bye";
            })),
            "<p align=\"center\"><font face=\"Arial\" size=\"3\" color=\"#FF0000\">Hi &amp; bye</font></p>");
        row("text: left keeps its capital", buildStyledText(styled([](auto &f) { f.alignIndex = 1; })),
            "<p align=\"Left\"><font>Sample Text</font></p>");
        row("text: background colour without quotes", buildStyledText(styled([](auto &f) { f.backColour = kYellow; })),
            "<div style=\"background-color: #FFFF00\"><font>Sample Text</font></div>");
        row("text: everything nested, black and white are colours",
            buildStyledText(styled([](auto &f) {
                f.backColour = 0; f.alignIndex = 3; f.sizeIndex = 7; f.textColour = 0xFFFFFF; f.text = "<\"x\">";
            })),
            "<div style=\"background-color: #000000\"><p align=\"Right\"><font size=\"7\" "
            "color=\"#FFFFFF\">&lt;&quot;x&quot;&gt;</font></p></div>");
        row("text: empty", buildStyledText(styled([](auto &f) { f.text.clear(); })), "<font></font>");

        row("rule: all defaults", buildRule({}), "<hr>");
        row("rule: unshaded, the blank before >", buildRule(ruleWith([](auto &f) { f.shaded = false; })), "<hr noshade >");
        row("rule: full, two blanks after noshade",
            buildRule(ruleWith([](auto &f) {
                f.size = "2"; f.alignIndex = 0; f.shaded = false; f.width = "50"; f.colour = kRed;
            })),
            "<hr size=\"2\" align=\"Left\" noshade  width=\"50%\" color=\"#FF0000\">");
        row("rule: pixels, no percent sign", buildRule(ruleWith([](auto &f) { f.width = "300"; f.widthPixels = true; })),
            "<hr width=\"300\">");
        row("rule: percent typed with percent", buildRule(ruleWith([](auto &f) { f.width = "50%"; })), "<hr width=\"50%%\">");
        row("rule: right, values verbatim", buildRule(ruleWith([](auto &f) { f.alignIndex = 2; f.size = " x\""; })),
            "<hr size=\" x\"\" align=\"Right\">");

        row("link: name and escaped address", buildHyperlink("Home", "page.htm?x=1&y=2", "", ""),
            "<a href=\"page.htm?x=1&amp;y=2\">Home</a>");
        row("link: no name, the address is the text", buildHyperlink("", "page.htm", "", ""),
            "<a href=\"page.htm\">page.htm</a>");
        row("link: target and title", buildHyperlink("", "page.htm", "_blank", "Go"),
            "<a href=\"page.htm\" target=\"_blank\" title=\"Go\">page.htm</a>");
        row("link: quotes and a line break", buildHyperlink("a\r\nb", "a\"b", "", "say \"hi\""),
            "<a href=\"a&quot;b\" title=\"say &quot;hi&quot;\">a<br>\r\nb</a>");
        row("bookmark: no text, name", buildBookmark("", "top", ""), "<a name=\"top\">top</a>");
        row("bookmark: the default accepted is escaped twice",
            buildBookmark("A & B", bookmarkNameDefault("A & B"), ""), "<a name=\"A &amp;amp; B\">A &amp; B</a>");
        row("bookmark: title", buildBookmark("Intro", "intro", "Start <here>"),
            "<a name=\"intro\" title=\"Start &lt;here&gt;\">Intro</a>");

        row("file name: the path as given", fileNameFragment("C:\\web\\a.htm"), "\"file://C:\\web\\a.htm\"");
        row("file name: a Linux path, three slashes", fileNameFragment("/home/u/a b.htm"), "\"file:///home/u/a b.htm\"");
        row("colour: pure red, quotes included", htmlColourFragment(kRed), "\"#FF0000\"");
    }
    void fragments()
    {
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QCOMPARE(built, expected);
    }
};

VELMORA_TEST_MAIN(TestTextBuilders)
#include "tst_text_builders.moc"
