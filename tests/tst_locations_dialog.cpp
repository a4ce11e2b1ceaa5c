// The locations dialog against a fake host and a fake owner of the values:
// the browse buttons, edits taking effect at once, Close (and Esc) storing
// the three settings.
#include "core/settings.h"
#include "options_dialogs/locations_dialog.h"
#include "options_dialogs/locations_owner.h"
#include "support/fake_host.h"
#include "support/test_env.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct FakeOwner : LocationsOwner {
    LocationValues values{"xdg-open %HTML%", "/home/u", "/tmp/old"};
    QStringList tempDirs; // every setTempDir, in order
    const LocationValues &locations() const override { return values; }
    void setBrowser(const QString &c) override { values.browser = c; }
    void setBrowserStartIn(const QString &f) override { values.browserStartIn = f; }
    void setTempDir(const QString &f) override
    {
        values.tempDir = f;
        tempDirs << f;
    }
};

// The owner's values as "browser|start in|temp dir".
QString joined(const LocationValues &v)
{
    return v.browser + '|' + v.browserStartIn + '|' + v.tempDir;
}

} // namespace

class TestLocationsDialog : public QObject {
    Q_OBJECT
private slots:
    // `answer`: what the file or folder chooser gives ("-": cancelled).
    void browse_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Browse1: a program") << 1 << "/usr/bin/firefox"
                                            << "/usr/bin/firefox %HTML%|/home/u|/tmp/old";
        QTest::newRow("Browse1: a path with blanks is quoted")
            << 1 << "/opt/My Browser/run" << "'/opt/My Browser/run' %HTML%|/home/u|/tmp/old";
        QTest::newRow("Browse1: cancelled") << 1 << "-" << "xdg-open %HTML%|/home/u|/tmp/old";
        QTest::newRow("Browse2: a folder") << 2 << "/opt/b c" << "xdg-open %HTML%|/opt/b c|/tmp/old";
        QTest::newRow("Browse2: cancelled") << 2 << "-" << "xdg-open %HTML%|/home/u|/tmp/old";
        QTest::newRow("Browse3: a folder") << 3 << "/var/t" << "xdg-open %HTML%|/home/u|/var/t";
        QTest::newRow("Browse3: the root") << 3 << "/" << "xdg-open %HTML%|/home/u|/";
        QTest::newRow("Browse3: cancelled") << 3 << "-" << "xdg-open %HTML%|/home/u|/tmp/old";
    }
    void browse()
    {
        QFETCH(int, button);
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        FakeHost host;
        FakeOwner owner;
        frmLoc dialog(host, owner);
        const std::optional<QString> chosen = answer == "-" ? std::nullopt : std::optional(answer);
        (button == 1 ? host.scripted.fileAnswers : host.scripted.folderAnswers) << chosen;
        QPushButton *const buttons[] = {dialog.Browse1, dialog.Browse2, dialog.Browse3};
        buttons[button - 1]->click();

        QCOMPARE(host.scripted.unexpectedCalls, 0);
        QCOMPARE(joined(owner.values), expected);
        QCOMPARE(dialog.txtBrowser->text(), owner.values.browser);
        QCOMPARE(dialog.txtBrowserStartIn->text(), owner.values.browserStartIn);
        QCOMPARE(dialog.lblTD->text(), owner.values.tempDir);
        QCOMPARE(owner.tempDirs.size(), int(button == 3 && chosen)); // the old file goes only on a change
        if (button == 1) {
            QCOMPARE(host.scripted.fileRequests[0].filter, kProgramFilter);
            QCOMPARE(host.scripted.fileRequests[0].title, "Choose your browser program");
            QVERIFY(!host.scripted.fileRequests[0].save);
            QCOMPARE(host.files.filter, kDocumentFilter);
        } else {
            QCOMPARE(host.scripted.folderPrompts, QStringList{button == 2
                         ? "Choose the browser start in location:"
                         : "Choose the temp directory location:"});
            // The chooser opens where the value points now.
            QCOMPARE(host.scripted.folderStarts, QStringList{button == 2 ? "/home/u" : "/tmp/old"});
        }
    }

    // Edits reach the owner as they are typed; Close and Esc store the three
    // values and hide the dialog, which shows the owner's values again when
    // it is shown next. Closed by the exit sequence, it stores nothing.
    void closeStores_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Close") << "Close";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("closed by the exit sequence") << "exit";
    }
    void closeStores()
    {
        QFETCH(QString, how);
        QFile::remove(settings::Store::fileName());
        FakeHost host;
        FakeOwner owner;
        frmLoc dialog(host, owner);
        dialog.showModeless();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.lblTD->text(), "/tmp/old");
        dialog.txtBrowser->selectAll();
        QTest::keyClicks(dialog.txtBrowser, "b --x %HTML%");
        dialog.txtBrowserStartIn->setText("/srv");
        QCOMPARE(joined(owner.values), "b --x %HTML%|/srv|/tmp/old");
        QVERIFY(!settings::Store().get("Browser")); // stored only on Close

        if (how == "Esc")
            QTest::keyClick(dialog.txtBrowser, Qt::Key_Escape);
        else if (how == "Close")
            dialog.cmdClose->click();
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        if (how == "exit") {
            QVERIFY(!settings::Store().get("Browser") && !settings::Store().get("TempDir"));
            return;
        }
        QCOMPARE(settings::Store().get("Browser"), std::optional<QString>("b --x %HTML%"));
        QCOMPARE(settings::Store().get("BrowserSI"), std::optional<QString>("/srv"));
        QCOMPARE(settings::Store().get("TempDir"), std::optional<QString>("/tmp/old"));

        owner.values = {"c", "/d", "/e"};
        dialog.showModeless();
        QCOMPARE(joined(owner.values), "c|/d|/e");
        QCOMPARE(dialog.txtBrowser->text() + '|' + dialog.txtBrowserStartIn->text() + '|'
                     + dialog.lblTD->text(),
                 "c|/d|/e");
        dialog.hide();
    }

    // Tab goes through the rows in order; the temp directory label's access
    // key reaches its browse button, the next control that takes the focus.
    void tabOrder()
    {
        FakeHost host;
        FakeOwner owner;
        frmLoc d(host, owner);
        const QList<QWidget *> chain{d.txtBrowser, d.Browse1, d.txtBrowserStartIn, d.Browse2,
                                     d.Browse3, d.cmdClose};
        QList<QWidget *> tabbed;
        for (QWidget *w = chain.first(); tabbed.isEmpty() || w != chain.first(); w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && d.isAncestorOf(w))
                tabbed << w;
        QCOMPARE(tabbed, chain);
        QCOMPARE(d.lbllblTD->buddy(), d.Browse3);
    }
};

VELMORA_TEST_MAIN(TestLocationsDialog)
#include "tst_locations_dialog.moc"
