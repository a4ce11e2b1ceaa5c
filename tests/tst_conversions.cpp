// The shared conversions: version text, HTML colour text, HTML text, and the
// colour values against Qt's colours.
#include "editor/conversions.h"
#include "support/test_env.h"

#include <QApplication>
#include <QPalette>

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void ver_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("expected");
        QTest::newRow("this release") << 1 << 2 << 7 << "1.02.0007";
        QTest::newRow("two-digit minor") << 1 << 10 << 123 << "1.10.0123";
        QTest::newRow("long minor kept") << 1 << 123 << 4 << "1.123.0004";
        QTest::newRow("zeros") << 2 << 0 << 0 << "2.00.0000";
    }
    void ver()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, expected);
        QCOMPARE(Ver(major, minor, revision), expected);
    }
    void verOfProgram() { QCOMPARE(Ver(), QStringLiteral("1.02.0007")); }

    void vbcol2html_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("expected"); // empty: no result
        QTest::newRow("red") << "255" << "\"#FF0000\"";
        QTest::newRow("green") << "65280" << "\"#00FF00\"";
        QTest::newRow("blue") << "16711680" << "\"#0000FF\"";
        QTest::newRow("black") << "0" << "\"#000000\"";
        QTest::newRow("white") << "16777215" << "\"#FFFFFF\"";
        QTest::newRow("123456") << "1193046" << "\"#563412\"";
        QTest::newRow("zeros before reordering") << "4095" << "\"#FF0F00\"";
        QTest::newRow("leading blank") << " 255" << "\"#FF0000\"";
        QTest::newRow("above range") << "16777216" << "";
        QTest::newRow("negative") << "-1" << "";
        QTest::newRow("system colour") << QString::number(qint32(0x8000000F)) << "";
        QTest::newRow("huge") << "99999999999999999999999" << "";
        QTest::newRow("not a number") << "red" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("hex text") << "0xFF" << "";
        QTest::newRow("infinite") << "inf" << "";
    }
    void vbcol2html()
    {
        QFETCH(QString, in);
        QFETCH(QString, expected);
        const auto result = VBCol2HTML(in);
        if (expected.isEmpty()) {
            QVERIFY2(!result, qPrintable(result.value_or(QString())));
        } else {
            QVERIFY(result);
            QCOMPARE(*result, expected);
        }
    }

    void htmltext_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("expected");
        QTest::newRow("example") << "a<b & \"c\"\r\nd" << "a&lt;b &amp; &quot;c&quot;<br>\r\nd";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("entity escaped again") << "&amp;" << "&amp;amp;";
        QTest::newRow("ends with CR LF") << "x\r\n" << "x<br>\r\n";
        QTest::newRow("lone CR and LF kept") << "a\rb\nc\n\r" << "a\rb\nc\n\r";
        QTest::newRow("CR CR LF") << "\r\r\n" << "\r<br>\r\n";
        QTest::newRow("others kept") << "it's\t\u00e9 \u00a0" << "it's\t\u00e9 \u00a0";
    }
    void htmltext()
    {
        QFETCH(QString, in);
        QFETCH(QString, expected);
        QCOMPARE(HTMLtext(in), expected);
    }

    void colours_data()
    {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red") << 0x0000FFu << QColor(255, 0, 0);
        QTest::newRow("blue") << 0xFF0000u << QColor(0, 0, 255);
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
        pal.setColor(QPalette::Base, QColor(1, 2, 3));
        pal.setColor(QPalette::Button, QColor(4, 5, 6));
        pal.setColor(QPalette::ButtonText, QColor(7, 8, 9));
        pal.setColor(QPalette::Text, QColor(10, 11, 12));
        pal.setColor(QPalette::Window, QColor(13, 14, 15));
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
