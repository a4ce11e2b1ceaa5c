// View in Browser and the locations dialog in the real main window: a fake
// browser script, started through the real process start, records its
// working folder and arguments; a new temporary directory chosen in the
// dialog (Shift+F7) reaching the preview.
#include "editor/dialog_registry.h"
#include "options_dialogs/locations_dialog.h"
#include "support/modal_watch.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

class TestViewInBrowser : public QObject {
    Q_OBJECT
    WindowFixture fx;
    QtPlatform qt;
    frmHTML *w = nullptr;
    const QString root = testenv::root();
    const QByteArray record = QFile::encodeName(root + "/browser dir/record");

private slots:
    void initTestCase()
    {
        for (const char *dir : {"/browser dir", "/start dir", "/temp dir", "/temp #2"})
            QVERIFY(QDir().mkpath(root + dir));
        const QString program = root + "/browser dir/fake browser";
        writeFile(program, "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"" + record
                               + ".part\" && mv \"" + record + ".part\" \"" + record + "\"\n");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        fx.platform.processesThrough = &qt;
        w = &fx.start();
        w->preview().setTempDir(root + "/temp dir");
    }

    // `received`: the working folder, then the arguments ("F" the preview
    // file); empty: the browser could not be started.
    void launch_data()
    {
        QTest::addColumn<QString>("commandLine"); // "<p>" stands for the fake browser
        QTest::addColumn<QString>("startIn");
        QTest::addColumn<QStringList>("received");
        const QString start = root + "/start dir";
        QTest::newRow("blanks in every path") << "<p> --new %HTML%" << start << QStringList{start, "--new", "F"};
        QTest::newRow("missing program") << "'" + root + "/none' %HTML%" << start << QStringList{};
        QTest::newRow("missing start-in folder") << "<p> %HTML%" << root + "/none" << QStringList{};
    }
    void launch()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, startIn);
        QFETCH(QStringList, received);
        fx.platform.messages.clear();
        QFile::remove(record);
        w->preview().setBrowser(commandLine.replace("<p>", "'" + root + "/browser dir/fake browser'"));
        w->preview().setBrowserStartIn(startIn);
        w->HTML()->setWholeText(QTest::currentDataTag());
        const QString editorFolder = QDir::currentPath();

        w->menu().mnuVIB->trigger();
        // The preview file was brought up to date first; the editor's folder stays.
        QCOMPARE(fileBytes(w->preview().previewFile()), QByteArray(QTest::currentDataTag()) + "\r\n");
        QCOMPARE(QDir::currentPath(), editorFolder);
        frmLoc *dialog = w->findChild<frmLoc *>();
        if (received.isEmpty()) {
            QCOMPARE(messageLine(fx.platform, 0), "View in Browser|Exclamation|OK|Could not launch the "
                                                  "browser, make sure that the locations are correct.");
            // The locations are offered without waiting.
            QVERIFY(dialog && dialog->isVisible() && !QApplication::activeModalWidget());
            dialog->hide();
            return;
        }
        QVERIFY(waitUntil([&] { return QFile::exists(record); }));
        const QStringList lines = QString::fromUtf8(fileBytes(record)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(QStringList(lines).replaceInStrings(w->preview().previewFile(), "F"), received);
        QVERIFY(fx.platform.messages.isEmpty() && (!dialog || !dialog->isVisible()));
    }

    // View in Browser runs Update: a preview file that cannot be written
    // gives Update's message and the locations dialog every time, and no
    // browser is started on it.
    void previewNotWritten()
    {
        fx.platform.messages.clear();
        QFile::remove(record);
        w->preview().setBrowser("'" + root + "/browser dir/fake browser' %HTML%");
        w->preview().setBrowserStartIn(root);
        const LocationValues kept = w->preview().locations();
        { LocationValues l = kept; l.tempDir = root + "/gone"; w->preview().setLocations(l); }
        ModalWatch<frmLoc> locations([](frmLoc &d) { d.cmdClose->click(); });
        w->menu().mnuVIB->trigger();
        w->menu().mnuVIB->trigger();
        QTest::qWait(500);
        w->preview().setLocations(kept);
        QCOMPARE(locations.count(), 2);
        QCOMPARE(fx.platform.messages.size(), 2);
        QCOMPARE(messageLine(fx.platform, 1), "Error|Exclamation|OK|The temp directory does not exist, please choose a new one");
        QVERIFY(!QFile::exists(record));
    }

    // Shift+F7 shows the dialog modally. A new temporary directory deletes
    // the old preview file at once; the next refresh writes the file there
    // and shows it (navigating, though a file was left there). What Close
    // stores is the dialog's own test.
    void newTempDir()
    {
        const QString oldFile = w->preview().previewFile(), newDir = root + "/temp #2";
        const QString newFile = newDir + "/KV731504.htm";
        QVERIFY(waitUntil([&] { return w->Browser()->shownFile() == oldFile; }));
        writeFile(newFile, "left over");
        fx.platform.folderAnswers << newDir;
        activate(w);
        ModalWatch<frmLoc> locations([&](frmLoc &d) {
            d.Browse3->click();
            QVERIFY(!QFile::exists(oldFile) && d.lblTD->text() == newDir);
            QCOMPARE(fileBytes(newFile), QByteArray("left over")); // no refresh yet
            d.cmdClose->click();
        });
        QTest::keyClick(w->HTML(), Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(locations.count(), 1);

        w->HTML()->setWholeText("<p>new</p>");
        w->menu().mnuUpdate->trigger();
        QCOMPARE(fileBytes(newFile), QByteArray("<p>new</p>\r\n"));
        QVERIFY(waitUntil([&] { return w->Browser()->shownFile() == newFile; }));
    }
};

VELMORA_TEST_MAIN(TestViewInBrowser)
#include "tst_view_in_browser.moc"
