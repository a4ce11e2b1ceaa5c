// Settings: the text forms of the values, the load step's reading order with
// its stop at the first bad value, and the store as the main window uses it
// on a first run, a second run, a round trip and a run with a bad value.

#include "core/settings.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

template <class T> static QVariant orNull(const std::optional<T> &v)
{
    return v ? QVariant::fromValue(*v) : QVariant();
}

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    // Each text through one conversion; a null expectation means it fails.
    void conversions_data()
    {
        QTest::addColumn<QString>("to"); // "Boolean", "Single" or "Long"
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("expected");
        const QVariant fails;
        const auto row = [](const char *to, const char *text, const QVariant &v) {
            QTest::addRow("%s %s", to, text) << to << text << v;
        };
        // The three share one number reader: its failures are shown once.
        row("Boolean", "tRUE", true), row("Boolean", " false ", false), row("Boolean", "0", false);
        row("Boolean", "0.5", true), row("Boolean", "&H10", true);
        row("Boolean", "", fails), row("Boolean", "yes", fails), row("Boolean", "1x", fails), row("Boolean", "inf", fails);
        row("Single", "10.5", 10.5f), row("Single", "-2147483633", -2147483633.0f), row("Single", "1e39", fails);
        row("Long", "10.5", 10), row("Long", "11.5", 12), row("Long", "Arial", fails);
        row("Long", "-2147483633", qint32(0x8000000F)), row("Long", "4294967295", fails);
        row("Single", "+.5e3", 500.0f), row("Single", "5.", 5.0f), row("Single", ".", fails), row("Single", "1e", fails);
        row("Long", "&hff", 255), row("Long", "&HFFFFFFFF", -1), row("Long", "&O17", 15), row("Long", "&O19", fails);
        row("Long", "&H", fails), row("Long", "&H123456789012", fails), row("Long", "&X1", fails), row("Long", "1.5.2", fails);
    }
    void conversions()
    {
        QFETCH(QString, to);
        QFETCH(QString, text);
        QFETCH(QVariant, expected);
        const QVariant got = to == "Boolean" ? orNull(settings::toBoolean(text))
                             : to == "Single" ? orNull(settings::toSingle(text))
                                              : orNull(settings::toLong(text));
        QCOMPARE(got, expected);
    }

    // The load step reads every key in its order and stops at the first bad
    // one; what was read before it is kept. (The window tests show what is
    // applied.)
    void readOrder_data()
    {
        QTest::addColumn<QStringList>("store"); // key=value pairs
        QTest::addColumn<int>("readCount");
        QTest::addColumn<QString>("failedKey");
        const QStringList full = {"Auto-update=True", "Pos1=False", "Pos2=False", "Pos3=True", "Pos4=False"};
        QTest::newRow("first run: Auto-update has no default") << QStringList{} << 3 << "Auto-update";
        QTest::newRow("booleans only; the rest defaults") << full << 23 << "";
        QTest::newRow("missing Pos4") << full.mid(0, 4) << 7 << "Pos4";
        QTest::newRow("bad back colour") << (full + QStringList{"BackColour=4294967295"})
                                         << 15 << "BackColour";
        QTest::newRow("font size no font can have") << (full + QStringList{"FontName=Mono", "FontSize=99999999"})
                                                    << 9 << "FontSize";
    }
    void readOrder()
    {
        QFETCH(QStringList, store);
        QFETCH(int, readCount);
        QFETCH(QString, failedKey);
        QMap<QString, QString> map;
        for (const QString &kv : store)
            map.insert(kv.section('=', 0, 0), kv.section('=', 1));
        const settings::Defaults d{"/t", "b %HTML%", "/home", "Mono", 10.5f};
        const settings::RegGetResult r = settings::readInOrder(
            [&map](const QString &k) { return map.contains(k) ? std::optional(map[k]) : std::nullopt; }, d);
        QCOMPARE(int(r.values.size()), readCount);
        QCOMPARE(r.failedKey, failedKey); // the flag beside it raises the message: firstRunAndRoundTrip
        if (readCount == 23) { // the defaults of the missing keys: FontSize, BackColour
            QCOMPARE(r.values[9].value.toFloat(), 10.5f);
            QCOMPARE(r.values[15].value.value<qint32>(), 0x00FFFFFF);
        }
    }

    // First run: the message once and the creation state. The exit writes
    // every key in its text form (the locations are not written), and the
    // second run is clean and gets them all back. A store that cannot be
    // written says where and why.
    void firstRunAndRoundTrip()
    {
        const QString file = settings::Store::fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file)); // a folder in the settings file's place
        const std::optional<QString> error = settings::Store().set({{"Pos1", "True"}});
        QDir(file).removeRecursively();
        QVERIFY(error && error->contains(file) && error->endsWith("a folder is in its place."));
        const FontChoice f{"DejaVu Serif", 10.5, true, true, true, true, 0x123456};
        {
            WindowFixture fx;
            frmHTML &w = fx.start(QString(), false);
            QCOMPARE(fx.platform.messages.size(), 1);
            QCOMPARE(messageLine(fx.platform, 0),
                     QString("Registry Settings Error|Exclamation|OK|There was a problem when getting "
                             "the registry settings for this program.  This could be because this is "
                             "the first time that you are running the program.  This will be "
                             "corrected when the program exits."));
            QVERIFY(!w.menu().mnuAU->isChecked() && w.menu().mnuPos1->isChecked() && !w.menu().mnuPos4->isChecked());
            const LocationValues l = w.preview().locations();
            QCOMPARE(QStringList({l.tempDir, l.browser, l.browserStartIn, w.ctlFont().font.name}),
                     QStringList({qEnvironmentVariable("TEMP"), "xdg-open %HTML%", QDir::homePath(),
                                  QFontDatabase::systemFont(QFontDatabase::FixedFont).family()}));
            w.menu().mnuPos3->trigger();
            w.menu().mnuAU->trigger();
            w.ctlFont().font = f;
            w.HTML()->setBackColour(0x8000000Fu); // a system colour: negative
            QVERIFY(w.close());
        }
        const QStringList written = {"Auto-update=True", "Pos1=False", "Pos2=False", "Pos3=True",
                                     "Pos4=False", "FontName=DejaVu Serif", "FontSize=10.5",
                                     "FontBold=True", "FontItalic=True", "FontStrikethru=True",
                                     "FontUnderline=True", "ForeColour=1193046",
                                     "BackColour=-2147483633", "TempDir=(none)", "Browser=(none)",
                                     "BrowserSI=(none)"};
        QStringList stored;
        for (const QString &kv : written) {
            const QString key = kv.section('=', 0, 0);
            stored << key + "=" + settings::Store().get(key).value_or("(none)");
        }
        QCOMPARE(stored, written);

        WindowFixture fx;
        frmHTML &w = fx.start(QString(), false);
        QCOMPARE(fx.platform.messages.size(), 0);
        QVERIFY(w.menu().mnuAU->isChecked() && w.menu().mnuPos3->isChecked() && !w.menu().mnuPos1->isChecked());
        QCOMPARE(w.HTML()->selFormat(), f);
        QCOMPARE(w.HTML()->backColour(), ColourValue(0x8000000Fu));
    }

    // A store of random bytes: the message once; the exit writes good
    // settings (without a word of failure) and keeps the bad file beside.
    // Reads in one go see the writes made meanwhile, and the file as it
    // is when the batch begins.
    void readBatch()
    {
        QFile::remove(settings::Store::fileName());
        settings::Store store;
        QVERIFY(!store.set({{"Browser", "first"}}));
        settings::ReadBatch batch;
        QCOMPARE(store.get("Browser"), std::optional<QString>("first"));
        QVERIFY(!store.set({{"Browser", "second"}, {"BrowserSI", "/x"}}));
        QCOMPARE(store.get("Browser"), std::optional<QString>("second"));
        QCOMPARE(store.get("BrowserSI"), std::optional<QString>("/x"));
        QCOMPARE(store.get("TempDir"), std::nullopt);
    }

    void unreadableStore()
    {
        QByteArray junk(4096, 0);
        QRandomGenerator rng(7);
        for (char &c : junk)
            c = char(rng.generate());
        QDir().mkpath(QFileInfo(settings::Store::fileName()).path());
        writeFile(settings::Store::fileName(), junk);
        for (int run = 0; run < 2; ++run) {
            WindowFixture fx;
            QVERIFY(fx.start(QString(), false).close());
            QCOMPARE(fx.platform.messages.size(), 1 - run);
        }
        QCOMPARE(fileBytes(settings::Store::fileName() + ".bad"), junk);
    }

    // A bad value ends the load step: what came before it applies, what
    // comes after keeps the creation state.
    void stopsAtBadValue()
    {
        WindowFixture::seedSettings({"Auto-update=1", "Pos2=true", "Pos1=0", "FontName=DejaVu Serif",
                                     "FontSize=twelve", "BackColour=255"});
        WindowFixture fx;
        frmHTML &w = fx.start(QString(), false);
        QCOMPARE(fx.platform.messages.size(), 1);
        QVERIFY(w.menu().mnuAU->isChecked() && w.menu().mnuPos2->isChecked() && !w.menu().mnuPos1->isChecked());
        QCOMPARE(w.ctlFont().font.name, QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
        QCOMPARE(w.HTML()->backColour(), ColourValue(0x80000005u));
    }
};

VELMORA_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
