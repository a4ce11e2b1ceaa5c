// The live preview: what the preview file holds, when it is written, the
// auto-update and update commands, and the two error messages.

#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <sys/stat.h>

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void content()
    {
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        const QString preview = WindowFixture::previewFile();
        QCOMPARE(w.previewFile(), preview);
        QCOMPARE(w.previewAddress(), "file://" + preview);
        // Start-up refreshed the preview with the new page.
        QCOMPARE(fileBytes(preview), w.HTML->wholeText().toUtf8() + "\r\n");
        // The first refresh found no file and pointed the browser at it.
        QVERIFY(waitUntil([&] { return w.Browser->url() == QUrl::fromLocalFile(preview); }));

        w.HTML->setWholeText(QString());
        w.mnuUpdate->trigger();
        QCOMPARE(fileBytes(preview), QByteArray("\r\n"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(preview), &st) == 0);
        QCOMPARE(int(st.st_mode & 0777), 0600);
        QCOMPARE(fx.platform.messages.size(), 0);
    }

    void autoUpdate()
    {
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        const QString preview = WindowFixture::previewFile();
        QVERIFY(!w.mnuAU->isChecked());
        const QByteArray before = fileBytes(preview);

        // Off: a change leaves the file alone; Update brings it up to date.
        w.HTML->setSelText("a");
        QCOMPARE(fileBytes(preview), before);
        w.mnuUpdate->trigger();
        QCOMPARE(fileBytes(preview), w.HTML->wholeText().toUtf8() + "\r\n");

        // Switching on refreshes at once.
        w.HTML->setSelText("b");
        w.mnuAU->trigger();
        QVERIFY(w.mnuAU->isChecked());
        QCOMPARE(fileBytes(preview), w.HTML->wholeText().toUtf8() + "\r\n");
        // On: every change is written.
        w.HTML->setSelText("c");
        QCOMPARE(fileBytes(preview), w.HTML->wholeText().toUtf8() + "\r\n");

        // Switching off does not refresh.
        QFile::remove(preview);
        w.mnuAU->trigger();
        QVERIFY(!w.mnuAU->isChecked());
        QVERIFY(!QFile::exists(preview));
    }

    // The failures: each gives its message, on every refresh.
    void failures_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("text");
        QTest::addColumn<MsgIcon>("icon");
        QTest::newRow("temp directory removed")
            << "missing" << "The temp directory does not exist, please choose a new one"
            << MsgIcon::Exclamation;
        QTest::newRow("symbolic link in place of the preview file")
            << "symlink" << "There was an error temporarily saving the file, try changing the Temp dir location"
            << MsgIcon::Critical;
        QTest::newRow("folder in place of the preview file")
            << "folder" << "There was an error temporarily saving the file, try changing the Temp dir location"
            << MsgIcon::Critical;
    }
    void failures()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, text);
        QFETCH(MsgIcon, icon);
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        const QString dir = testenv::root() + "/preview-" + obstacle;
        QDir().mkpath(dir);
        const QString target = testenv::root() + "/someone-elses.txt";
        writeFile(target, "untouched");
        if (obstacle == "missing")
            QDir(dir).removeRecursively();
        else if (obstacle == "symlink")
            QVERIFY(QFile::link(target, dir + "/KV731504.htm"));
        else
            QDir().mkpath(dir + "/KV731504.htm");
        w.locations().tempDir = dir;
        const QByteArray text0 = w.HTML->wholeText().toUtf8();
        w.mnuAU->trigger();
        w.HTML->setSelText("x");
        QCOMPARE(fx.platform.messages.size(), 2); // switching on, then the change
        for (const auto &m : fx.platform.messages) {
            QCOMPARE(m.text, text);
            QCOMPARE(m.title, QString("Error"));
            QCOMPARE(m.icon, icon);
            QCOMPARE(m.buttons, MsgButtons::OK);
        }
        QCOMPARE(fileBytes(target), QByteArray("untouched"));
        QVERIFY(w.documentChanged());
        QCOMPARE(w.HTML->wholeText().toUtf8(), "x" + text0);
    }
};

VELMORA_TEST_MAIN(TestPreview)
#include "tst_preview.moc"
