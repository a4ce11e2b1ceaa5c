// The fragments of the text commands and dialogs, byte for byte: the
// styled text, the horizontal rule, the anchors and the inserting
// utilities. (The styles are data, used through frmTag's test.)
#include "support/fields_with.h"
#include "support/test_env.h"
#include "text_dialogs/text_builders.h"

namespace {

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
        row("text: left keeps its capital", buildStyledText(styled([](auto &f) { f.alignIndex = 1; })),
            "<p align=\"Left\"><font>Sample Text</font></p>");
        row("text: everything nested, black and white are colours",
            buildStyledText(styled([](auto &f) {
                f.backColour = 0; f.alignIndex = 3; f.sizeIndex = 7; f.textColour = 0xFFFFFF; f.text = "<\"x\">";
            })),
            "<div style=\"background-color: #000000\"><p align=\"Right\"><font size=\"7\" "
            "color=\"#FFFFFF\">&lt;&quot;x&quot;&gt;</font></p></div>");

        row("rule: percent typed with percent", buildRule(ruleWith([](auto &f) { f.width = "50%"; })), "<hr width=\"50%%\">");
        row("rule: right, values verbatim", buildRule(ruleWith([](auto &f) { f.alignIndex = 2; f.size = " x\""; })),
            "<hr size=\" x\"\" align=\"Right\">");

        row("link: no name, the address is the text", buildHyperlink("", "page.htm", "", ""),
            "<a href=\"page.htm\">page.htm</a>");
        row("link: quotes and a line break", buildHyperlink("a\r\nb", "a\"b", "", "say \"hi\""),
            "<a href=\"a&quot;b\" title=\"say &quot;hi&quot;\">a<br>\r\nb</a>");
        row("bookmark: no text, name", buildBookmark("", "top", ""), "<a name=\"top\">top</a>");
        row("bookmark: title", buildBookmark("Intro", "intro", "Start <here>"),
            "<a name=\"intro\" title=\"Start &lt;here&gt;\">Intro</a>");

        row("file name: the path as given", fileNameFragment("C:\\web\\a.htm"), "\"file://C:\\web\\a.htm\"");
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
