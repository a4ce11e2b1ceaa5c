// Ending without the user: a termination signal to the real program runs
// the exit sequence (its preview file deleted); unsaved text is kept in a
// private recovery file all along, and the next start offers it back as a
// changed document under its old name, never one of an editor still running.

#include "core/state_folder.h"
#include "editor/recovery_keeper.h"
#include "editor/session_guard.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

static QStringList recoveryFiles()
{
    return QDir(stateFolder()).entryList({"unsaved-??????"}, QDir::Files | QDir::System);
}

class TestSessionGuard : public QObject {
    Q_OBJECT

    QString doc_ = testenv::root() + "/page.htm";

private slots:
    void init()
    {
        WindowFixture::seedSettings();
        writeFile(doc_, "<p>hi</p>");
        QFile::remove(WindowFixture::previewFile());
        QDir(stateFolder()).removeRecursively();
    }

    // Each signal (kill, a closed terminal, Ctrl+C) ends the program through
    // the exit sequence; with nothing unsaved there is nothing to recover.
    // The start is quiet: nothing of the web engine's on standard error.
    void signalRunsTheExitSequence_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("limited"); // a file-size limit of one byte: every write fails
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("SIGHUP") << SIGHUP << false;
        QTest::newRow("SIGINT") << SIGINT << false;
        QTest::newRow("SIGTERM, started under a file-size limit") << SIGTERM << true;
    }
    void signalRunsTheExitSequence()
    {
        QFETCH(int, signal);
        QFETCH(bool, limited);
        QProcess program; // on the test's own platform, offscreen under ctest
        program.setChildProcessModifier([limited] {
            std::signal(SIGXFSZ, SIG_DFL); // as a shell starts it
            const rlimit one{1, RLIM_INFINITY};
            if (limited)
                ::setrlimit(RLIMIT_FSIZE, &one);
        });
        program.start(VELMORA_PROGRAM, {doc_});
        QVERIFY(program.waitForStarted());
        // Start-up is over once the first refresh wrote the preview file.
        QVERIFY(waitUntil([] { return QFile::exists(WindowFixture::previewFile()); }, 60000));
        ::kill(pid_t(program.processId()), signal);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 128 + signal);
        const QByteArray said = program.readAllStandardError();
        QVERIFY2(!said.contains("qt.webenginecontext") && !said.contains("Sandboxing"), said.constData());
        QVERIFY(!QFile::exists(WindowFixture::previewFile()));
        QCOMPARE(recoveryFiles(), QStringList());
    }

    // The end of the session: with interaction the usual question, whose
    // Cancel keeps the session going; without, the text is kept. Either way
    // that ends it runs the exit sequence, and the window then closes
    // without asking again.
    void sessionEnd_data()
    {
        QTest::addColumn<bool>("mayAsk");
        QTest::addColumn<int>("answer"); // MsgResult, -1: no question
        QTest::addColumn<bool>("ends");
        QTest::newRow("no interaction: the text is kept") << false << -1 << true;
        QTest::newRow("asked, No") << true << int(MsgResult::No) << true;
        QTest::newRow("asked, Cancel: the session goes on") << true << int(MsgResult::Cancel) << false;
    }
    void sessionEnd()
    {
        QFETCH(bool, mayAsk);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        WindowFixture fx;
        frmHTML &w = fx.start(doc_);
        auto *guard = new SessionGuard(w);
        w.HTML()->setSelText("x");
        if (answer >= 0)
            fx.platform.messageAnswers << MsgResult(answer);
        QCOMPARE(guard->endSession(mayAsk), ends);
        QCOMPARE(QFile::exists(WindowFixture::previewFile()), !ends);
        QCOMPARE(recoveryFiles().size(), int(!mayAsk));
        if (!ends)
            fx.platform.messageAnswers << MsgResult::Cancel;
        QCOMPARE(w.close(), ends);
        QCOMPARE(fx.platform.messages.size(), int(answer >= 0) + int(!ends));
    }

    // Typing that never pauses is kept within kLatestMs all the same; a
    // second editor neither offers nor deletes the file, a save deletes it.
    // A state folder that cannot be made is said once, in the status bar,
    // and the note goes with the next good write.
    void keptWhileTyping()
    {
        const QByteArray state = qgetenv("XDG_STATE_HOME");
        WindowFixture fx;
        frmHTML &w = fx.start(doc_);
        auto *guard = new SessionGuard(w);
        qputenv("XDG_STATE_HOME", QFile::encodeName(doc_)); // a file: no folder in it
        w.HTML()->setSelText("a");
        QTRY_VERIFY(w.statusBar()->isVisible());
        w.HTML()->setSelText("b");
        QTest::qWait(RecoveryKeeper::kIdleMs + 200);
        QVERIFY(w.statusBar()->currentMessage() == guard->keeper().note() && fx.platform.messages.isEmpty());
        qputenv("XDG_STATE_HOME", state);
        QTimer typing;
        QObject::connect(&typing, &QTimer::timeout, [&] { w.HTML()->setSelText("c"); });
        typing.start(RecoveryKeeper::kIdleMs / 4);
        QTRY_VERIFY_WITH_TIMEOUT(recoveryFiles().size() == 1 && !w.statusBar()->isVisible(), RecoveryKeeper::kLatestMs + 1000);
        QVERIFY(typing.isActive());
        typing.stop();
        const QString file = guard->recoveryFile();
        QVERIFY(fileBytes(file).contains("\n\nabc"));
        {
            WindowFixture second;
            (new SessionGuard(second.start()))->offerRecovery();
            QCOMPARE(second.platform.messages.size(), 0);
        }
        QVERIFY(QFile::exists(file));
        w.menu().mnuSave->trigger();
        QCOMPARE(recoveryFiles(), QStringList());
    }

    // Recovery files left behind: one question for many; a link (to an
    // endless file) or a file too large to hold is never read.
    void leftFiles_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("odd");
        QTest::addColumn<QString>("question");
        QTest::newRow("a link to /dev/zero") << 1 << "zero" << "Velmora was closed with unsaved changes to New File. Restore them?";
        QTest::newRow("larger than the cap") << 1 << "huge" << "Velmora was closed with unsaved changes to New File. Restore them?";
        QTest::newRow("60 files, one question") << 60 << "" << "Velmora was closed with unsaved changes to 60 documents:\r\n";
    }
    void leftFiles()
    {
        QFETCH(int, count);
        QFETCH(QString, odd);
        QFETCH(QString, question);
        QVERIFY(makeStateFolder());
        for (int i = 0; i < count; ++i)
            writeFile(stateFolder() + QStringLiteral("/unsaved-%1").arg(i, 6, 10, QChar('0')), encodeUnsavedText({}));
        const QString other = stateFolder() + "/unsaved-odd000";
        if (odd == "zero")
            QVERIFY(QFile::link("/dev/zero", other));
        QFile huge(other);
        if (odd == "huge")
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write(encodeUnsavedText({})) && huge.resize(maxRecoveryBytes() + 1));
        WindowFixture fx;
        auto *guard = new SessionGuard(fx.start());
        fx.platform.messageAnswers << MsgResult::No;
        guard->offerRecovery();
        QCOMPARE(fx.platform.messages.size(), 1);
        QVERIFY2(fx.platform.messages[0].text.startsWith(question), qPrintable(fx.platform.messages[0].text));
        QCOMPARE(recoveryFiles(), odd.isEmpty() ? QStringList() : QStringList{"unsaved-odd000"});
    }

    // Unsaved text survives a termination signal in a file only the user
    // can read; the next start offers it, and Yes makes it the document,
    // changed, under its old name (so a second signal keeps it again). The
    // signal's exit is asked of an event loop that is not running, after
    // which no loop can run: this test comes last.
    void unsavedTextIsKeptAndRestored()
    {
        QByteArray kept;
        for (bool restart : {false, true}) {
            WindowFixture fx;
            frmHTML &w = fx.start(doc_);
            auto *guard = new SessionGuard(w);
            if (restart) {
                fx.platform.messageAnswers << MsgResult::Yes;
                guard->offerRecovery();
                QCOMPARE(messageLine(fx.platform, 0), "Velmora|Question|YesNo|Velmora was closed with unsaved "
                                                      "changes to " + doc_ + ". Restore them?");
                // Changed, and the file taken back: the signal below keeps exactly one again.
                QCOMPARE(w.windowTitle(), "Velmora - " + doc_);
            } else {
                w.HTML()->setSelText("abc");
            }
            guard->endBySignal(SIGTERM);
            QCOMPARE(fileBytes(doc_), QByteArray("<p>hi</p>"));
            QCOMPARE(recoveryFiles().size(), 1);
            const QString file = stateFolder() + "/" + recoveryFiles().first();
            struct stat st {};
            QVERIFY(::stat(QFile::encodeName(file), &st) == 0 && (st.st_mode & 0777) == 0600);
            QVERIFY2(fileBytes(file).endsWith("\n\nabc<p>hi</p>"), fileBytes(file).constData());
            QVERIFY(kept.isEmpty() || fileBytes(file) == kept);
            kept = fileBytes(file);
        }
    }
};

VELMORA_TEST_MAIN(TestSessionGuard)
#include "tst_session_guard.moc"
