// The page of the "Startup HTML" dialog, built from field values.

#include "document_dialogs/new_page_builder.h"
#include "support/test_env.h"

#include <QApplication>

Q_DECLARE_METATYPE(NewPageFields)

namespace {

// Lines joined and each ended by CR LF.
QString page(const QStringList &lines)
{
    QString s;
    for (const QString &line : lines)
        s += line + QStringLiteral("\r\n");
    return s;
}

const QString kMeta =
    QStringLiteral("<meta name=\"generator\" content=\"Velmora 1.02.0007 by Fendro Vatro 2000\">");

// The default page with the given head lines after the title and body tag.
QString pageWith(const QStringList &afterTitle, const QString &body,
                 const QString &title = QStringLiteral("<title>Title goes here</title>"))
{
    QStringList lines{QStringLiteral("<html>"), QStringLiteral("<head>"), kMeta, title};
    lines += afterTitle;
    lines += QStringList{QStringLiteral("</head>"), QString(), body,
                         QStringLiteral("Page content goes here"), QStringLiteral("</body>"),
                         QStringLiteral("</html>")};
    return page(lines);
}

} // namespace

class TestNewPageBuilder : public QObject {
    Q_OBJECT
private slots:
    void pages_data();
    void pages();
    void soundLoopMessage_data();
    void soundLoopMessage();
    void versionText();
};

void TestNewPageBuilder::pages_data()
{
    QTest::addColumn<NewPageFields>("fields");
    QTest::addColumn<QString>("expected");

    const NewPageFields def;
    QTest::newRow("initial values: the ten lines")
        << def
        << page({"<html>", "<head>", kMeta, "<title>Title goes here</title>", "</head>", "",
                 "<body>", "Page content goes here", "</body>", "</html>"});

    NewPageFields all;
    all.styleSheet = "s.css";
    all.base = "/docs/";
    all.target = "main";
    all.sound = "file://C:\\a.mid";
    all.playContinuously = true;
    all.image = "file://C:\\b.gif";
    all.watermark = true;
    all.backColour = 0xFFFFFF;
    all.textColour = 0;
    all.linkColour = 0xFF0000;
    all.visitedColour = 0x800080;
    all.activeColour = 0x0000FF;
    all.marginTop = "0";
    all.marginLeft = "0";
    QTest::newRow("every field filled")
        << all
        << page({"<html>", "<head>", kMeta,
                 "<link rel=\"stylesheet\" href=\"s.css\" type=\"text/css\">",
                 "<title>Title goes here</title>", "<base href=\"/docs/\" target=\"main\">",
                 "<bgsound src=\"file://C:\\a.mid\" loop=\"infinite\">", "</head>", "",
                 "<body background=\"file://C:\\b.gif\" bgcolor=\"#FFFFFF\" text=\"#000000\" "
                 "link=\"#0000FF\" vlink=\"#800080\" alink=\"#FF0000\" bgproperties=\"fixed\" "
                 "topmargin=\"0\" leftmargin=\"0\">",
                 "Page content goes here", "</body>", "</html>"});

    NewPageFields escaped;
    escaped.title = "A & <B>";
    escaped.startText = "A & <B>";
    QTest::newRow("title escaped, start text as typed")
        << escaped
        << page({"<html>", "<head>", kMeta, "<title>A &amp; &lt;B&gt;</title>", "</head>", "",
                 "<body>", "A & <B>", "</body>", "</html>"});

    NewPageFields empties;
    empties.title.clear();
    empties.startText.clear();
    QTest::newRow("empty title and start text")
        << empties
        << page({"<html>", "<head>", kMeta, "<title></title>", "</head>", "", "<body>", "",
                 "</body>", "</html>"});

    NewPageFields target;
    target.target = "main";
    QTest::newRow("target without base") << target << pageWith({"<base target=\"main\">"}, "<body>");
    NewPageFields base;
    base.base = " ";
    QTest::newRow("base of one blank") << base << pageWith({"<base href=\" \">"}, "<body>");

    NewPageFields infinite;
    infinite.sound = "a.wav";
    infinite.playContinuously = true;
    infinite.loop.clear();
    QTest::newRow("sound played continuously, loop box empty")
        << infinite << pageWith({"<bgsound src=\"a.wav\" loop=\"infinite\">"}, "<body>");
    NewPageFields three;
    three.sound = "a.wav";
    three.loop = "3";
    QTest::newRow("sound looped three times")
        << three << pageWith({"<bgsound src=\"a.wav\" loop=\"3\">"}, "<body>");
    NewPageFields noSound;
    noSound.loop.clear();
    QTest::newRow("no sound, loop box empty") << noSound << pageWith({}, "<body>");
    NewPageFields baseAndSound;
    baseAndSound.base = "b/";
    baseAndSound.sound = "s";
    baseAndSound.styleSheet = "c";
    QTest::newRow("style sheet before the title, base and sound after")
        << baseAndSound
        << page({"<html>", "<head>", kMeta, "<link rel=\"stylesheet\" href=\"c\" type=\"text/css\">",
                 "<title>Title goes here</title>", "<base href=\"b/\">",
                 "<bgsound src=\"s\" loop=\"1\">", "</head>", "", "<body>",
                 "Page content goes here", "</body>", "</html>"});

    NewPageFields waterOnly;
    waterOnly.watermark = true;
    QTest::newRow("watermark without image") << waterOnly << pageWith({}, "<body>");
    NewPageFields water;
    water.watermark = true;
    water.image = "i.gif";
    water.marginLeft = "5";
    QTest::newRow("watermark with image, left margin")
        << water
        << pageWith({}, "<body background=\"i.gif\" bgproperties=\"fixed\" leftmargin=\"5\">");

    NewPageFields someColours;
    someColours.activeColour = 0x123456;
    someColours.textColour = 0x000FFF;
    QTest::newRow("colours in fixed order, the others omitted")
        << someColours << pageWith({}, "<body text=\"#FF0F00\" alink=\"#563412\">");
    NewPageFields sysColour;
    sysColour.backColour = 0x8000000F;
    sysColour.linkColour = 0xFF;
    QTest::newRow("a system colour adds no attribute")
        << sysColour << pageWith({}, "<body link=\"#FF0000\">");
}

void TestNewPageBuilder::pages()
{
    QFETCH(NewPageFields, fields);
    QFETCH(QString, expected);
    const NewPageResult result = buildNewPage(fields, QStringLiteral("1.02.0007"));
    QVERIFY(!result.message);
    QCOMPARE(result.page, expected);
}

void TestNewPageBuilder::soundLoopMessage_data()
{
    QTest::addColumn<QString>("sound");
    QTest::addColumn<QString>("loop");
    QTest::addColumn<bool>("stops");

    QTest::newRow("sound, loop empty") << "x.wav" << "" << true;
    QTest::newRow("sound of one blank, loop empty") << " " << "" << true;
    QTest::newRow("sound, loop of one blank") << "x.wav" << " " << false;
    QTest::newRow("no sound, loop empty") << "" << "" << false;
}

void TestNewPageBuilder::soundLoopMessage()
{
    QFETCH(QString, sound);
    QFETCH(QString, loop);
    QFETCH(bool, stops);
    NewPageFields fields;
    fields.sound = sound;
    fields.loop = loop;
    const NewPageResult result = buildNewPage(fields, QStringLiteral("1.02.0007"));
    QCOMPARE(bool(result.message), stops);
    if (stops) {
        QCOMPARE(*result.message,
                 (BuilderMessage{"Please enter a value in the sound loop text box", "Sound Loop"}));
        QVERIFY(result.page.isEmpty());
    } else {
        QVERIFY(result.page.endsWith("</html>\r\n"));
    }
}

void TestNewPageBuilder::versionText()
{
    const NewPageResult result = buildNewPage(NewPageFields(), QStringLiteral("9.99.0123"));
    QVERIFY(result.page.contains(
        "<meta name=\"generator\" content=\"Velmora 9.99.0123 by Fendro Vatro 2000\">\r\n"));
}

VELMORA_TEST_MAIN(TestNewPageBuilder)
#include "tst_new_page_builder.moc"
