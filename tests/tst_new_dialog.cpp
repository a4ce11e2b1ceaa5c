// The "Startup HTML" window on a fake host: keyboard, buttons, and what OK
// and Cancel do to the document, with the scripted platform standing in for
// the message box and the common dialogs.

#include "widgets/dialog_parts.h"
#include "document_dialogs/new_dialog.h"
#include "core/conversions.h"
#include "support/fake_host.h"
#include "support/test_env.h"

namespace {
const QString kOld = QStringLiteral("old document\r\n");
} // namespace

class TestNewDialog : public QObject {
    Q_OBJECT
    FakeHost host;
    ScriptedPlatform &platform = host.scripted;
    std::unique_ptr<frmNew> d;

    // Shows the dialog without blocking, as the New command does with exec().
    void showDialog()
    {
        d->show();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
    }
    static QString defaultPage() { return buildNewPage(NewPageFields(), Ver()).html; }

private slots:
    void initTestCase()
    {
        host.window.show();
        d = std::make_unique<frmNew>(host);
    }
    void init()
    {
        host.document = kOld;
        d->setResult(-1);
        showDialog();
    }
    void cleanup()
    {
        d->hide();
        d->cmdReset->click();
        d->cmdCancel->setEnabled(false);
        QCOMPARE(platform.unexpectedCalls, 0);
        platform = ScriptedPlatform();
    }

    void enterPressesOk() // first: the dialog is as created
    {
        QTest::keyClick(d->txtBase, Qt::Key_Return);
        QVERIFY(!d->isVisible() && d->result() == QDialog::Accepted);
        QCOMPARE(host.document, defaultPage());
    }

    // A sound with an empty loop box: "Sound Loop", and the dialog stays.
    // Playing continuously disables the loop box and is what the page gets.
    void soundLoop()
    {
        d->txtSound->setText(QStringLiteral("a.wav")); // after Reset the loop box is empty
        platform.messageAnswers << MsgResult::OK; // a second message would be unexpected
        d->cmdOK->click();
        QVERIFY(platform.messages.value(0).title == "Sound Loop" && d->isVisible() && host.document == kOld);
        for (bool ticked : {true, false, true}) {
            QTest::mouseClick(d->chkLoop, Qt::LeftButton);
            QCOMPARE(d->txtLoop->isEnabled(), !ticked);
        }
        d->cmdOK->click();
        QVERIFY(host.document.contains("<bgsound src=\"a.wav\" loop=\"infinite\">"));
    }

    // Cancel rejects and leaves the document; Esc does the same, and
    // nothing at all while Cancel is disabled (at start-up).
    void cancel()
    {
        QTest::keyClick(d->txtTitle, Qt::Key_Escape);
        QVERIFY(d->isVisible() && d->result() == -1);
        d->cmdCancel->setEnabled(true);
        for (bool esc : {true, false}) {
            d->setResult(-1);
            showDialog();
            esc ? QTest::keyClick(d->txtTitle, Qt::Key_Escape) : d->cmdCancel->click();
            QVERIFY(!d->isVisible() && d->result() == QDialog::Rejected && host.document == kOld);
        }
    }

    void reset()
    {
        for (QLineEdit *box : d->findChildren<QLineEdit *>())
            box->setText(QStringLiteral("typed"));
        for (ColourSwatch *swatch : d->findChildren<ColourSwatch *>())
            swatch->setValue(0x123456);
        d->chkLoop->click();
        d->cmdReset->click();
        QVERIFY(!d->chkLoop->isChecked() && d->txtLoop->isEnabled() && d->txtLoop->text().isEmpty());
        d->cmdOK->click();
        QCOMPARE(host.document, defaultPage());
    }

    void browseButtons()
    {
        const QList<std::tuple<QPushButton *, QLineEdit *, QString>> buttons{
            {d->Browse1, d->txtSound, kSoundFilter}, {d->Browse2, d->txtImage, kImageFilter},
            {d->Browse3, d->txtCSS, kStyleSheetFilter}};
        // Each button fills its own box with its own filter; the shared
        // browse button's cancel and filter restore are tested on their own.
        for (const auto &[button, box, filter] : buttons) {
            platform.fileAnswers << QStringLiteral("/home/u/a b.x");
            button->click();
            QCOMPARE(platform.fileRequests.takeLast().filter, filter);
            QCOMPARE(box->text(), QStringLiteral("file:///home/u/a b.x"));
        }
    }

    // Each colour button paints its own swatch; OK and Cancel keep every
    // value for the next showing; the Def buttons clear the colours.
    void coloursAndKeptValues()
    {
        d->cmdCancel->setEnabled(true);
        const QList<QPushButton *> buttons{d->cmdBC, d->cmdC1, d->cmdC2, d->cmdC3, d->cmdC4};
        for (int i = 0; i < buttons.size(); ++i) {
            platform.colourAnswers << ColourValue(0x111111 * (i + 1));
            buttons[i]->click();
        }
        d->txtTitle->setText(QStringLiteral("Kept"));
        d->chkLoop->click();
        d->cmdOK->click();
        const QString first = host.document;
        QVERIFY(first.contains("<title>Kept</title>\r\n") && first.contains(
            "<body bgcolor=\"#111111\" text=\"#222222\" link=\"#333333\" vlink=\"#444444\" alink=\"#555555\">\r\n"));
        showDialog();
        d->cmdCancel->click();
        showDialog();
        QVERIFY(!d->txtLoop->isEnabled());
        host.document = QStringLiteral("other");
        d->cmdOK->click();
        QCOMPARE(host.document, first);
        for (QPushButton *b : {d->cmdDef, d->Def1, d->Def2, d->Def3, d->Def4})
            b->click();
        for (ColourSwatch *swatch : d->findChildren<ColourSwatch *>())
            QVERIFY(!swatch->hasColour());
    }
};

VELMORA_TEST_MAIN(TestNewDialog)
#include "tst_new_dialog.moc"
