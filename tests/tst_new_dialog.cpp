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
} // namespace

class TestNewDialog : public QObject {
    Q_OBJECT
    ScriptedPlatform platform;
    std::unique_ptr<frmHTML> main;

    frmNew &dialog() { return main->newDialog(); }
    template <typename T = QLineEdit> T *control(const QString &name)
    {
        T *widget = dialog().findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    // Shows the dialog without blocking, as the New command does with exec().
    void showDialog()
    {
        dialog().show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog()));
    }
    static QString defaultPage() { return buildNewPage(NewPageFields(), Ver()).page; }

private slots:
    void initTestCase()
    {
        QString error;
        std::unique_ptr<VatroControl> vatro = VatroControl::create(&error);
        QVERIFY2(vatro, qPrintable(error));
        main = std::make_unique<frmHTML>(platform, std::move(vatro), QString());
    }
    void init()
    {
        main->HTML->setWholeText(kOld);
        main->NoNew = true;
        showDialog();
    }
    void cleanup()
    {
        dialog().hide();
        dialog().cmdReset->click();
        dialog().cmdCancel->setEnabled(false);
        QCOMPARE(platform.unexpectedCalls, 0);
        platform = ScriptedPlatform();
    }

    void enterPressesOk() // first: the dialog is as created
    {
        QVERIFY(!dialog().cmdCancel->isEnabled());
        QTest::keyClick(control("txtBase"), Qt::Key_Return);
        QVERIFY(!dialog().isVisible());
        QCOMPARE(main->HTML->wholeText(), defaultPage());
        QCOMPARE(main->HTML->selStart(), defaultPage().size());
        QVERIFY(main->NoNew);
    }

    void tabOrder()
    {
        dialog().cmdCancel->setEnabled(true);
        const QStringList expected = QStringLiteral(
            "txtTitle cmdBC cmdDef txtST txtBase txtTarget cmdC1 Def1 cmdC2 Def2 cmdC3 Def3 cmdC4 Def4 txtSound "
            "Browse1 chkLoop txtLoop txtImage Browse2 chkWater txtMarginT txtMarginL txtCSS Browse3 cmdReset "
            "cmdOK cmdCancel txtTitle").split(' ');
        control("txtTitle")->setFocus();
        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void soundLoopMessageKeepsTheDialog()
    {
        control("txtSound")->setText(QStringLiteral("a.wav")); // after Reset the loop box is empty
        platform.messageAnswers << MsgResult::OK;
        dialog().cmdOK->click();
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].title, QStringLiteral("Sound Loop"));
        QVERIFY(dialog().isVisible());
        QCOMPARE(main->HTML->wholeText(), kOld);
    }

    void cancel_data()
    {
        QTest::addColumn<bool>("cancelEnabled");
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel button") << true << "button";
        for (const char *how : {"Esc", "close box"}) {
            QTest::addRow("%s", how) << true << how;
            QTest::addRow("%s at start-up: nothing", how) << false << how;
        }
    }
    void cancel()
    {
        QFETCH(bool, cancelEnabled);
        QFETCH(QString, how);
        dialog().cmdCancel->setEnabled(cancelEnabled);
        if (how == "button")
            dialog().cmdCancel->click();
        else if (how == "Esc")
            QTest::keyClick(control("txtTitle"), Qt::Key_Escape);
        else
            dialog().close();
        QCOMPARE(dialog().isVisible(), !cancelEnabled);
        QCOMPARE(main->NoNew, !cancelEnabled);
        QCOMPARE(main->HTML->wholeText(), kOld);
    }

    void playContinuouslyAndReset()
    {
        auto *chk = control<QCheckBox>("chkLoop");
        control("txtLoop")->setText(QStringLiteral("3"));
        for (bool ticked : {true, false, true}) {
            QTest::mouseClick(chk, Qt::LeftButton);
            QCOMPARE(control("txtLoop")->isEnabled(), !ticked);
            QCOMPARE(control<QLabel>("lblLoop")->isEnabled(), !ticked);
        }
        QCOMPARE(control("txtLoop")->text(), QStringLiteral("3"));

        for (QLineEdit *box : dialog().findChildren<QLineEdit *>())
            box->setText(QStringLiteral("typed"));
        for (ColourSwatch *swatch : dialog().findChildren<ColourSwatch *>())
            swatch->setValue(0x123456);
        control<QCheckBox>("chkWater")->click();
        dialog().cmdReset->click();
        QString texts;
        for (QLineEdit *box : dialog().findChildren<QLineEdit *>())
            texts += box->text();
        QCOMPARE(texts, QStringLiteral("Title goes herePage content goes here"));
        for (ColourSwatch *swatch : dialog().findChildren<ColourSwatch *>())
            QVERIFY(!swatch->hasColour());
        QVERIFY(!chk->isChecked() && !control<QCheckBox>("chkWater")->isChecked());
        QVERIFY(control("txtLoop")->isEnabled());
    }

    void colourButtons()
    {
        // Each colour button paints its own swatch; a cancelled colour keeps it.
        const QStringList buttons{"cmdBC", "cmdC1", "cmdC2", "cmdC3", "cmdC4"};
        for (int i = 0; i < buttons.size(); ++i) {
            platform.colourAnswers << ColourValue(0x111111 * (i + 1)) << std::nullopt;
            control<QPushButton>(buttons[i])->click();
            control<QPushButton>(buttons[i])->click();
        }
        control("txtLoop")->setText(QStringLiteral("1"));
        dialog().cmdOK->click();
        QVERIFY(main->HTML->wholeText().contains(
            "<body bgcolor=\"#111111\" text=\"#222222\" link=\"#333333\" vlink=\"#444444\" alink=\"#555555\">\r\n"));
        for (const char *name : {"cmdDef", "Def1", "Def2", "Def3", "Def4"})
            control<QPushButton>(name)->click();
        showDialog();
        dialog().cmdOK->click();
        QCOMPARE(main->HTML->wholeText(), defaultPage());
    }

    void browseButtons()
    {
        const QList<QStringList> buttons{{"Browse1", "txtSound", kSoundFilter, "Choose a Sound"},
                                         {"Browse2", "txtImage", kImageFilter, "Choose an Image"},
                                         {"Browse3", "txtCSS", kStyleSheetFilter, "Choose a Style Sheet"}};
        for (const QStringList &b : buttons) {
            // Chosen, then cancelled: the box keeps the first choice.
            platform.fileRequests.clear();
            platform.fileAnswers << QStringLiteral("/home/u/a b.x") << std::nullopt;
            for (int i = 0; i < 2; ++i) {
                control<QPushButton>(b[0])->click();
                QCOMPARE(platform.fileRequests.value(i).filter + platform.fileRequests.value(i).title, b[2] + b[3]);
                QCOMPARE(control(b[1])->text(), QStringLiteral("file:///home/u/a b.x"));
                QCOMPARE(main->OpenSave.filter, kDocumentFilter);
            }
        }
    }

    void reopenShowsLastValues()
    {
        dialog().cmdCancel->setEnabled(true);
        control("txtTitle")->setText(QStringLiteral("Kept"));
        control<QCheckBox>("chkLoop")->click();
        dialog().cmdOK->click();
        const QString first = main->HTML->wholeText();
        QVERIFY(first.contains("<title>Kept</title>"));
        showDialog();
        dialog().cmdCancel->click();
        showDialog();
        QCOMPARE(control("txtTitle")->text(), QStringLiteral("Kept"));
        QVERIFY(!control("txtLoop")->isEnabled());
        main->HTML->setWholeText(QStringLiteral("other"));
        dialog().cmdOK->click();
        QCOMPARE(main->HTML->wholeText(), first);
    }
};

VELMORA_TEST_MAIN(TestNewDialog)
#include "tst_new_dialog.moc"
