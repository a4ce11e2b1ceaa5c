// Start-up with and without a file on the command line or the component, and
// the exit sequence: the unsaved-changes prompt, a save that fails, the
// preview file and the open dialogs.

#include "document_dialogs/new_dialog.h"
#include "core/command_line.h"
#include "editor/startup.h"
#include "text_dialogs/tag_dialog.h"
#include "support/test_env.h"
#include "editor/dialog_registry.h"
#include "support/window_fixture.h"

class TestStartupExit : public QObject {
    Q_OBJECT

    QString dir_ = testenv::root() + "/docs";
    QString page_ = dir_ + "/ä b.htm"; // reaches the component's existence test intact

private slots:
    void initTestCase()
    {
        QDir().mkpath(dir_);
        writeFile(page_, "<p>a b</p>");
    }

    // `outcome`: "opened", "new page" (the dialog shown) or "unnamed" (left
    // empty); a file that cannot be read never names the document, so Save
    // asks for a name instead of overwriting it.
    void startup_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("message"); // the "Open Error" text, or empty
        QTest::addColumn<QString>("outcome");
        QTest::newRow("no file") << "" << "" << "new page";
        QTest::newRow("missing file") << dir_ + "/none.htm" << "Can't open file - '" + dir_ + "/none.htm'." << "new page";
        QTest::newRow("quoted name: quotes are part of it")
            << "\"" + page_ + "\"" << "Can't open file - '\"" + page_ + "\"'." << "new page";
        // "[*]" would otherwise be taken for Qt's modified mark and vanish.
        QTest::newRow("caption shows the name as written") << dir_ + "/<i>a[*].htm" << "" << "opened";
        QTest::newRow("read error") << "/proc/self/mem" << "Can't open file: /proc/self/mem" << "unnamed";
    }
    void startup()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, message);
        QFETCH(QString, outcome);
        writeFile(dir_ + "/<i>a[*].htm", "x");
        WindowFixture fx;
        frmHTML &w = fx.start(commandLine);
        const bool opened = outcome == "opened", newPage = outcome == "new page";
        QCOMPARE(messageLine(fx.platform, 0), message.isEmpty() ? "|None|OK|" : "Open Error|Critical|OK|" + message);
        QCOMPARE(fx.platform.messages.size(), int(!message.isEmpty()));
        QCOMPARE(fx.newDialogShown, int(newPage));
        QCOMPARE(w.windowHandle()->title(), "Velmora - " + (opened ? commandLine : "New File"));
        QCOMPARE(w.document().fileName(), opened ? commandLine : QString());
        QVERIFY(!w.document().isChanged() && !w.document().isLoading());
        // The dialog of a start-up New cannot be cancelled.
        QVERIFY(!newPage || !w.findChild<frmNew *>()->cmdCancel->isEnabled());
    }

    // The exit sequence: every answer and the save paths behind Yes (a save
    // that fails in a read-only file is the New command's row).
    void exit_data()
    {
        QTest::addColumn<QString>("document"); // "unchanged", "untitled", "named", "failed before"
        QTest::addColumn<int>("answer");       // MsgResult, or -1 for no prompt
        QTest::addColumn<bool>("closes");      // when the document is saved, through Save As if asked
        QTest::newRow("unchanged") << "unchanged" << -1 << true;
        QTest::newRow("No") << "named" << int(MsgResult::No) << true;
        QTest::newRow("Yes, untitled, Save As cancelled") << "untitled" << int(MsgResult::Yes) << false;
        QTest::newRow("Yes after a failed save, now saved") << "failed before" << int(MsgResult::Yes) << true;
    }
    void exit()
    {
        QFETCH(QString, document);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        const QString file = dir_ + "/exit.htm", other = dir_ + "/other.htm";
        QFile::remove(other);
        writeFile(file, "on disk");
        WindowFixture fx;
        frmHTML &w = fx.start(document == "untitled" || document == "failed before" ? QString() : file);
        if (document == "failed before") {
            w.HTML()->setSelText("x");
            fx.platform.fileAnswers << std::nullopt;
            w.menu().mnuSave->trigger(); // the save fails: saveChain checks the flag
        }
        if (document != "unchanged")
            w.HTML()->setSelText("edit ");
        const QString text = w.HTML()->wholeText();
        fx.platform.messages.clear();
        if (answer >= 0)
            fx.platform.messageAnswers << MsgResult(answer);
        const bool saveAs = answer == int(MsgResult::Yes);
        if (saveAs)
            fx.platform.fileAnswers << (closes ? std::optional<QString>(other) : std::nullopt);
        w.menu().mnuST->trigger(); // a dialog of the run, shown modeless
        QDialog *dialog = w.findChild<frmTag *>();

        QCOMPARE(w.close(), closes);
        QCOMPARE(dialog->isVisible(), !closes);
        QCOMPARE(fx.platform.unexpectedCalls, 0);
        if (answer >= 0)
            QVERIFY(messageLine(fx.platform, 0).startsWith("File Changed|Question|YesNoCancel|"));
        QCOMPARE(QFile::exists(w.preview().previewFile()), !closes);
        QCOMPARE(fileBytes(file), QByteArray("on disk"));
        QCOMPARE(fileBytes(other), saveAs && closes ? text.toUtf8() + "\r\n" : QByteArray());
    }

    // Without the component (here a library without the entry point; the
    // other reasons are the component's registration tests) the program says
    // what is missing and ends with a failure code; with it, the window opens
    // the arguments joined by spaces, a relative path taken in the folder the
    // program started in.
    void component_data()
    {
        QTest::addColumn<QByteArray>("registry"); // null: the test's own, where the component is registered
        QTest::addColumn<QString>("named");       // in the message; empty: the window opens
        const QByteArray section = "[CLSID\\{4C7BC103-7DA9-11D3-B327-000021C5C8A9}]\nInprocServer32=";
        Dl_info qt{};
        dladdr(reinterpret_cast<void *>(&qVersion), &qt);
        QTest::newRow("no entry point: Qt's core library") << section + qt.dli_fname << "no entry point DllGetClassObject";
        QTest::newRow("registered") << QByteArray() << "";
    }
    void component()
    {
        QFETCH(QByteArray, registry);
        QFETCH(QString, named);
        const QByteArray saved = qgetenv("VATRO_REGISTRY");
        if (!registry.isNull()) {
            writeFile(dir_ + "/registry.ini", registry);
            qputenv("VATRO_REGISTRY", QFile::encodeName(dir_ + "/registry.ini"));
        }
        WindowFixture::seedSettings();
        ScriptedPlatform platform;
        platform.messageAnswers << MsgResult::OK;
        int exitCode = -1;
        const QString startFolder = QDir::currentPath();
        QDir::setCurrent(dir_);
        const auto started = startPagewisp(platform, {"ä", "b.htm"}, &exitCode);
        QDir::setCurrent(startFolder);
        qputenv("VATRO_REGISTRY", saved);
        QCOMPARE(exitCode != 0, !named.isEmpty());
        QCOMPARE(started ? started->document().fileName() : QString(), named.isEmpty() ? page_ : QString());
        QCOMPARE(platform.messages.size(), int(!named.isEmpty()));
        const QString text = platform.messages.value(0).text;
        QVERIFY2(named.isEmpty() || (text.contains("VatroOCX.Vatro") && text.contains(named)), qPrintable(text));
        QCOMPARE(platform.messages.value(0).icon, named.isEmpty() ? MsgIcon::None : MsgIcon::Critical);
    }

    // The command line: Qt's own options are taken out unless they name a
    // file that is there; "--" ends the options; anything else that looks
    // like an option is unknown. `left` is what Qt left ("-": same as given).
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("files"); // joined by "|"; "?x": x is unknown
        QTest::addColumn<QString>("information"); // pattern of the first line --help/--version print
        const QStringList same{"-"};
        QTest::newRow("Qt's option naming a file") << QStringList{"-reverse", "a b.htm"} << QStringList{"a b.htm"} << "-reverse|a b.htm" << "";
        QTest::newRow("Qt's option and value") << QStringList{"-platform", "offscreen", "x.htm"} << QStringList{"x.htm"} << "x.htm" << "";
        QTest::newRow("unknown option") << QStringList{"-x", "a.htm"} << same << "a.htm?-x" << "";
        QTest::newRow("file named like an option") << QStringList{"-reverse"} << same << "-reverse" << "";
        QTest::newRow("after --") << QStringList{"--", "--version", "-y"} << same << "--version|-y" << "";
        QTest::newRow("a lone dash is a name") << QStringList{"-"} << same << "-" << "";
        QTest::newRow("--help") << QStringList{"a.htm", "--help"} << same << "a.htm?--help" << "^Usage: Pagewisp \\[OPTION\\]";
        QTest::newRow("-h") << QStringList{"-h"} << same << "?-h" << "^Usage: Pagewisp \\[OPTION\\]";
        QTest::newRow("--version") << QStringList{"--version"} << same << "?--version" << "^Pagewisp \\(Velmora\\) \\d+\\.\\d+\\.\\d+$";
    }
    void commandLine()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, left);
        QFETCH(QString, information);
        QDir::setCurrent(dir_);
        QFile("-reverse").open(QIODevice::WriteOnly);
        const CommandLine line = parseCommandLine(given, left == QStringList{"-"} ? given : left);
        QTEST(line.files.join('|') + (line.unknown.isEmpty() ? "" : "?" + line.unknown), "files");
        const QString printed = informationRequest(given).value_or(QString()).section('\n', 0, 0);
        QVERIFY2(information.isEmpty() ? printed.isEmpty() : QRegularExpression(information).match(printed).hasMatch(),
                 qPrintable(printed));
    }
};

VELMORA_TEST_MAIN(TestStartupExit)
#include "tst_startup_exit.moc"
