// The fragments of the text commands and dialogs, byte for byte: the fixed
// buttons and styles, the styled text, the horizontal rule, the anchors and
// the inserting utilities. Each row builds its fragment; the test compares.
#include "support/test_env.h"
#include "text_dialogs/text_builders.h"

#include <QtTest>

namespace {

constexpr ColourValue kRed = 0x0000FF;
constexpr ColourValue kYellow = 0x00FFFF;

StyledTextFields styled(const std::function<void(StyledTextFields &)> &change)
{
    StyledTextFields f;
    change(f);
    return f;
}

RuleFields ruleWith(const std::function<void(RuleFields &)> &change)
{
    RuleFields f;
    change(f);
    return f;
}

void row(const char *name, const QString &built, const QString &expected)
{
    QTest::newRow(name) << built << expected;
}

} // namespace

class TestTextBuilders : public QObject {
    Q_OBJECT

    static void columns()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");
    }
    static void compare()
    {
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QCOMPARE(built, expected);
    }

private slots:
    // The buttons and styles are data; what is checked is the text each
    // inserts with its action name, and the captions' literal ampersands.
    void tags_data()
    {
        columns();
        const auto tag = [](int i) {
            const FixedTag &t = fixedTags().at(i);
            return t.text + "|" + t.action + "|" + QString(t.caption).replace("&&", "\x01").remove('&').replace('\x01', '&');
        };
        QCOMPARE(fixedTags().size(), 15);
        row("less-than", tag(0), "&lt;|Left Arrow|< (&lt;)");
        row("greater-than", tag(1), "&gt;|Right Arrow|> (&gt;)");
        row("ampersand", tag(2), "&amp;|Ampersand|& (&amp;)");
        row("quote", tag(3), "&quot;|Quote|\" (&quot;)");
        row("blank space", tag(4), "&nbsp;|Blank Space|(Blank space) (&nbsp;)");
        row("open bold", tag(5), "<b>|Open Bold|<b>");
        row("close italic", tag(8), "</i>|Close Italic|</i>");
        row("close underline", tag(10), "</u>|Close Underline|</u>");
        row("open strikethrough", tag(11), "<s>|Open Strikethrough|<s>");
        row("close typewriter", tag(14), "</tt>|Close Typewriter|</tt>");

        QCOMPARE(tagStyles().size(), 14);
        const auto style = [](int i) {
            const TagStyle &s = tagStyles().at(i);
            return styleAction(s.item) + "|" + s.open + "|" + s.close;
        };
        row("formatted", style(0), "Style: Formatted|<pre>|</pre>");
        row("address", style(1), "Style: Address|<address>|</address>");
        row("heading 2", style(3), "Style: Heading 2|<h2>|</h2>");
        row("heading 6", style(7), "Style: Heading 6|<h6>|</h6>");
        row("numbered list", style(8), "Style: Numbered List|<ol>\r\n<li>|</li>\r\n</ol>");
        row("bulleted list", style(9), "Style: Bulleted List|<ul>\r\n<li>|</li>\r\n</ul>");
        row("directory list", style(10), "Style: Directory List|<dir>\r\n<li>|</li>\r\n</dir>");
        row("menu list", style(11), "Style: Menu List|<menu>\r\n<li>|</li>\r\n</menu>");
        row("defined term", style(12), "Style: Defined Term|<dl>\r\n<dt>|</dt>\r\n</dl>");
        row("definition", style(13), "Style: Definition|<dd>|</dd>");
    }
    void tags() { compare(); }

    void styledText_data()
    {
        columns();
        row("all defaults", buildStyledText({}), "<font>Sample Text</font>");
        row("face, size, colour, centred, escaped text",
            buildStyledText(styled([](auto &f) {
                f.fontName = "Arial"; f.sizeIndex = 3; f.textColour = kRed; f.alignIndex = 2; f.text = "Hi & bye";
            })),
            "<p align=\"center\"><font face=\"Arial\" size=\"3\" color=\"#FF0000\">Hi &amp; bye</font></p>");
        row("left keeps its capital", buildStyledText(styled([](auto &f) { f.alignIndex = 1; })),
            "<p align=\"Left\"><font>Sample Text</font></p>");
        row("right", buildStyledText(styled([](auto &f) { f.alignIndex = 3; f.sizeIndex = 7; })),
            "<p align=\"Right\"><font size=\"7\">Sample Text</font></p>");
        row("background only: colour without quotes", buildStyledText(styled([](auto &f) { f.backColour = kYellow; })),
            "<div style=\"background-color: #FFFF00\"><font>Sample Text</font></div>");
        row("everything, nested in order",
            buildStyledText(styled([](auto &f) {
                f.backColour = 0; f.alignIndex = 1; f.fontName = "DejaVu Sans"; f.textColour = 0xFFFFFF;
            })),
            "<div style=\"background-color: #000000\"><p align=\"Left\"><font face=\"DejaVu Sans\" "
            "color=\"#FFFFFF\">Sample Text</font></p></div>");
        row("text colour black is a colour", buildStyledText(styled([](auto &f) { f.textColour = 0; })),
            "<font color=\"#000000\">Sample Text</font>");
        row("empty text", buildStyledText(styled([](auto &f) { f.text.clear(); })), "<font></font>");
        row("markup characters become entities", buildStyledText(styled([](auto &f) { f.text = "<a href=\"x\">"; })),
            "<font>&lt;a href=&quot;x&quot;&gt;</font>");
    }
    void styledText() { compare(); }

    void rule_data()
    {
        columns();
        row("all defaults", buildRule({}), "<hr>");
        row("unshaded: the blank before >", buildRule(ruleWith([](auto &f) { f.shaded = false; })), "<hr noshade >");
        row("full: two blanks after noshade",
            buildRule(ruleWith([](auto &f) {
                f.size = "2"; f.alignIndex = 0; f.shaded = false; f.width = "50"; f.colour = kRed;
            })),
            "<hr size=\"2\" align=\"Left\" noshade  width=\"50%\" color=\"#FF0000\">");
        row("pixels: no percent sign", buildRule(ruleWith([](auto &f) { f.width = "300"; f.widthPixels = true; })),
            "<hr width=\"300\">");
        row("percent typed with percent", buildRule(ruleWith([](auto &f) { f.width = "50%"; })), "<hr width=\"50%%\">");
        row("right, values verbatim", buildRule(ruleWith([](auto &f) { f.alignIndex = 2; f.size = " x\""; })),
            "<hr size=\" x\"\" align=\"Right\">");
        row("default colour writes nothing", buildRule(ruleWith([](auto &f) { f.colour = kSysButtonFace; })), "<hr>");
    }
    void rule() { compare(); }

    // Values as typed or selected; the builders escape them.
    void anchors_data()
    {
        columns();
        row("hyperlink: name and escaped address", buildHyperlink("Home", "page.htm?x=1&y=2", "", ""),
            "<a href=\"page.htm?x=1&amp;y=2\">Home</a>");
        row("hyperlink: no name, the address is the text", buildHyperlink("", "page.htm", "", ""),
            "<a href=\"page.htm\">page.htm</a>");
        row("hyperlink: target and title", buildHyperlink("", "page.htm", "_blank", "Go"),
            "<a href=\"page.htm\" target=\"_blank\" title=\"Go\">page.htm</a>");
        row("hyperlink: selected text escaped", buildHyperlink("Click <here>", "http://", "", ""),
            "<a href=\"http://\">Click &lt;here&gt;</a>");
        row("hyperlink: title only", buildHyperlink("x", "a.htm", "", "T"), "<a href=\"a.htm\" title=\"T\">x</a>");
        row("hyperlink: quote in a value", buildHyperlink("", "a\"b", "", "say \"hi\""),
            "<a href=\"a&quot;b\" title=\"say &quot;hi&quot;\">a&quot;b</a>");
        row("hyperlink: selection over lines", buildHyperlink("a\r\nb", "x", "", ""), "<a href=\"x\">a<br>\r\nb</a>");
        row("bookmark: no text, name", buildBookmark("", "top", ""), "<a name=\"top\">top</a>");
        row("bookmark: the default accepted is escaped twice",
            buildBookmark("A & B", bookmarkNameDefault("A & B"), ""), "<a name=\"A &amp;amp; B\">A &amp; B</a>");
        row("bookmark: title", buildBookmark("Intro", "intro", "Start <here>"),
            "<a name=\"intro\" title=\"Start &lt;here&gt;\">Intro</a>");
    }
    void anchors() { compare(); }

    void utilities_data()
    {
        columns();
        row("file name: the path as given", fileNameFragment("C:\\web\\a.htm"), "\"file://C:\\web\\a.htm\"");
        row("file name: a Linux path gives three slashes", fileNameFragment("/home/u/a b.htm"),
            "\"file:///home/u/a b.htm\"");
        row("colour: pure red, quotes included", htmlColourFragment(kRed), "\"#FF0000\"");
        row("colour: bytes in red, green, blue order", htmlColourFragment(0x123456), "\"#563412\"");
    }
    void utilities() { compare(); }
};

VELMORA_TEST_MAIN(TestTextBuilders)
#include "tst_text_builders.moc"
