// The "Startup HTML" window on a real main window: keyboard, buttons, and
// what OK and Cancel do to the document, with the scripted platform standing
// in for the message box and the common dialogs.

#include "document_dialogs/dialog_parts.h"
#include "document_dialogs/new_dialog.h"
#include "editor/main_window.h"
#include "support/scripted_platform.h"
#include "support/test_env.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kOld = QStringLiteral("old document\r\n");
QString defaultPage()
{
    return buildNewPage(NewPageFields(), Ver()).page;
}
} // namespace

class TestNewDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void initialValuesAndEnter(); // first: the dialog is as created
    void tabOrderAndAccessKeys();
    void soundLoopMessageKeepsTheDialog();
    void cancelAndCloseBox_data();
    void cancelAndCloseBox();
    void playContinuouslyAndReset();
    void colourButtons_data();
    void colourButtons();
    void browseButtons_data();
    void browseButtons();
    void valuesSurviveHiding();

private:
    frmNew &dialog() { return main->newDialog(); }
    template <typename T = QWidget> T *control(const QString &name)
    {
        T *widget = dialog().findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QLineEdit *box(const QString &name) { return control<QLineEdit>(name); }
    // Shows the dialog without blocking, as the New command does with exec().
    void showDialog()
    {
        dialog().show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog()));
    }

    ScriptedPlatform platform;
    std::unique_ptr<frmHTML> main;
};

void TestNewDialog::initTestCase()
{
    QString error;
    std::unique_ptr<VatroControl> vatro = VatroControl::create(&error);
    QVERIFY2(vatro, qPrintable(error));
    main = std::make_unique<frmHTML>(platform, std::move(vatro), QString());
}

void TestNewDialog::init()
{
    main->HTML->setWholeText(kOld);
    main->NoNew = true;
    showDialog();
}

void TestNewDialog::cleanup()
{
    dialog().hide();
    dialog().cmdReset->click();
    dialog().cmdCancel->setEnabled(false);
    QCOMPARE(platform.unexpectedCalls, 0);
    platform = ScriptedPlatform();
}

void TestNewDialog::initialValuesAndEnter()
{
    QVERIFY(!dialog().cmdCancel->isEnabled());
    QCOMPARE(box("txtLoop")->text(), QStringLiteral("1"));
    QTest::keyClick(box("txtBase"), Qt::Key_Return); // Enter presses OK
    QVERIFY(!dialog().isVisible());
    QCOMPARE(main->HTML->wholeText(), defaultPage());
    QCOMPARE(main->HTML->selStart(), defaultPage().size());
    QVERIFY(main->NoNew);
}

void TestNewDialog::tabOrderAndAccessKeys()
{
    dialog().cmdCancel->setEnabled(true);
    const QStringList expected = QStringLiteral(
        "txtTitle cmdBC cmdDef txtST txtBase txtTarget cmdC1 Def1 cmdC2 Def2 cmdC3 Def3 cmdC4 "
        "Def4 txtSound Browse1 chkLoop txtLoop txtImage Browse2 chkWater txtMarginT txtMarginL "
        "txtCSS Browse3 cmdReset cmdOK cmdCancel txtTitle").split(QLatin1Char(' '));
    box("txtTitle")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);

    // Each label names the control after it, and its access key goes there.
    for (const char *name : {"Title", "ST", "Base", "Target", "Loop", "Image", "MarginT",
                             "MarginL", "CSS"}) {
        QLabel *label = control<QLabel>(QStringLiteral("lbl") + name);
        QCOMPARE(label->buddy(), box(QStringLiteral("txt") + name));
    }
    QCOMPARE(control<QLabel>("lblSnd")->buddy(), box("txtSound"));
    QTest::keyClick(&dialog(), Qt::Key_Y, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), box("txtCSS"));
}

void TestNewDialog::soundLoopMessageKeepsTheDialog()
{
    box("txtSound")->setText(QStringLiteral("a.wav")); // after Reset the loop box is empty
    platform.messageAnswers << MsgResult::OK;
    dialog().cmdOK->click();
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages[0].title, QStringLiteral("Sound Loop"));
    QCOMPARE(platform.messages[0].text,
             QStringLiteral("Please enter a value in the sound loop text box"));
    QCOMPARE(platform.messages[0].icon, MsgIcon::Exclamation);
    QVERIFY(dialog().isVisible());
    QCOMPARE(main->HTML->wholeText(), kOld);
    QVERIFY(main->NoNew);
}

void TestNewDialog::cancelAndCloseBox_data()
{
    QTest::addColumn<bool>("cancelEnabled");
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << true << "button";
    for (const char *how : {"Esc", "close box"}) {
        QTest::addRow("%s", how) << true << how;
        QTest::addRow("%s at start-up: nothing", how) << false << how;
    }
}

void TestNewDialog::cancelAndCloseBox()
{
    QFETCH(bool, cancelEnabled);
    QFETCH(QString, how);
    dialog().cmdCancel->setEnabled(cancelEnabled);
    if (how == "button")
        dialog().cmdCancel->click();
    else if (how == "Esc")
        QTest::keyClick(box("txtTitle"), Qt::Key_Escape);
    else
        dialog().close();
    QCOMPARE(dialog().isVisible(), !cancelEnabled);
    QCOMPARE(main->NoNew, !cancelEnabled);
    QCOMPARE(main->HTML->wholeText(), kOld);
}

void TestNewDialog::playContinuouslyAndReset()
{
    auto *chk = control<QCheckBox>("chkLoop");
    box("txtLoop")->setText(QStringLiteral("3"));
    for (bool ticked : {true, false, true}) {
        QTest::mouseClick(chk, Qt::LeftButton);
        QCOMPARE(chk->isChecked(), ticked);
        QCOMPARE(box("txtLoop")->isEnabled(), !ticked);
        QCOMPARE(control<QLabel>("lblLoop")->isEnabled(), !ticked);
        QCOMPARE(box("txtLoop")->text(), QStringLiteral("3"));
    }

    const QStringList boxes{"txtTitle", "txtST",    "txtBase",    "txtTarget",  "txtSound",
                            "txtLoop",  "txtImage", "txtMarginT", "txtMarginL", "txtCSS"};
    const QStringList swatches{"picBC", "Pic1", "Pic2", "Pic3", "Pic4"};
    for (const QString &name : boxes)
        box(name)->setText(QStringLiteral("typed"));
    for (const QString &name : swatches)
        control<ColourSwatch>(name)->setValue(0x123456);
    control<QCheckBox>("chkWater")->click();

    dialog().cmdReset->click();
    QStringList texts;
    for (const QString &name : boxes)
        texts << box(name)->text();
    QCOMPARE(texts, (QStringList{"Title goes here", "Page content goes here", "", "", "", "", "",
                                 "", "", ""}));
    for (const QString &name : swatches)
        QVERIFY(!control<ColourSwatch>(name)->hasColour());
    QVERIFY(!chk->isChecked() && !control<QCheckBox>("chkWater")->isChecked());
    QVERIFY(box("txtLoop")->isEnabled() && control<QLabel>("lblLoop")->isEnabled());
}

void TestNewDialog::colourButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<QString>("defaultButton");
    QTest::addColumn<QString>("attribute");
    QTest::newRow("background") << "cmdBC" << "picBC" << "cmdDef" << "bgcolor";
    QTest::newRow("text") << "cmdC1" << "Pic1" << "Def1" << "text";
    QTest::newRow("hyperlink") << "cmdC2" << "Pic2" << "Def2" << "link";
    QTest::newRow("visited link") << "cmdC3" << "Pic3" << "Def3" << "vlink";
    QTest::newRow("active link") << "cmdC4" << "Pic4" << "Def4" << "alink";
}

void TestNewDialog::colourButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, swatch);
    QFETCH(QString, defaultButton);
    QFETCH(QString, attribute);
    box("txtLoop")->setText(QStringLiteral("1"));
    platform.colourAnswers << ColourValue(0x123456) << std::nullopt;
    control<QPushButton>(button)->click();
    control<QPushButton>(button)->click(); // cancelled: the swatch keeps its colour
    QCOMPARE(control<ColourSwatch>(swatch)->value(), ColourValue(0x123456));
    dialog().cmdOK->click();
    QVERIFY(main->HTML->wholeText().contains("<body " + attribute + "=\"#563412\">\r\n"));

    control<QPushButton>(defaultButton)->click();
    showDialog();
    dialog().cmdOK->click();
    QCOMPARE(main->HTML->wholeText(), defaultPage());
}

void TestNewDialog::browseButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("title");
    QTest::newRow("sound") << "Browse1" << "txtSound" << kSoundFilter << "Choose a Sound";
    QTest::newRow("image") << "Browse2" << "txtImage" << kImageFilter << "Choose an Image";
    QTest::newRow("style sheet") << "Browse3" << "txtCSS" << kStyleSheetFilter
                                 << "Choose a Style Sheet";
}

void TestNewDialog::browseButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, box);
    QFETCH(QString, filter);
    QFETCH(QString, title);
    // Chosen, then cancelled: the box keeps the first choice.
    platform.fileAnswers << QStringLiteral("/home/u/a b.x") << std::nullopt;
    for (int i = 0; i < 2; ++i) {
        control<QPushButton>(button)->click();
        QCOMPARE(platform.fileRequests[i].filter, filter);
        QCOMPARE(platform.fileRequests[i].title, title);
        QCOMPARE(this->box(box)->text(), QStringLiteral("file:///home/u/a b.x"));
        QCOMPARE(main->OpenSave.filter, kDocumentFilter);
    }
}

void TestNewDialog::valuesSurviveHiding()
{
    dialog().cmdCancel->setEnabled(true);
    box("txtTitle")->setText(QStringLiteral("Kept"));
    box("txtTarget")->setText(QStringLiteral("main"));
    control<QCheckBox>("chkLoop")->click();
    dialog().cmdOK->click();
    const QString first = main->HTML->wholeText();
    QVERIFY(first.contains("<title>Kept</title>\r\n<base target=\"main\">\r\n"));

    showDialog();
    dialog().cmdCancel->click();
    showDialog();
    QCOMPARE(box("txtTitle")->text(), QStringLiteral("Kept"));
    QVERIFY(!box("txtLoop")->isEnabled());
    main->HTML->setWholeText(QStringLiteral("other"));
    dialog().cmdOK->click();
    QCOMPARE(main->HTML->wholeText(), first);
}

VELMORA_TEST_MAIN(TestNewDialog)
#include "tst_new_dialog.moc"
