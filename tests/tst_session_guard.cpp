// Ending without the user, with the real program in its own process: a
// termination signal runs the exit sequence (settings written, preview file
// deleted, unsaved text kept in a private recovery file), and the next start
// offers that text back as a changed document under its old name.

#include "core/settings.h"
#include "core/state_folder.h"
#include "editor/session_guard.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <sys/stat.h>

namespace {

// A private Xvfb server. Its display number is picked above the ones other
// servers usually take, free in the file system and in the abstract socket
// namespace, which other users' servers on this machine may share.
struct XServer {
    QProcess process;
    QString display;
    XServer()
    {
        process.setStandardErrorFile(QProcess::nullDevice());
        QFile unix("/proc/net/unix");
        const QByteArray sockets = unix.open(QIODevice::ReadOnly) ? unix.readAll() : QByteArray();
        for (int n = 200 + int(QCoreApplication::applicationPid() % 500), tries = 0; tries < 5 && display.isEmpty(); ++n) {
            const QString socket = "/tmp/.X11-unix/X" + QString::number(n);
            if (QFile::exists(socket) || QFile::exists(QString("/tmp/.X%1-lock").arg(n))
                || sockets.contains(("@" + socket + "\n").toLatin1()))
                continue;
            ++tries;
            // It writes the number once it takes clients; -noreset keeps it
            // from resetting (and refusing clients) when the last one leaves.
            process.start("Xvfb", {":" + QString::number(n), "-displayfd", "1", "-noreset", "-nolisten", "tcp",
                                   "-screen", "0", "1024x768x24"});
            if (process.waitForReadyRead(10000)) {
                display = ":" + QString::number(n);
            } else {
                process.kill();
                process.waitForFinished();
            }
        }
    }
    ~XServer()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
};

QProcessEnvironment environment(const QString &display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", display.isEmpty() ? "offscreen" : "xcb");
    env.insert("DISPLAY", display);
    return env;
}

// xdotool's answer on `display`, or an empty string.
QString xdotool(const QString &display, const QStringList &args)
{
    QProcess p;
    p.setProcessEnvironment(environment(display));
    p.start("xdotool", args);
    p.waitForFinished(15000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The id of the first window whose name matches `pattern`, once there is one.
QString windowNamed(const QString &display, const QString &pattern)
{
    QString id;
    waitUntil([&] { return !(id = xdotool(display, {"search", "--name", pattern}).section('\n', 0, 0)).isEmpty(); }, 30000);
    return id;
}

void startProgram(QProcess &program, const QString &file, const QString &display = QString())
{
    program.setProcessEnvironment(environment(display));
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(VELMORA_PROGRAM, {file});
}

QStringList recoveryFiles()
{
    return QDir(stateFolder()).entryList({"unsaved-*"}, QDir::Files);
}

} // namespace

class TestSessionGuard : public QObject {
    Q_OBJECT

    QString doc_ = testenv::root() + "/page.htm";

private slots:
    void init()
    {
        WindowFixture::seedSettings();
        writeFile(doc_, "<p>hi</p>");
        QFile::remove(WindowFixture::previewFile());
        for (const QString &f : recoveryFiles())
            QFile::remove(stateFolder() + "/" + f);
    }

    // Each signal ends the program through the exit sequence; with nothing
    // unsaved there is nothing to recover.
    void signalRunsTheExitSequence_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void signalRunsTheExitSequence()
    {
        QFETCH(int, signal);
        QProcess program;
        startProgram(program, doc_);
        QVERIFY(program.waitForStarted());
        // Start-up is over once the first refresh wrote the preview file.
        QVERIFY(waitUntil([] { return QFile::exists(WindowFixture::previewFile()); }, 60000));
        QVERIFY(QFile::remove(settings::Store::fileName()));
        ::kill(pid_t(program.processId()), signal);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 128 + signal);
        QVERIFY(!QFile::exists(WindowFixture::previewFile()));
        QVERIFY(fileBytes(settings::Store::fileName()).contains("Auto-update=False"));
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
        QVERIFY(QFile::remove(settings::Store::fileName()));
        QCOMPARE(guard->endSession(mayAsk), ends);
        QCOMPARE(QFile::exists(WindowFixture::previewFile()), !ends);
        QCOMPARE(QFile::exists(settings::Store::fileName()), ends);
        QCOMPARE(recoveryFiles().size(), int(!mayAsk));
        if (!ends)
            fx.platform.messageAnswers << MsgResult::Cancel;
        QCOMPARE(w.close(), ends);
        QCOMPARE(fx.platform.messages.size(), int(answer >= 0) + int(!ends));
        QCOMPARE(fx.platform.unexpectedCalls, 0);
    }

    // Typed text that was not saved survives SIGTERM in a file only the user
    // can read; the next start offers it, and Yes makes it the document,
    // changed, under its old name (so a second SIGTERM keeps it again).
    void unsavedTextIsKeptAndRestored()
    {
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("typing into the real program needs xdotool");
        XServer x;
        if (x.display.isEmpty())
            QSKIP("typing into the real program needs Xvfb");
        QProcess program;
        startProgram(program, doc_, x.display);
        const QString window = windowNamed(x.display, "^Velmora - ");
        QVERIFY(!window.isEmpty());
        QVERIFY(waitUntil([] { return QFile::exists(WindowFixture::previewFile()); }));
        xdotool(x.display, {"windowfocus", "--sync", window});
        QTest::qWait(500); // the window takes the focus
        xdotool(x.display, {"type", "--delay", "30", "abc"});
        QTest::qWait(500); // the keys arrive
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 128 + SIGTERM);
        QCOMPARE(fileBytes(doc_), QByteArray("<p>hi</p>"));
        QCOMPARE(recoveryFiles().size(), 1);
        const QString kept = stateFolder() + "/" + recoveryFiles().first();
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(kept), &st) == 0 && (st.st_mode & 0777) == 0600);
        const QByteArray text = fileBytes(kept);
        QVERIFY2(text.endsWith("\n\nabc<p>hi</p>"), text.constData());

        QProcess again;
        startProgram(again, doc_, x.display);
        const QString question = windowNamed(x.display, "^Velmora$");
        QVERIFY2(!question.isEmpty(), qPrintable(QString("no question; the program is %1 (exit code %2), recovery files: %3")
                                                     .arg(again.state()).arg(again.exitCode()).arg(recoveryFiles().join(' '))));
        xdotool(x.display, {"windowfocus", "--sync", question});
        xdotool(x.display, {"key", "Return"}); // Yes
        QVERIFY(waitUntil([] { return recoveryFiles().isEmpty(); }));
        QVERIFY(!windowNamed(x.display, "^Velmora - " + QRegularExpression::escape(doc_) + "$").isEmpty());
        ::kill(pid_t(again.processId()), SIGTERM);
        QVERIFY(again.waitForFinished(30000));
        QCOMPARE(recoveryFiles().size(), 1);
        QCOMPARE(fileBytes(stateFolder() + "/" + recoveryFiles().first()), text);
    }
};

VELMORA_TEST_MAIN(TestSessionGuard)
#include "tst_session_guard.moc"
