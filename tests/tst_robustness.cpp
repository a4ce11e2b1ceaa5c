// Faults of a careless environment or a hostile user, one row each: what the
// editor must do instead of hanging, crashing or staying silent.

#include "core/document_file.h"
#include "core/settings.h"
#include "widgets/browser_pane.h"
#include "editor/startup.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using Setup = std::function<QString(const QString &dir)>; // makes the file, returns its path
Q_DECLARE_METATYPE(Setup)

class TestRobustness : public QObject {
    Q_OBJECT
    WindowFixture fx;
    frmHTML *w = nullptr;
    QTemporaryDir dir_;

    void open(const QString &path)
    {
        fx.platform = ScriptedPlatform();
        if (w->documentChanged())
            fx.platform.messageAnswers << MsgResult::No;
        fx.platform.fileAnswers << path;
        w->menu().mnuOpen->trigger();
        QCOMPARE(w->documentFileName(), path);
    }

private slots:
    void initTestCase()
    {
        w = &fx.start();
    }

    // Open refuses what it cannot hold or read, with a message, and keeps
    // the document; a FIFO does not hang it.
    void openRefuses_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("message"); // the start of the message; %1 the path
        QTest::newRow("FIFO without a writer") << Setup([](const QString &d) {
            const QString p = d + "/pipe.htm";
            ::mkfifo(QFile::encodeName(p).constData(), 0600);
            return p;
        }) << "The file '%1' could not be found."; // not a file to the existence test
        QTest::newRow("folder") << Setup([](const QString &d) {
            QDir(d).mkdir("folder.htm");
            return d + "/folder.htm";
        }) << "The file '%1' could not be found.";
        QTest::newRow("larger than can be held") << Setup([](const QString &d) {
            const QString p = d + "/huge.htm";
            QFile f(p);
            f.open(QIODevice::WriteOnly);
            f.resize(maxDocumentBytes() + 1); // sparse: no disk used
            return p;
        }) << "The file '%1' is too large to open";
        QTest::newRow("read error after opening") << Setup([](const QString &) {
            return QStringLiteral("/proc/self/mem");
        }) << "Can't open file: %1";
    }
    void openRefuses()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, message);
        const QString path = setup(dir_.path());
        w->HTML()->setWholeText("kept");
        fx.platform = ScriptedPlatform();
        fx.platform.fileAnswers << path;
        fx.platform.messageAnswers << MsgResult::No << MsgResult::OK; // not saved; the refusal
        w->menu().mnuOpen->trigger();
        QVERIFY2(fx.platform.messages.value(1).text.startsWith(message.arg(path)),
                 qPrintable(fx.platform.messages.value(1).text));
        QCOMPARE(fx.platform.unexpectedCalls, 0);
        QCOMPARE(w->HTML()->wholeText(), QStringLiteral("kept"));
        QVERIFY(w->documentFileName() != path);
        QVERIFY(!w->isLoading());
    }

    // A FIFO or another user's file where the preview file goes is refused
    // without waiting and told once, not at every keystroke; Update tells it
    // again.
    void previewPathRefusedOnce()
    {
        const QString preview = w->previewFile();
        QFile::remove(preview);
        QVERIFY(::mkfifo(QFile::encodeName(preview).constData(), 0600) == 0);
        fx.platform = ScriptedPlatform();
        fx.platform.messageAnswers << MsgResult::OK << MsgResult::OK;
        // The locations dialog each message offers is counted, not shown.
        disconnect(&w->preview(), &Preview::locationsWanted, nullptr, nullptr);
        QSignalSpy offered(&w->preview(), &Preview::locationsWanted);
        if (!w->menu().mnuAU->isChecked())
            w->menu().mnuAU->trigger();
        for (const char *key : {"a", "b", "c"}) {
            QTest::keyClicks(w->HTML(), key);
            QTest::qWait(100); // every key on an idle page
        }
        QCOMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(offered.size(), 1);
        QVERIFY2(fx.platform.messages[0].text.endsWith(preview + ": No such device or address"), qPrintable(fx.platform.messages[0].text));
        w->menu().mnuUpdate->trigger();
        QCOMPARE(fx.platform.messages.size(), 2);
        QVERIFY(QFileInfo(preview).isFile() == false); // the FIFO is left as it was
        QFile::remove(preview);
        w->menu().mnuAU->trigger();
    }

    // A file-size limit makes Save fail with a message; the program lives on.
    void fileSizeLimitIsAWriteFailure()
    {
        const QString path = dir_.filePath("limited.htm");
        rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1024;
        w->HTML()->setWholeText(QString(4096, 'x'));
        fx.platform = ScriptedPlatform();
        fx.platform.fileAnswers << path << std::nullopt;
        fx.platform.messageAnswers << MsgResult::OK;
        ::setrlimit(RLIMIT_FSIZE, &small);
        w->menu().mnuSaveAs->trigger();
        ::setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(fx.platform.messages.value(0).text.contains(", 27\r\n"));
        QCOMPARE(fx.platform.messages[0].title, QStringLiteral("Save Error"));
    }

    // Save writes over only the file as it was opened: a change by another
    // program, or a link put in its place, is asked about; a link is never
    // followed into another file; a Latin-1 file is not filled with "?".
    void saveAsks_data()
    {
        QTest::addColumn<QString>("change"); // what happens to the file after it was opened
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("saved"); // the file afterwards
        const QByteArray euro = QString::fromUtf8("x\xe2\x82\xac").toUtf8();
        QTest::newRow("appended elsewhere, kept") << "append" << QByteArray("old") << int(MsgResult::No) << QByteArray("old+");
        QTest::newRow("appended elsewhere, saved over") << "append" << QByteArray("old") << int(MsgResult::Yes) << QByteArray("new\r\n");
        QTest::newRow("replaced by a link, saved over") << "link" << QByteArray("old") << int(MsgResult::Yes) << QByteArray("new\r\n");
        QTest::newRow("latin-1, euro typed, cancelled") << "euro" << QByteArray("caf\xe9") << int(MsgResult::No) << QByteArray("caf\xe9");
        QTest::newRow("latin-1, euro typed, as UTF-8") << "euro" << QByteArray("caf\xe9") << int(MsgResult::Yes) << euro + "\r\n";
    }
    void saveAsks()
    {
        QFETCH(QString, change);
        QFETCH(QByteArray, original);
        QFETCH(int, answer);
        QFETCH(QByteArray, saved);
        const QString path = dir_.filePath(QStringLiteral("asked-%1.htm").arg(QTest::currentDataTag()));
        const QString other = dir_.filePath("other.txt");
        writeFile(path, original);
        writeFile(other, "someone else's");
        open(path);
        if (change == "append") {
            QFile f(path);
            f.open(QIODevice::Append);
            f.write("+");
        } else if (change == "link") {
            QFile::remove(path);
            QFile::link(other, path);
        }
        w->HTML()->setWholeText(change == "euro" ? QString::fromUtf8("x\xe2\x82\xac") : QStringLiteral("new"));
        fx.platform = ScriptedPlatform();
        fx.platform.messageAnswers << MsgResult(answer);
        w->menu().mnuSave->trigger();
        QCOMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(fx.platform.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(fileBytes(path), saved);
        QCOMPARE(QFileInfo(path).isSymLink(), false);
        QCOMPARE(fileBytes(other), QByteArray("someone else's"));
        QCOMPARE(w->saveFailed(), answer == int(MsgResult::No) ? 1 : 0);
        QCOMPARE(fx.platform.unexpectedCalls, 0);
    }

    // Settings that cannot be written at exit: one message saying where and
    // why. A font size no font can have is a bad value like any other.
    void settingsFaults()
    {
        const QString file = settings::Store::fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file)); // a folder in the settings file's place
        const std::optional<QString> error = settings::Store().set({{"Pos1", "True"}});
        QDir(file).removeRecursively();
        QVERIFY(error && error->contains(file) && error->endsWith("a folder is in its place."));
        QCOMPARE(settings::readSnapshot([](const QString &key) -> std::optional<QString> {
                     return key == "FontSize" ? "99999999" : key.startsWith("Pos") || key == "Auto-update" ? "False" : std::optional<QString>();
                 }, settings::Defaults{"/tmp", "b", "s", "Mono", 10}).failedKey, QStringLiteral("FontSize"));
    }

    void qtOptionsThatNameFiles()
    {
        QDir::setCurrent(dir_.path());
        QFile("-reverse").open(QIODevice::WriteOnly);
        QCOMPARE(fileArguments({"-reverse", "a b.htm"}, {"a b.htm"}), QStringList({"-reverse", "a b.htm"}));
        QCOMPARE(fileArguments({"-platform", "offscreen", "x.htm"}, {"x.htm"}), QStringList{"x.htm"});
    }

    // A key on an idle page is written at once; keys that come while that
    // page loads only mark it stale, and one write follows the load, so the
    // file ends up holding the final text.
    void burstCoalesces()
    {
        if (!w->menu().mnuAU->isChecked())
            w->menu().mnuAU->trigger();
        w->HTML()->setWholeText(QString());
        QTRY_VERIFY(!w->Browser()->isBusy());
        QTest::keyClicks(w->HTML(), QStringLiteral("0"));
        QCOMPARE(fileBytes(w->previewFile()), QByteArray("0\r\n"));
        QTest::keyClicks(w->HTML(), QStringLiteral("123456789"));
        QCOMPARE(fileBytes(w->previewFile()), QByteArray("0\r\n"));
        QTRY_COMPARE(fileBytes(w->previewFile()), QByteArray("0123456789\r\n"));
    }
};

VELMORA_TEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
