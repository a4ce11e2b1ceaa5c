// The image, marquee and script fragments, byte for byte, and the messages
// that stop the image and the marquee.
#include "media_dialogs/image_builder.h"
#include "media_dialogs/marquee_builder.h"
#include "media_dialogs/script_builder.h"
#include "support/fields_with.h"
#include "support/test_env.h"

Q_DECLARE_METATYPE(ImageFields)
Q_DECLARE_METATYPE(MarqueeFields)
Q_DECLARE_METATYPE(ScriptFields)
Q_DECLARE_METATYPE(std::optional<double>)

namespace {

const auto imageWith = with<ImageFields>;
const auto marqueeWith = with<MarqueeFields>;

const QString kDefaultMarquee = QStringLiteral("<marquee>Marquee</marquee>");

} // namespace

class TestMediaBuilders : public QObject {
    Q_OBJECT
private slots:
    void image_data()
    {
        QTest::addColumn<ImageFields>("fields");
        QTest::addColumn<QString>("fragment"); // empty when the message is expected

        QTest::newRow("blank source counts") << imageWith([](auto &f) { f.image = " "; }) << "<img src=\" \">";
        QTest::newRow("no source: message") << imageWith([](auto &f) {
            f.link = "p"; f.low = "l"; f.alt = "a"; f.border = "1"; f.width = "9";
        }) << QString();
        QTest::newRow("target without link: no anchor") << imageWith([](auto &f) { f.image = "x"; f.target = "_top"; })
            << "<img src=\"x\">";
        QTest::newRow("link without target") << imageWith([](auto &f) { f.image = "x"; f.link = "p.htm"; })
            << "<a href=\"p.htm\"><img src=\"x\"></a>";
        QTest::newRow("quotes and markup kept") << imageWith([](auto &f) { f.image = "a\"b"; f.alt = "<&> "; })
            << "<img src=\"a\"b\" alt=\"<&> \">";
    }
    void image()
    {
        QFETCH(ImageFields, fields);
        QFETCH(QString, fragment);
        const BuilderResult built = buildImage(fields);
        QCOMPARE(built.html, fragment);
        QCOMPARE(built.message.value_or(BuilderMessage()),
                 fragment.isEmpty() ? (BuilderMessage{"You must enter an image location as the minumum for this form.", "Insert Image"}) : BuilderMessage());
    }

    void marquee_data()
    {
        QTest::addColumn<MarqueeFields>("fields");
        QTest::addColumn<QString>("fragment"); // empty when the message is expected

        QTest::newRow("pixels \"06\", delay \"090\" read as 6 and 90")
            << marqueeWith([](auto &f) { f.pixels = "06"; f.delay = "090"; }) << kDefaultMarquee;
        QTest::newRow("no number: written as typed") << marqueeWith([](auto &f) { f.pixels = "fast"; f.delay = " "; })
            << "<marquee scrollamount=\"fast\" scrolldelay=\" \">Marquee</marquee>";
        QTest::newRow("huge number: written as typed") << marqueeWith([](auto &f) { f.pixels = "1e999"; })
            << "<marquee scrollamount=\"1e999\">Marquee</marquee>";
        QTest::newRow("repeat without a count: message") << marqueeWith([](auto &f) { f.repeat = true; }) << QString();
        QTest::newRow("count kept while continuous: no loop") << marqueeWith([](auto &f) { f.repeatCount = "3"; })
            << kDefaultMarquee;
        QTest::newRow("text escaped, attributes not") << marqueeWith([](auto &f) {
            f.text = "a<b>&\"c\""; f.width = "<&\">";
        }) << "<marquee width=\"<&\">\">a&lt;b&gt;&amp;&quot;c&quot;</marquee>";
        QTest::newRow("every attribute in its order") << marqueeWith([](auto &f) {
            f.width = "5"; f.delay = "4"; f.pixels = "3"; f.repeat = true; f.repeatCount = "2"; f.height = "1";
            f.right = true; f.background = 0; f.behaveIndex = 1; f.alignIndex = 0; f.text = "";
        }) << "<marquee align=\"Top\" behavior=\"Slide\" bgcolor=\"#000000\" direction=\"right\" height=\"1\" "
              "loop=\"2\" scrollamount=\"3\" scrolldelay=\"4\" width=\"5\"></marquee>";
    }
    void marquee()
    {
        QFETCH(MarqueeFields, fields);
        QFETCH(QString, fragment);
        const BuilderResult built = buildMarquee(fields);
        QCOMPARE(built.html, fragment);
        QCOMPARE(built.message.value_or(BuilderMessage()),
                 fragment.isEmpty() ? (BuilderMessage{"If you want the marquee to loop a number of times, then you must put a value in the repeat textbox", "Insert Marquee"}) : BuilderMessage());
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("number");
        const std::optional<double> none;
        QTest::newRow("blanks anywhere") << " 6 0\t" << std::optional(60.0);
        QTest::newRow("stops at a letter") << "12px3" << std::optional(12.0);
        QTest::newRow("point first, D exponent") << "-.5D1" << std::optional(-5.0);
        QTest::newRow("exponent without digits") << "6e+" << std::optional(6.0);
        QTest::newRow("hex") << "&h5A" << std::optional(90.0);
        QTest::newRow("octal stops at 8") << "&O128" << std::optional(10.0);
        QTest::newRow("letters") << "abc" << none;
        QTest::newRow("sign and point alone") << "-." << none;
        QTest::newRow("ampersand without base") << "&6" << none;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, number);
        QCOMPARE(::leadingNumber(text), number);
    }

    void script_data()
    {
        QTest::addColumn<ScriptFields>("fields");
        QTest::addColumn<QString>("fragment");
        const auto js = ScriptLanguage::JavaScript;
        const auto vbs = ScriptLanguage::VBScript;
        const auto other = ScriptLanguage::Other;
        const auto make = [](ScriptLanguage language, const QString &script, bool server = false,
                             const QString &name = QString()) {
            return ScriptFields{script, language, server, name};
        };
        QTest::newRow("VBScript") << make(vbs, "x=1") << "<script language=\"VBScript\"><!--\r\nx=1\r\n--></script>";
        QTest::newRow("other, no name") << make(other, "x=1") << "<script language=\"JavaScript\">x=1</script>";
        QTest::newRow("server tick ignored for JavaScript") << make(js, "a", true)
            << "<script language=\"JavaScript\"><!--\r\na\r\n// --></script>";
        QTest::newRow("name escaped, script not") << make(other, "a<b && c", false, "<&>")
            << "<script language=\"&lt;&amp;&gt;\">a<b && c</script>";
    }
    void script()
    {
        QFETCH(ScriptFields, fields);
        QFETCH(QString, fragment);
        QCOMPARE(buildScript(fields), fragment);
    }
};

VELMORA_TEST_MAIN(TestMediaBuilders)
#include "tst_media_builders.moc"
