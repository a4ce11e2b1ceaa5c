// Settings: the text forms of the values, the load step's reading order with
// its stop at the first bad value, and the store as the main window uses it
// on a first run, a second run and a run with a bad value.

#include "editor/settings.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QFontDatabase>

#include <QDir>
#include <QMap>

Q_DECLARE_METATYPE(std::optional<bool>)

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void boolean_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1 fails, 0 false, 1 true
        QTest::newRow("True") << "True" << 1;
        QTest::newRow("False") << "False" << 0;
        QTest::newRow("any case") << "tRUE" << 1;
        QTest::newRow("blanks around") << " false " << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("minus one") << "-1" << 1;
        QTest::newRow("fraction") << "0.5" << 1;
        QTest::newRow("zero fraction") << "0.0" << 0;
        QTest::newRow("hex") << "&H10" << 1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("yes") << "yes" << -1;
        QTest::newRow("trailing garbage") << "1x" << -1;
        QTest::newRow("infinity") << "inf" << -1;
    }
    void boolean()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const std::optional<bool> b = settings::toBoolean(text);
        QCOMPARE(b.has_value(), expected >= 0);
        if (b)
            QCOMPARE(int(*b), expected);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("singleOk");
        QTest::addColumn<float>("single");
        QTest::addColumn<bool>("longOk");
        QTest::addColumn<qint32>("lng");
        QTest::newRow("eight") << "8" << true << 8.0f << true << 8;
        QTest::newRow("ten and a half") << "10.5" << true << 10.5f << true << 10;
        QTest::newRow("eleven and a half rounds to even") << "11.5" << true << 11.5f << true << 12;
        QTest::newRow("signed colour") << "-2147483633" << true << -2147483633.0f << true
                                       << qint32(0x8000000F);
        QTest::newRow("above 32 bits") << "4294967295" << true << 4294967295.0f << false << 0;
        QTest::newRow("single overflow") << "1e39" << false << 0.0f << false << 0;
        QTest::newRow("not a number") << "Arial" << false << 0.0f << false << 0;
        QTest::newRow("empty") << "" << false << 0.0f << false << 0;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, singleOk);
        QFETCH(float, single);
        QFETCH(bool, longOk);
        QFETCH(qint32, lng);
        const auto s = settings::toSingle(text);
        QCOMPARE(s.has_value(), singleOk);
        if (s)
            QCOMPARE(*s, single);
        const auto l = settings::toLong(text);
        QCOMPARE(l.has_value(), longOk);
        if (l)
            QCOMPARE(*l, lng);
    }

    // The load step reads every key in its order and stops at the first bad
    // one; what was read before it is kept.
    void readOrder_data()
    {
        QTest::addColumn<QStringList>("store"); // key=value pairs
        QTest::addColumn<int>("readCount");
        QTest::addColumn<QString>("failedKey");
        const QStringList full = {"Auto-update=True", "Pos1=False", "Pos2=False", "Pos3=True",
                                  "Pos4=False"};
        QTest::newRow("first run: Auto-update has no default") << QStringList{} << 3
                                                               << "Auto-update";
        QTest::newRow("booleans only; the rest defaults") << full << int(settings::RegGetStepCount)
                                                          << "";
        QTest::newRow("missing Pos4") << full.mid(0, 4) << 7 << "Pos4";
        QTest::newRow("bad font size")
            << (full + QStringList{"FontName=Mono", "FontSize=big"}) << 9 << "FontSize";
        QTest::newRow("bad back colour")
            << (full + QStringList{"BackColour=4294967295"}) << int(settings::BackColourStep)
            << "BackColour";
        QTest::newRow("bad boolean word") << (QStringList{"Auto-update=Yes"}) << 3 << "Auto-update";
    }
    void readOrder()
    {
        QFETCH(QStringList, store);
        QFETCH(int, readCount);
        QFETCH(QString, failedKey);
        QMap<QString, QString> map;
        for (const QString &kv : store)
            map.insert(kv.section('=', 0, 0), kv.section('=', 1));
        settings::Defaults d;
        d.tempDir = "/t";
        d.browser = "b %HTML%";
        d.browserStartIn = "/home";
        d.fontName = "Mono";
        d.fontSize = 10.5f;
        const settings::RegGetResult r = settings::readInOrder(
            [&map](const QString &k) -> std::optional<QString> {
                if (map.contains(k))
                    return map.value(k);
                return std::nullopt;
            },
            d);
        QCOMPARE(int(r.values.size()), readCount);
        QCOMPARE(r.failed, !failedKey.isEmpty());
        QCOMPARE(r.failedKey, failedKey);
        for (int i = 0; i < readCount; ++i)
            QCOMPARE(r.values[size_t(i)].index, i);
        if (readCount > settings::TempDirStep)
            QCOMPARE(r.values[0].value.toString(), map.value("TempDir", "/t"));
        if (readCount > settings::Pos1Step + 2)
            QCOMPARE(r.values[settings::Pos1Step + 2].value.toBool(), true);
        if (readCount == settings::RegGetStepCount) {
            QCOMPARE(r.values[settings::EditorFontStep].value.toString(), QString("Mono"));
            QCOMPARE(r.values[settings::EditorFontStep + 1].value.toFloat(), 10.5f);
            QCOMPARE(r.values[settings::BackColourStep].value.value<qint32>(), 16777215);
            QCOMPARE(r.values[settings::FontDialogStep].key, QString("FontName"));
        }
    }

    void exitValues()
    {
        const bool pos[4] = {false, false, false, true};
        FontChoice f;
        f.name = "DejaVu Sans Mono";
        f.size = 10.5;
        f.italic = true;
        f.colour = 0x0000FF;
        const auto v = settings::exitValues(true, pos, f, 0x80000005u);
        QStringList lines;
        for (const auto &[k, val] : v)
            lines << k + "=" + val;
        QCOMPARE(lines, (QStringList{"Auto-update=True", "Pos1=False", "Pos2=False", "Pos3=False",
                                      "Pos4=True", "FontName=DejaVu Sans Mono", "FontSize=10.5",
                                      "FontBold=False", "FontItalic=True", "FontStrikethru=False",
                                      "FontUnderline=False", "ForeColour=255",
                                      "BackColour=-2147483643"}));
    }

    void storeLocation()
    {
        settings::Store store;
        store.set({{"Browser", "a, b %HTML%"}, {"Auto-update", "True"}});
        QVERIFY(settings::Store::fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")
                                                       + "/Fendro Vatro/"));
        QCOMPARE(store.get("Browser").value_or(QString()), QString("a, b %HTML%"));
        QCOMPARE(store.get("Auto-update").value_or(QString()), QString("True"));
        QVERIFY(!store.get("Pos1"));
        QFile f(settings::Store::fileName());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("[Velmora]"));
        QFile::remove(settings::Store::fileName());
    }

    // First run: the message once, the creation state, and a clean second run.
    void firstAndSecondRun()
    {
        WindowFixture::clearSettings();
        {
            WindowFixture fx;
            fx.start(QString(), false);
            frmHTML &w = *fx.window;
            QCOMPARE(fx.platform.messages.size(), 1);
            const auto &m = fx.platform.messages[0];
            QCOMPARE(m.title, QString("Registry Settings Error"));
            QCOMPARE(m.text, QString("There was a problem when getting the registry settings for "
                                     "this program.  This could be because this is the first time "
                                     "that you are running the program.  This will be corrected "
                                     "when the program exits."));
            QCOMPARE(m.icon, MsgIcon::Exclamation);
            QCOMPARE(m.buttons, MsgButtons::OK);
            QVERIFY(!w.mnuAU->isChecked());
            QVERIFY(w.mnuPos1->isChecked());
            QVERIFY(!w.mnuPos2->isChecked() && !w.mnuPos3->isChecked() && !w.mnuPos4->isChecked());
            QCOMPARE(w.tempDir(), qEnvironmentVariable("TEMP"));
            QCOMPARE(w.locations().browser, QString("xdg-open %HTML%"));
            QCOMPARE(w.locations().browserStartIn, QDir::homePath());
            QCOMPARE(w.ctlFont.font.name,
                     QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
            QVERIFY(fx.close());
        }
        settings::Store store;
        for (const char *key : {"Auto-update", "Pos1", "Pos4", "FontName", "FontSize",
                                "ForeColour", "BackColour"})
            QVERIFY2(store.get(key), key);
        // The locations are not written at exit.
        QVERIFY(!store.get("TempDir") && !store.get("Browser") && !store.get("BrowserSI"));
        WindowFixture second;
        second.start(QString(), false);
        QCOMPARE(second.platform.messages.size(), 0);
    }

    // Every key written at exit comes back at the next start.
    void roundTrip()
    {
        FontChoice f;
        f.name = "DejaVu Serif";
        f.size = 10.5;
        f.bold = true;
        f.italic = true;
        f.strikethrough = true;
        f.underline = true;
        f.colour = 0x123456;
        {
            WindowFixture fx;
            fx.start();
            frmHTML &w = *fx.window;
            w.mnuPos3->trigger();
            w.mnuAU->trigger();
            w.ctlFont.font = f;
            w.HTML->setBackColour(0x00FFEEDD);
            QVERIFY(fx.close());
        }
        QCOMPARE(settings::Store().get("FontSize").value_or(QString()), QString("10.5"));
        WindowFixture fx;
        fx.start(QString(), false);
        frmHTML &w = *fx.window;
        QCOMPARE(fx.platform.messages.size(), 0);
        QVERIFY(w.mnuAU->isChecked());
        QVERIFY(w.mnuPos3->isChecked() && !w.mnuPos1->isChecked());
        QCOMPARE(w.ctlFont.font, f);
        QCOMPARE(w.HTML->selFormat(), f);
        QCOMPARE(w.HTML->backColour(), ColourValue(0x00FFEEDD));

        // A system colour goes out as a negative number and comes back.
        w.HTML->setBackColour(0x80000005u);
        QVERIFY(fx.close());
        QCOMPARE(settings::Store().get("BackColour").value_or(QString()), QString("-2147483643"));
    }

    // A bad value ends the load step: what came before it applies, what
    // comes after keeps the creation state.
    void stopsAtBadValue()
    {
        WindowFixture fx;
        WindowFixture::seedSettings({"Auto-update=1", "Pos2=true", "Pos1=0", "FontName=DejaVu Serif",
                                     "FontSize=twelve", "BackColour=255"});
        fx.start(QString(), false);
        frmHTML &w = *fx.window;
        QCOMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(fx.platform.messages[0].title, QString("Registry Settings Error"));
        QVERIFY(w.mnuAU->isChecked());
        QVERIFY(w.mnuPos2->isChecked() && !w.mnuPos1->isChecked());
        QCOMPARE(w.ctlFont.font.name, QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
        QCOMPARE(w.HTML->backColour(), ColourValue(0x80000005u));
    }
};

VELMORA_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
