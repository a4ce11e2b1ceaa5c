// Start-up with and without a file on the command line, and the exit
// sequence: the unsaved-changes prompt, a save that fails, the preview file
// and the settings.

#include "document_dialogs/new_dialog.h"
#include "editor/settings.h"
#include "editor/startup.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <sys/stat.h>

class TestStartupExit : public QObject {
    Q_OBJECT

    QString dir_ = testenv::root() + "/docs";

private slots:
    void initTestCase() { QDir().mkpath(dir_); }

    void startup_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::addColumn<bool>("opened");
        const QString page = dir_ + "/a b.htm";
        QTest::newRow("no file") << "" << "" << false;
        QTest::newRow("missing file") << dir_ + "/none.htm"
                                      << "Can't open file - '" + dir_ + "/none.htm'." << false;
        QTest::newRow("quoted name: quotes are part of it")
            << "\"" + page + "\"" << "Can't open file - '\"" + page + "\"'." << false;
        QTest::newRow("existing file, spaces in the name") << page << "" << true;
    }
    void startup()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, message);
        QFETCH(bool, opened);
        writeFile(dir_ + "/a b.htm", "<p>a b</p>");
        WindowFixture fx;
        fx.start(commandLine);
        frmHTML &w = *fx.window;
        QCOMPARE(fx.platform.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(fx.platform.messages[0].text, message);
            QCOMPARE(fx.platform.messages[0].title, QString("Open Error"));
            QCOMPARE(fx.platform.messages[0].icon, MsgIcon::Critical);
        }
        QCOMPARE(fx.newDialogShown, opened ? 0 : 1);
        QCOMPARE(w.windowTitle(), opened ? "Velmora - " + commandLine : QString("Velmora - New File"));
        QCOMPARE(w.documentFileName(), opened ? commandLine : QString());
        QCOMPARE(w.HTML->wholeText().startsWith("<html>"), !opened);
        QVERIFY(!w.documentChanged());
        QVERIFY(!w.isLoading());
        QCOMPARE(fileBytes(WindowFixture::previewFile()), w.HTML->wholeText().toUtf8() + "\r\n");
        QCOMPARE(fx.platform.fileRequests.size(), 0);
        // The dialog of a start-up New cannot be cancelled.
        if (!opened)
            QVERIFY(!w.newDialog().cmdCancel->isEnabled());
    }

    // The exit sequence: every answer and the save paths behind Yes.
    void exit_data()
    {
        QTest::addColumn<QString>("document"); // "unchanged", "untitled", "named", "read-only", "failed before"
        QTest::addColumn<int>("answer");       // MsgResult, or -1 for no prompt
        QTest::addColumn<bool>("saveAsOK");    // Save As picks a writable name
        QTest::addColumn<bool>("closes");
        QTest::newRow("unchanged") << "unchanged" << -1 << false << true;
        QTest::newRow("Cancel") << "named" << int(MsgResult::Cancel) << false << false;
        QTest::newRow("No") << "named" << int(MsgResult::No) << false << true;
        QTest::newRow("Yes saves") << "named" << int(MsgResult::Yes) << false << true;
        QTest::newRow("Yes, untitled, Save As cancelled")
            << "untitled" << int(MsgResult::Yes) << false << false;
        QTest::newRow("Yes, read-only, Save As cancelled")
            << "read-only" << int(MsgResult::Yes) << false << false;
        QTest::newRow("Yes after a failed save, now saved")
            << "failed before" << int(MsgResult::Yes) << true << true;
    }
    void exit()
    {
        QFETCH(QString, document);
        QFETCH(int, answer);
        QFETCH(bool, saveAsOK);
        QFETCH(bool, closes);
        const QString file = dir_ + "/exit.htm";
        const QString other = dir_ + "/other.htm";
        QFile::remove(other);
        writeFile(file, "on disk");
        ::chmod(QFile::encodeName(file), document == "read-only" ? 0444 : 0644);
        WindowFixture fx;
        fx.start(document == "untitled" || document == "failed before" ? QString() : file);
        frmHTML &w = *fx.window;
        if (document == "failed before") {
            w.HTML->setSelText("x");
            fx.platform.fileAnswers << std::nullopt;
            w.mnuSave->trigger();
            QCOMPARE(w.saveFailed(), 1);
        }
        if (document != "unchanged")
            w.HTML->setSelText("edit ");
        const QString text = w.HTML->wholeText();
        w.mnuAU->trigger(); // would be written as "True" at exit
        fx.platform.messages.clear();
        if (answer >= 0)
            fx.platform.messageAnswers << MsgResult(answer);
        if (document == "read-only")
            fx.platform.messageAnswers << MsgResult::OK; // the "Save Error" message
        if (answer == int(MsgResult::Yes) && document != "named")
            fx.platform.fileAnswers << (saveAsOK ? std::optional<QString>(other) : std::nullopt);
        auto *dialog = new QDialog(w.centralWidget());
        w.registerDialog(dialog);
        dialog->show();

        QCOMPARE(fx.close(), closes);
        QCOMPARE(w.isVisible(), !closes);
        QCOMPARE(fx.platform.unexpectedCalls, 0);
        if (answer >= 0) {
            QCOMPARE(fx.platform.messages[0].title, QString("File Changed"));
            QCOMPARE(fx.platform.messages[0].icon, MsgIcon::Question);
            QCOMPARE(fx.platform.messages[0].buttons, MsgButtons::YesNoCancel);
        }
        QCOMPARE(QFile::exists(WindowFixture::previewFile()), !closes);
        QCOMPARE(settings::Store().get("Auto-update").value_or(QString()),
                 QString(closes ? "True" : "False"));
        QCOMPARE(dialog->isVisible(), !closes);
        const bool savedHere = answer == int(MsgResult::Yes) && document == "named";
        QCOMPARE(fileBytes(file), savedHere ? text.toUtf8() + "\r\n" : QByteArray("on disk"));
        QCOMPARE(fileBytes(other), saveAsOK ? text.toUtf8() + "\r\n" : QByteArray());
        ::chmod(QFile::encodeName(file), 0644);
    }

    // Without the component the program cannot start: it says what is
    // missing and ends with a failure code.
    void missingComponent()
    {
        const QByteArray registry = qgetenv("VATRO_REGISTRY");
        qputenv("VATRO_REGISTRY", QFile::encodeName(testenv::root() + "/empty-registry.ini"));
        ScriptedPlatform platform;
        platform.messageAnswers << MsgResult::OK;
        int exitCode = 0;
        const auto window = startPagewisp(platform, {}, &exitCode);
        qputenv("VATRO_REGISTRY", registry);
        QVERIFY(!window);
        QVERIFY(exitCode != 0);
        QCOMPARE(platform.messages.size(), 1);
        QVERIFY2(platform.messages[0].text.contains("Vatro"), qPrintable(platform.messages[0].text));
        QCOMPARE(platform.messages[0].icon, MsgIcon::Critical);

        // With the component the window starts, arguments joined by spaces.
        ScriptedPlatform ok;
        ok.messageAnswers << MsgResult::OK; // "Can't open file - '...'."
        WindowFixture::seedSettings();
        int code = 1;
        QTimer poll; // hides the Startup HTML dialog once it shows
        connect(&poll, &QTimer::timeout, [&poll] {
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                d->hide();
                poll.stop();
            }
        });
        poll.start(5);
        const auto started = startPagewisp(ok, {"no", "such", "file"}, &code);
        QVERIFY(started);
        QCOMPARE(code, 0);
        QCOMPARE(ok.messages.value(0).text, QString("Can't open file - 'no such file'."));
    }
};

VELMORA_TEST_MAIN(TestStartupExit)
#include "tst_startup_exit.moc"
