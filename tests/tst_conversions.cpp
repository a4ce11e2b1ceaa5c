// The shared conversions: version text, HTML colour text, HTML text, and the
// colour values against Qt's colours.
#include "core/conversions.h"
#include "support/test_env.h"

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    // One table for the three text conversions; "-" stands for no result.
    void text_data()
    {
        QTest::addColumn<QString>("fn");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *fn, const QString &in, const QString &out) {
            QTest::newRow(name) << QString(fn) << in << out;
        };
        row("Ver: long minor kept", "Ver", "1 123 4", "1.123.0004");
        row("Ver: zeros", "Ver", "2 0 0", "2.00.0000");
        row("colour: white, the top", "VBCol2HTML", "16777215", "\"#FFFFFF\"");
        row("colour: bytes reordered", "VBCol2HTML", "1193046", "\"#563412\"");
        row("colour: zeros before reordering", "VBCol2HTML", "4095", "\"#FF0F00\"");
        row("colour: leading blank", "VBCol2HTML", " 255", "\"#FF0000\"");
        row("colour: above range", "VBCol2HTML", "16777216", "-");
        row("colour: negative (a system colour)", "VBCol2HTML", QString::number(qint32(0x8000000F)), "-");
        row("colour: huge", "VBCol2HTML", "99999999999999999999999", "-");
        row("colour: empty", "VBCol2HTML", "", "-");
        row("colour: hex text", "VBCol2HTML", "0xFF", "-");
        row("text: example", "HTMLtext", "a<b & \"c\"\r\nd", "a&lt;b &amp; &quot;c&quot;<br>\r\nd");
        row("text: entity escaped again", "HTMLtext", "&amp;", "&amp;amp;");
        row("text: lone CR and LF kept", "HTMLtext", "a\rb\nc\n\r", "a\rb\nc\n\r");
        row("text: CR CR LF", "HTMLtext", "\r\r\n", "\r<br>\r\n");
        row("text: others kept", "HTMLtext", "it's\t\u00e9 \u00a0", "it's\t\u00e9 \u00a0");
    }
    void text()
    {
        QFETCH(QString, fn);
        QFETCH(QString, in);
        QFETCH(QString, expected);
        if (fn == "Ver") {
            const QStringList n = in.split(' ');
            QCOMPARE(Ver(n[0].toInt(), n[1].toInt(), n[2].toInt()), expected);
        } else if (fn == "HTMLtext") {
            QCOMPARE(HTMLtext(in), expected);
        } else {
            QCOMPARE(VBCol2HTML(in).value_or("-"), expected);
        }
    }

    void colours_data()
    {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("mixed") << 0x123456u << QColor(0x56, 0x34, 0x12);
        QTest::newRow("window") << uint(kSysWindow) << QColor(1, 2, 3);
        QTest::newRow("button face") << uint(kSysButtonFace) << QColor(4, 5, 6);
        QTest::newRow("button text") << uint(kSysButtonText) << QColor(7, 8, 9);
        QTest::newRow("window text") << 0x80000008u << QColor(10, 11, 12);
        QTest::newRow("unknown index") << 0x80001234u << QColor(13, 14, 15);
    }
    void colours()
    {
        QFETCH(uint, value);
        QFETCH(QColor, expected);
        QPalette pal;
        const QList<QPalette::ColorRole> roles{QPalette::Base, QPalette::Button, QPalette::ButtonText,
                                               QPalette::Text, QPalette::Window};
        for (int i = 0; i < roles.size(); ++i)
            pal.setColor(roles[i], QColor(3 * i + 1, 3 * i + 2, 3 * i + 3));
        QCOMPARE(colourToQColor(value, pal), expected);
        if (!(value & 0x80000000u))
            QCOMPARE(qcolorToColour(expected), ColourValue(value));
    }
    void systemColourFollowsApplicationPalette()
    {
        QCOMPARE(colourToQColor(kSysWindow), QApplication::palette().color(QPalette::Base));
        QCOMPARE(qcolorToColour(QColor::fromHsv(0, 255, 255)), ColourValue(0x0000FF));
    }
};

VELMORA_TEST_MAIN(TestConversions)
#include "tst_conversions.moc"
