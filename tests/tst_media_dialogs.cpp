// The image, marquee and script windows on a fake host: what OK, Cancel, the
// messages and the keys do to the document. (Each from its key in the real
// main window: tst_table_cell_dialogs.)
#include "media_dialogs/image_dialog.h"
#include "media_dialogs/marquee_dialog.h"
#include "media_dialogs/script_dialog.h"
#include "support/fake_host.h"
#include "support/test_env.h"
#include "widgets/dialog_parts.h"

using Setup = std::function<void(QDialog &)>;
Q_DECLARE_METATYPE(Setup)

namespace {

const QString kPage = QStringLiteral("<p>ab</p>");
const QStringList kActions = {"Insert Image", "Insert Marquee", "Insert Script"};

template <class D>
Setup on(const std::function<void(D &)> &f)
{
    return [f](QDialog &d) { f(static_cast<D &>(d)); };
}

} // namespace

class TestMediaDialogs : public QObject {
    Q_OBJECT
    FakeHost host;
    ScriptedPlatform &platform = host.scripted;
    std::unique_ptr<QDialog> dialogs[3];

    // Shows dialog `which` without blocking over kPage with "ab" selected.
    QDialog &open(int which)
    {
        host.reset(kPage, 3, 2);
        QDialog &d = *dialogs[which];
        d.setResult(-1);
        d.show();
        return d;
    }

private slots:
    void initTestCase()
    {
        host.window.show();
        dialogs[0] = std::make_unique<frmI>(host);
        dialogs[1] = std::make_unique<frmM>(host);
        dialogs[2] = std::make_unique<frmS>(host);
    }
    void cleanup()
    {
        QCOMPARE(platform.unexpectedCalls, 0);
        platform = ScriptedPlatform();
    }

    // The rows run in order on the same three windows: each builds on what
    // the rows before it left in its dialog.
    void okCancelReopen_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("image, every control") << 0 << on<frmI>([this](frmI &d) {
            for (QLineEdit *box : d.findChildren<QLineEdit *>())
                box->setText(box->objectName().mid(3));
            platform.fileAnswers << QStringLiteral("C:\\pics\\a.gif") << std::nullopt;
            d.cmdBrowse1->click();
            d.cmdBrowse2->click(); // cancelled: the box keeps its text
            QCOMPARE(platform.fileRequests.value(0).title, "Choose an Image");
            QCOMPARE(platform.fileRequests.value(1).title, "Choose a Low Resolution Image");
            QCOMPARE(platform.fileRequests.value(1).filter, kImageFilter);
            d.cmbAlign->setCurrentIndex(4);
        }) << "<a href=\"Link\" target=\"Target\"><img src=\"file://C:\\pics\\a.gif\" lowsrc=\"Low\" alt=\"Alt\" "
              "align=\"absmiddle\" border=\"Border\" hspace=\"Hspc\" vspace=\"Vspc\" width=\"Width\" "
              "height=\"Height\"></a>";
        QTest::newRow("marquee, every control") << 1 << on<frmM>([this](frmM &d) {
            d.txtText->setText("<hi>");
            d.optRight->click();
            d.txtDelay->setText("06");
            d.txtPixels->setText("06");
            d.cmbBehave->setCurrentIndex(1);
            d.cmbAlign->setCurrentIndex(0);
            d.optRepeat->click();
            d.txtRepeat->setText("2");
            d.txtWidth->setText("9");
            d.optPerW->click();
            d.txtHeight->setText("8");
            platform.colourAnswers << 0x00FF00;
            d.cmdColour->click();
        }) << "<marquee align=\"Top\" behavior=\"Slide\" bgcolor=\"#00FF00\" direction=\"right\" height=\"8\" "
              "loop=\"2\" scrolldelay=\"06\" width=\"9%\">&lt;hi&gt;</marquee>";
        QTest::newRow("marquee, height unit alone") << 1 << on<frmM>([](frmM &d) {
            d.optPerH->click();
            d.optPixW->click();
            d.cmdDef->click();
        }) << "<marquee align=\"Top\" behavior=\"Slide\" direction=\"right\" height=\"8%\" loop=\"2\" "
              "scrolldelay=\"06\" width=\"9\">&lt;hi&gt;</marquee>";
        QTest::newRow("script, server tick survives a change of language") << 2 << on<frmS>([](frmS &d) {
            d.txtScript->setPlainText("x=1");
            d.optVBS->click();
            d.chkServer->click();
            d.optJS->click();
            QVERIFY(!d.chkServer->isEnabled() && d.chkServer->isChecked() && !d.txtOther->isEnabled());
            d.optVBS->click();
        }) << "<%x=1%>";
        QTest::newRow("script, other language") << 2 << on<frmS>([](frmS &d) {
            d.optOther->click();
            QVERIFY(!d.chkServer->isEnabled() && d.txtOther->isEnabled());
            d.txtOther->setText("T&l");
        }) << "<script language=\"T&amp;l\">x=1</script>";
        QTest::newRow("script, every character as typed or pasted") << 2 << on<frmS>([](frmS &d) {
            d.txtScript->setPlainText("a\u00a0b");
            d.txtScript->moveCursor(QTextCursor::End);
            QTest::keyClick(d.txtScript, Qt::Key_Return, Qt::ShiftModifier);
            d.txtScript->insertPlainText("\u2028c\r\nd");
        }) << "<script language=\"T&amp;l\">a\u00a0b\r\n\u2028c\r\nd</script>";
    }
    void okCancelReopen()
    {
        QFETCH(int, which);
        QFETCH(Setup, setup);
        QFETCH(QString, fragment);
        QDialog &d = open(which);
        QCOMPARE(d.windowTitle(), kActions[which]); // the titles are the action names
        setup(d);
        d.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
        QVERIFY(!d.isVisible() && d.result() == QDialog::Rejected);
        QVERIFY(host.document == kPage && host.actions.isEmpty());

        // Reopened after Cancel, then after OK: the same values, the same
        // fragment in place of the selection.
        const QString expected = QString(kPage).replace(3, 2, fragment);
        for (int round = 0; round < 2; ++round) {
            open(which);
            d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            QVERIFY(!d.isVisible() && d.result() == QDialog::Accepted);
            QCOMPARE(host.document, expected);
            QCOMPARE(host.actions, QStringList{kActions[which]});
        }
    }

    // An empty source or repeat count: the message, the dialog stays open and
    // the document stays as it was.
    void messages()
    {
        auto &image = static_cast<frmI &>(open(0));
        image.txtImage->clear();
        platform.messageAnswers << MsgResult::OK << MsgResult::OK;
        image.cmdOK->click();
        QVERIFY(image.isVisible() && host.document == kPage && host.actions.isEmpty());
        image.reject();

        auto &marquee = static_cast<frmM &>(open(1));
        marquee.txtRepeat->clear();
        QTest::keyClick(marquee.txtRepeat, Qt::Key_Return); // Enter presses OK
        QVERIFY(marquee.isVisible() && host.document == kPage && host.actions.isEmpty());
        QCOMPARE(messageLine(platform, 0),
                 "Insert Image|Exclamation|OK|You must enter an image location as the minumum for this form.");
        QCOMPARE(messageLine(platform, 1),
                 "Insert Marquee|Exclamation|OK|If you want the marquee to loop a number of times, then you must "
                 "put a value in the repeat textbox");
        // Back to continuous: the box is disabled and keeps its text.
        marquee.txtRepeat->setText("5");
        marquee.optInfinite->click();
        QVERIFY(!marquee.txtRepeat->isEnabled() && marquee.txtRepeat->text() == "5");
        marquee.reject();
    }

    // Enter makes a new line in the script box and does nothing in the
    // language box; only the buttons and Esc close the dialog.
    void scriptKeys()
    {
        auto &d = static_cast<frmS &>(open(2));
        d.optOther->click();
        d.txtScript->setPlainText("a");
        d.txtScript->setFocus();
        d.txtScript->moveCursor(QTextCursor::End);
        QTest::keyClick(d.txtScript, Qt::Key_Return);
        QTest::keyClicks(d.txtScript, "b");
        QTest::keyClick(d.txtOther, Qt::Key_Return);
        QVERIFY(d.isVisible() && host.actions.isEmpty());
        QVERIFY(QFontInfo(d.txtScript->font()).fixedPitch());
        d.cmdOK->setFocus();
        QTest::keyClick(d.cmdOK, Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QCOMPARE(host.document, QString(kPage).replace(3, 2, "<script language=\"T&amp;l\">a\r\nb</script>"));
    }

    // Every box keeps a long pasted text whole.
    void longTexts()
    {
        for (const auto &d : dialogs)
            for (QLineEdit *box : d->findChildren<QLineEdit *>())
                QVERIFY((box->setText(QString(40000, 'x')), box->text().size() == 40000));
    }
};

VELMORA_TEST_MAIN(TestMediaDialogs)
#include "tst_media_dialogs.moc"
