// The page of the "Startup HTML" dialog, built from field values.

#include "document_dialogs/new_page_builder.h"
#include "support/test_env.h"

using Edit = std::function<void(NewPageFields &)>;
Q_DECLARE_METATYPE(Edit)

namespace {

const char *const kTitle = "<title>Title goes here</title>\n";

// The page around the given head lines (from the title line on) and body tag;
// "\n" stands for CR LF.
QString page(const QString &head, const QString &body, const QString &text = "Page content goes here")
{
    return QString("<html>\n<head>\n<meta name=\"generator\" content=\"Velmora 9.99.0123 by Fendro Vatro 2000\">\n"
                   + head + "</head>\n\n" + body + "\n" + text + "\n</body>\n</html>\n")
        .replace("\n", "\r\n");
}

} // namespace

class TestNewPageBuilder : public QObject {
    Q_OBJECT
private slots:
    void pages_data();
    void pages();
};

void TestNewPageBuilder::pages_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("expected"); // empty: the sound loop message stops the build
    using F = NewPageFields;

    QTest::newRow("initial values: the ten lines") << Edit([](F &) {}) << page(kTitle, "<body>");
    QTest::newRow("every field filled")
        << Edit([](F &f) {
               f.styleSheet = "s.css", f.base = "/docs/", f.target = "main";
               f.sound = "file://C:\\a.mid", f.playContinuously = true;
               f.image = "file://C:\\b.gif", f.watermark = true;
               f.backColour = 0xFFFFFF, f.textColour = 0, f.linkColour = 0xFF0000;
               f.visitedColour = 0x800080, f.activeColour = 0x0000FF;
               f.marginTop = "0", f.marginLeft = "0";
           })
        << page(QStringLiteral("<link rel=\"stylesheet\" href=\"s.css\" type=\"text/css\">\n") + kTitle
                    + "<base href=\"/docs/\" target=\"main\">\n<bgsound src=\"file://C:\\a.mid\" loop=\"infinite\">\n",
                "<body background=\"file://C:\\b.gif\" bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" "
                "vlink=\"#800080\" alink=\"#FF0000\" bgproperties=\"fixed\" topmargin=\"0\" leftmargin=\"0\">");
    QTest::newRow("title escaped, start text as typed")
        << Edit([](F &f) { f.title = f.startText = "A & <B>"; })
        << page("<title>A &amp; &lt;B&gt;</title>\n", "<body>", "A & <B>");
    QTest::newRow("target without base")
        << Edit([](F &f) { f.target = "main"; }) << page(kTitle + QString("<base target=\"main\">\n"), "<body>");
    QTest::newRow("base of one blank")
        << Edit([](F &f) { f.base = " "; }) << page(kTitle + QString("<base href=\" \">\n"), "<body>");
    QTest::newRow("sound, loop as typed") << Edit([](F &f) { f.sound = "a.wav", f.loop = " "; })
        << page(kTitle + QString("<bgsound src=\"a.wav\" loop=\" \">\n"), "<body>");
    QTest::newRow("sound of one blank, loop empty: message") << Edit([](F &f) { f.sound = " ", f.loop = ""; }) << "";
    QTest::newRow("no sound, loop box empty") << Edit([](F &f) { f.loop = ""; }) << page(kTitle, "<body>");
    QTest::newRow("watermark without image") << Edit([](F &f) { f.watermark = true; }) << page(kTitle, "<body>");
    QTest::newRow("a system colour adds no attribute, nor do unset ones")
        << Edit([](F &f) { f.backColour = 0x8000000F, f.textColour = 0x000FFF, f.activeColour = 0x123456; })
        << page(kTitle, "<body text=\"#FF0F00\" alink=\"#563412\">");
}

void TestNewPageBuilder::pages()
{
    QFETCH(Edit, edit);
    QFETCH(QString, expected);
    NewPageFields fields;
    edit(fields);
    const BuilderResult result = buildNewPage(fields, QStringLiteral("9.99.0123"));
    if (expected.isEmpty())
        QCOMPARE(result.message.value_or(BuilderMessage()),
                 (BuilderMessage{"Please enter a value in the sound loop text box", "Sound Loop"}));
    else
        QCOMPARE(result.html, expected);
}

VELMORA_TEST_MAIN(TestNewPageBuilder)
#include "tst_new_page_builder.moc"
