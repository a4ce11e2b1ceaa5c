// View in Browser and the locations dialog in the real main window: a fake
// browser (a shell script) started through the real process start records
// its arguments and working folder; the failures; a new temporary directory
// through the dialog; Close storing the settings.
#include "core/settings.h"
#include "editor/dialog_registry.h"
#include "options_dialogs/locations_dialog.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kFailure = QStringLiteral(
    "View in Browser|Exclamation|OK|Could not launch the browser, make sure that the locations are correct.");

// Runs `inside` once the modal dialog that `trigger` shows is up.
bool whileModal(const std::function<void()> &trigger, const std::function<void(frmLoc &)> &inside)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<frmLoc *>(QApplication::activeModalWidget())) {
            shown = true;
            inside(*dialog);
            dialog->hide();
        }
    });
    trigger();
    return shown;
}

} // namespace

class TestViewInBrowser : public QObject {
    Q_OBJECT
    WindowFixture fx;
    QtPlatform qt;
    frmHTML *w = nullptr;
    const QString root = testenv::root();
    const QString program = root + "/browser dir/fake browser";
    const QString record = root + "/browser dir/record";

private slots:
    void initTestCase()
    {
        for (const char *dir : {"/browser dir", "/start dir", "/temp dir", "/temp #2"})
            QVERIFY(QDir().mkpath(root + dir));
        writeFile(program, "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \""
                               + record.toUtf8() + ".part\" && mv \"" + record.toUtf8() + ".part\" \""
                               + record.toUtf8() + "\"\n");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        fx.platform.processesThrough = &qt;
        w = &fx.start();
    }

    // `args`: what the browser received; "-": it could not be started.
    void launch_data()
    {
        QTest::addColumn<QString>("commandLine"); // "<p>" stands for the fake browser
        QTest::addColumn<QString>("startIn");
        QTest::addColumn<QStringList>("args");
        const QString file = root + "/temp dir/KV731504.htm";
        const QString start = root + "/start dir";
        QTest::newRow("blanks in the program, folder and preview paths")
            << "'<p>' --new %HTML%" << start << QStringList{"--new", file};
        QTest::newRow("placeholder twice") << "'<p>' %HTML% -f=%HTML%" << start
                                           << QStringList{file, "-f=" + file};
        QTest::newRow("no placeholder: no file") << "'<p>'" << start << QStringList{};
        QTest::newRow("missing program") << "'" + root + "/browser dir/none' %HTML%" << start
                                         << QStringList{"-"};
        QTest::newRow("missing start-in folder") << "'<p>' %HTML%" << root + "/no dir"
                                                 << QStringList{"-"};
        QTest::newRow("unclosed quote") << "'<p> %HTML%" << start << QStringList{"-"};
    }
    void launch()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, startIn);
        QFETCH(QStringList, args);
        const bool fails = args == QStringList{"-"};
        fx.platform = ScriptedPlatform();
        fx.platform.processesThrough = &qt;
        QFile::remove(record);
        w->preview().setTempDir(root + "/temp dir");
        w->preview().setBrowser(commandLine.replace("<p>", program));
        w->preview().setBrowserStartIn(startIn);
        w->HTML()->setWholeText(QTest::currentDataTag());
        const QString editorFolder = QDir::currentPath();

        w->menu().mnuVIB->trigger();
        // The preview file was brought up to date first.
        QCOMPARE(fileBytes(w->previewFile()), QByteArray(QTest::currentDataTag()) + "\r\n");
        QCOMPARE(QDir::currentPath(), editorFolder);
        frmLoc *dialog = fx.window->dialogs().existing<frmLoc>();
        if (fails) {
            QCOMPARE(fx.platform.messages.size(), 1);
            QCOMPARE(messageLine(fx.platform, 0), kFailure);
            // The locations are offered without waiting.
            QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
            dialog->hide();
            QTest::qWait(100);
            QVERIFY(!QFile::exists(record));
            return;
        }
        QVERIFY(waitUntil([&] { return QFile::exists(record); }));
        QStringList lines = QString::fromUtf8(fileBytes(record)).split('\n');
        lines.removeLast(); // after the last line end
        QCOMPARE(lines.takeFirst(), startIn);
        QCOMPARE(lines, args);
        QCOMPARE(fx.platform.messages.size(), 0);
        QVERIFY(!dialog || !dialog->isVisible());
    }

    // Shift+F7 shows the dialog modally. A new temporary directory deletes
    // the old preview file at once; the next refresh writes the file there
    // and shows it (navigating, though a file was left there). Close stores
    // the three settings.
    void newTempDir()
    {
        fx.platform = ScriptedPlatform();
        const QString oldDir = root + "/temp dir", newDir = root + "/temp #2";
        w->preview().setTempDir(oldDir);
        w->menu().mnuUpdate->trigger();
        const QString oldFile = w->previewFile(), newFile = newDir + "/KV731504.htm";
        QVERIFY(QFile::exists(oldFile));
        QVERIFY(waitUntil([&] { return w->Browser()->url() == QUrl::fromLocalFile(oldFile); }));
        writeFile(newFile, "left over");
        QFile::remove(settings::Store::fileName());

        fx.platform.folderAnswers << newDir;
        QApplication::setActiveWindow(w);
        QTRY_COMPARE(QApplication::activeWindow(), w);
        QVERIFY(whileModal([&] { QTest::keyClick(w->HTML(), Qt::Key_F7, Qt::ShiftModifier); },
                           [&](frmLoc &d) {
            QCOMPARE(d.lblTD->text(), oldDir);
            d.txtBrowser->setText("b %HTML%");
            d.Browse3->click();
            QCOMPARE(d.lblTD->text(), newDir);
            QVERIFY(!QFile::exists(oldFile));
            QCOMPARE(fileBytes(newFile), QByteArray("left over")); // no refresh yet
            d.cmdClose->click();
        }));
        QCOMPARE(settings::Store().get("Browser"), std::optional<QString>("b %HTML%"));
        QCOMPARE(settings::Store().get("BrowserSI"), std::optional(w->preview().locations().browserStartIn));
        QCOMPARE(settings::Store().get("TempDir"), std::optional(newDir));

        w->HTML()->setWholeText("<p>new</p>");
        w->menu().mnuUpdate->trigger();
        QCOMPARE(fileBytes(newFile), QByteArray("<p>new</p>\r\n"));
        QVERIFY(waitUntil([&] { return w->Browser()->url() == QUrl::fromLocalFile(newFile); }));
        QCOMPARE(fx.platform.unexpectedCalls, 0);
    }
};

VELMORA_TEST_MAIN(TestViewInBrowser)
#include "tst_view_in_browser.moc"
