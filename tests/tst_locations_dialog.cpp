// The locations dialog against a fake host and a fake owner of the values:
// the browse buttons, and what each way of closing it stores.
#include "core/settings.h"
#include "options_dialogs/locations_dialog.h"
#include "options_dialogs/locations_owner.h"
#include "support/fake_host.h"
#include "support/test_env.h"

namespace {
struct FakeOwner : LocationsOwner {
    LocationValues values{"xdg-open %HTML%", "/home/u", "/tmp/old"};
    const LocationValues &locations() const override { return values; }
    void setBrowser(const QString &c) override { values.browser = c; }
    void setBrowserStartIn(const QString &f) override { values.browserStartIn = f; }
    void setTempDir(const QString &f) override { values.tempDir = f; }
    QString joined() const { return values.browser + '|' + values.browserStartIn + '|' + values.tempDir; }
};
} // namespace

class TestLocationsDialog : public QObject {
    Q_OBJECT
private slots:
    // `answer`: what the file or folder chooser gives ("-": cancelled);
    // `expected`: the owner's values after, "browser|start in|temp dir".
    void browse_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Browse1: blanks quoted") << 1 << "/opt/M B" << "'/opt/M B' %HTML%|/home/u|/tmp/old";
        QTest::newRow("Browse1: cancelled") << 1 << "-" << "xdg-open %HTML%|/home/u|/tmp/old";
        QTest::newRow("Browse2: a folder") << 2 << "/opt/b c" << "xdg-open %HTML%|/opt/b c|/tmp/old";
        QTest::newRow("Browse2: cancelled") << 2 << "-" << "xdg-open %HTML%|/home/u|/tmp/old";
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
        frmLoc d(host, owner);
        (button == 1 ? host.scripted.fileAnswers : host.scripted.folderAnswers)
            << (answer == "-" ? std::nullopt : std::optional(answer));
        (button == 1 ? d.Browse1 : button == 2 ? d.Browse2 : d.Browse3)->click();

        QCOMPARE(owner.joined(), expected);
        QCOMPARE(d.txtBrowser->text() + '|' + d.txtBrowserStartIn->text() + '|' + d.lblTD->text(), expected);
        QCOMPARE(host.scripted.unexpectedCalls, 0);
        if (button == 1) {
            const auto &request = host.scripted.fileRequests[0];
            QVERIFY(request.filter == kProgramFilter && request.title == "Choose your browser program");
        } else { // the chooser opens where the value points now
            QCOMPARE(host.scripted.folderPrompts[0], button == 2 ? "Choose the browser start in location:"
                                                                 : "Choose the temp directory location:");
            QCOMPARE(host.scripted.folderStarts[0], button == 2 ? "/home/u" : "/tmp/old");
        }
    }

    // Edits reach the owner as they are typed; Close and Esc store them and
    // hide the dialog; closed by the exit sequence, it stores nothing. A
    // store that cannot be written is told, and the dialog still closes.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Close") << "Close";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("the exit sequence") << "exit";
        QTest::newRow("Close, the store unwritable") << "Close unwritable";
    }
    void closing()
    {
        QFETCH(QString, how);
        const QString file = settings::Store::fileName();
        QFile::remove(file);
        const bool unwritable = how.endsWith(" unwritable");
        if (unwritable) {
            how.chop(11);
            QVERIFY(QDir().mkpath(file)); // a folder in the settings file's place
        }
        FakeHost host;
        FakeOwner owner;
        frmLoc d(host, owner);
        d.showModeless();
        QTest::keyClicks(d.txtBrowserStartIn, "/x");
        QCOMPARE(owner.joined(), "xdg-open %HTML%|/home/u/x|/tmp/old");
        if (how == "Esc")
            QTest::keyClick(d.txtBrowser, Qt::Key_Escape);
        else
            how == "Close" ? d.cmdClose->click() : void(d.close());
        QVERIFY(!d.isVisible());
        if (unwritable) {
            QDir(file).removeRecursively();
            QCOMPARE(host.scripted.messages.size(), 1);
            QVERIFY(host.scripted.messages[0].title == "Velmora" && host.scripted.messages[0].text.contains(file));
            return;
        }
        QVERIFY(host.scripted.messages.isEmpty());
        const settings::Store store;
        const QStringList stored{store.get("Browser").value_or("-"), store.get("BrowserSI").value_or("-"),
                                 store.get("TempDir").value_or("-")};
        QCOMPARE(stored.join('|'), how == "exit" ? "-|-|-" : "xdg-open %HTML%|/home/u/x|/tmp/old");
    }
};

VELMORA_TEST_MAIN(TestLocationsDialog)
#include "tst_locations_dialog.moc"
