// The dialogs in the real main window: every insertion command once from its
// key in the text pane (dialog or prompts, document, Undo's name, preview),
// the table and cell dialogs with every control, Cancel, the tab order; the
// special character dialog and the look commands; and every key of the menu
// bar from the text pane.
#include "document_dialogs/cell_dialog.h"
#include "widgets/dialog_parts.h"
#include "document_dialogs/table_dialog.h"
#include "editor/dialog_registry.h"
#include "editor/main_window.h"
#include "media_dialogs/image_dialog.h"
#include "support/fake_host.h"
#include "support/modal_watch.h"
#include "support/test_env.h"
#include "support/window_fixture.h"
#include "text_dialogs/tag_dialog.h"

using Setup = std::function<void(QDialog &)>;
using Answers = std::function<void(ScriptedPlatform &)>;
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Answers)

namespace {

const QString kPage = QStringLiteral("<p>ab</p>");
constexpr ColourValue kRed = 0x0000FF;
const QKeySequence kTable(QStringLiteral("Ctrl+T")), kCell(QStringLiteral("Ctrl+P"));

} // namespace

class TestTableCellDialogs : public QObject {
    Q_OBJECT
    WindowFixture fx;
    ScriptedPlatform &platform = fx.platform;
    frmHTML *main = nullptr;

    // Presses `key` in the text pane and runs `inside` while the dialog it
    // shows modally is open; cancels the dialog if `inside` left it open.
    template <class Dialog = QDialog>
    bool whileShown(const QKeySequence &key, const std::function<void(Dialog &)> &inside)
    {
        ModalWatch<Dialog> watch([&](Dialog &dialog) {
            inside(dialog);
            if (dialog.isVisible())
                dialog.reject();
        });
        press(key);
        activate(main);
        return watch.count() > 0;
    }
    void press(const QKeySequence &key)
    {
        main->HTML()->setFocus();
        QTest::keySequence(main->HTML(), key);
    }

    // kPage with `selLength` characters selected from `selStart`, auto-update on.
    void document(int selStart, int selLength)
    {
        main->HTML()->setWholeText(kPage);
        if (!main->menu().mnuAU->isChecked())
            main->menu().mnuAU->trigger();
        main->HTML()->setSelStart(selStart);
        main->HTML()->setSelLength(selLength);
        platform = ScriptedPlatform(); // a fresh record, no answers left over
    }

private slots:
    void initTestCase()
    {
        fx.start();
        main = fx.window.get();
        activate(main);
    }

    // Each command once from its key, over "ab" (or more) of kPage. The table
    // and cell rows set every control: the window tests of those dialogs; the
    // other dialogs' controls are tested on a fake host, the fragments' own
    // cases without windows.
    void commands_data()
    {
        QTest::addColumn<int>("selLength"); // from position 3
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<Setup>("inDialog"); // null: no modal dialog of its own
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<QString>("action");
        const Answers none = [](ScriptedPlatform &) {};
        const Setup ok = [](QDialog &) {};
        QTest::newRow("Ctrl+T table, every control") << 2 << none << Setup([this](QDialog &dialog) {
            auto &d = static_cast<frmT &>(dialog);
            d.cmbAlign->setCurrentIndex(3);
            d.txtBorderSize->setText("3");
            d.txtCellPadding->clear();
            d.txtCellSpacing->setText("4");
            d.fraSize->txtWidth->setText("80");
            d.fraSize->optPixels->click();
            d.fraSize->txtHeight->setText("20");
            platform.colourAnswers << 255 << 65280 << 16711680 << 4095;
            for (QPushButton *b : {d.cmdBGc, d.cmdBdCc, d.cmdBdCdc, d.cmdBdClc, d.cmdBdCd})
                b->click();
            platform.fileAnswers << QStringLiteral("C:\\pics\\a b.gif");
            d.Browse1->click();
            QCOMPARE(platform.fileRequests.value(0).filter, kImageFilter); // the cell dialog shares this row
            d.txtColumns->setText(" 1 ");
            d.txtRows->setText("1e0");
        }) << "<div align=\"Justify\">\r\n\r\n<table border=\"3\" cellspacing=\"4\" width=\"80\" height=\"20%\" "
              "background=\"file://C:\\pics\\a b.gif\" bgcolor=\"#FF0000\" bordercolordark=\"#0000FF\" "
              "bordercolorlight=\"#FF0F00\">\r\n\r\n<tr>\r\n<td>&nbsp;</td>\r\n</tr>\r\n\r\n</table>\r\n</div>"
           << "Insert Table";
        QTest::newRow("Ctrl+P cell, no selection: advice first") << 0
            << Answers([](ScriptedPlatform &p) { p.messageAnswers << MsgResult::OK; })
            << Setup([this](QDialog &) { QCOMPARE(messageLine(platform, 0), "Cell Properties|Exclamation|OK|" + kCellAdvice); })
            << "<td rowspan=\"1\" colspan=\"1\">&nbsp;</td>" << "Cell Properties";
        QTest::newRow("Ctrl+P cell, every control, selection: no advice") << 6 << none << Setup([](QDialog &dialog) {
            auto &d = static_cast<frmC &>(dialog);
            d.chkHeader->setChecked(true);
            d.chkWrap->setChecked(true);
            d.cmbHAlign->setCurrentIndex(2);
            d.cmbVAlign->setCurrentIndex(0);
            d.txtR->setText("2");
            d.txtH->clear();
            d.fraSize->txtHeight->setText("20");
            d.fraSize->optPixelsH->click();
            d.fraSize->txtWidth->setText("5");
        }) << "<th align=\"Right\" valign=\"Top\" rowspan=\"2\" width=\"5%\" height=\"20\" nowrap>&nbsp;</th>"
           << "Cell Properties";
        QTest::newRow("Ctrl+I image") << 2 << none
            << Setup([](QDialog &d) { static_cast<frmI &>(d).txtImage->setText("i.gif"); })
            << "<img src=\"i.gif\">" << "Insert Image";
        QTest::newRow("Ctrl+Q marquee") << 2 << none << ok << "<marquee>Marquee</marquee>" << "Insert Marquee";
        QTest::newRow("Ctrl+S script, saves nothing") << 2 << none << ok
            << "<script language=\"JavaScript\"><!--\r\n\r\n// --></script>" << "Insert Script";
        QTest::newRow("Ctrl+H horizontal rule") << 2 << none << ok << "<hr>" << "Horizontal Rule";
        QTest::newRow("Ctrl+Y hyperlink") << 2 << Answers([](ScriptedPlatform &p) { p.inputAnswers = {"a.htm", "", ""}; })
            << Setup() << "<a href=\"a.htm\">ab</a>" << "Hyperlink";
        QTest::newRow("Ctrl+B bookmark") << 2 << Answers([](ScriptedPlatform &p) { p.inputAnswers = {"n", ""}; })
            << Setup() << "<a name=\"n\">ab</a>" << "Bookmark";
        QTest::newRow("Ctrl+F3 file name") << 2 << Answers([](ScriptedPlatform &p) { p.fileAnswers << QStringLiteral("/a b.htm"); })
            << Setup() << "\"file:///a b.htm\"" << "File Name";
        QTest::newRow("Ctrl+F2 HTML colour") << 2 << Answers([](ScriptedPlatform &p) { p.colourAnswers << kRed; })
            << Setup() << "\"#FF0000\"" << "HTML Colour";
        QTest::newRow("Ctrl+F4 HTML to text") << 6 << none << Setup() << "ab&lt;/p&gt;" << "Convert HTML to Text";
    }
    void commands()
    {
        QFETCH(int, selLength);
        QFETCH(Answers, answers);
        QFETCH(Setup, inDialog);
        QFETCH(QString, fragment);
        QFETCH(QString, action);
        const QKeySequence key(QString(QTest::currentDataTag()).section(' ', 0, 0));
        document(3, selLength);
        answers(platform);
        const auto ok = [](QDialog &d) {
            for (QPushButton *b : d.findChildren<QPushButton *>())
                if (b->text() == "&OK")
                    b->click();
            QVERIFY(!d.isVisible());
        };
        if (inDialog)
            QVERIFY(whileShown<QDialog>(key, [&](QDialog &d) { inDialog(d); ok(d); }));
        else
            press(key);
        QCOMPARE(platform.unexpectedCalls, 0); // a message no row expects is one
        // The caret and what Undo restores follow from the shared insertion
        // (tested with the text pane and the Edit menu); the name is the command's.
        const QString expected = QString(kPage).replace(3, selLength, fragment);
        QCOMPARE(main->HTML()->wholeText(), expected);
        QCOMPARE(main->menu().mnuUndo->text(), "&Undo " + action);
        QTRY_COMPARE(fileBytes(WindowFixture::previewFile()), (expected + "\r\n").toUtf8());

        // Reopened, a dialog holds the same values: its OK again inserts the
        // same fragment.
        if (inDialog) {
            document(3, selLength);
            QVERIFY(whileShown<QDialog>(key, ok));
            QCOMPARE(main->HTML()->wholeText(), expected);
        }
    }

    // Cancel changes nothing, also after an OK refused for a bad row count
    // (the dialog stays open for a correction); reopened, the dialog shows
    // what was typed. (Esc is QDialog's reject, as Cancel's.)
    void cancelChangesNothing()
    {
        document(2, 3);
        platform.messageAnswers << MsgResult::OK;
        QVERIFY(whileShown<frmT>(kTable, [&](frmT &d) {
            d.txtColumns->setText("7");
            d.txtRows->setText("x");
            d.cmdOK->click();
            QVERIFY(d.isVisible());
            d.txtRows->setText("2");
            d.cmdCancel->click();
        }));
        QCOMPARE(platform.messages.value(0).title, "Table Creation Error");
        QVERIFY(main->HTML()->wholeText() == kPage && main->HTML()->selStart() == 2 && main->HTML()->selLength() == 3);
        QVERIFY(whileShown<frmT>(kTable, [&](frmT &d) { QCOMPARE(d.txtColumns->text(), "7"); }));
    }

    // The special character dialog: modeless, owned, one instance; a click
    // inserts and gives the keyboard back to the text pane.
    void specialCharacters()
    {
        document(3, 0);
        main->menu().mnuST->trigger();
        frmTag *dialog = main->findChild<frmTag *>();
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal() && dialog->parentWidget() == main);
        QTRY_VERIFY(dialog->isActiveWindow());
        dialog->cmdAmp->click();
        QCOMPARE(main->menu().mnuUndo->text(), "&Undo Ampersand");
        QTRY_COMPARE(QApplication::focusWidget(), main->HTML());
        main->menu().mnuST->trigger();
        QVERIFY(main->findChild<frmTag *>() == dialog && dialog->isVisible());
        QTRY_VERIFY(dialog->isActiveWindow());
        dialog->cmdClose->click();
    }

    // The look commands change the pane and keep the selection; cancelled,
    // they change nothing.
    void lookCommands()
    {
        document(1, 3);
        const FontChoice chosen{"DejaVu Serif", 14, true, false, false, true, kRed};
        platform.fontAnswers << chosen << std::nullopt;
        platform.colourAnswers << 0x00FFFF << std::nullopt;
        main->HTML()->setBackColour(0x123456);
        for (int i = 0; i < 2; ++i) {
            main->menu().mnuFont->trigger();
            main->menu().mnuColour->trigger();
            QVERIFY(main->HTML()->selFormat() == chosen && main->HTML()->backColour() == 0x00FFFFu);
            QVERIFY(main->HTML()->selStart() == 1 && main->HTML()->selLength() == 3);
        }
        QCOMPARE(platform.colourRequests[0].current, 0x123456u); // opens on the background
    }

    // Last, as it disconnects the menu items: every key of the menu bar
    // reaches its item while the text pane has the focus.
    void menuKeysWithFocusInTextPane()
    {
        QList<QAction *> items;
        for (QMenu *menu : main->menuBar()->findChildren<QMenu *>()) // submenus too
            for (QAction *a : menu->actions())
                if (!a->menu() && !a->shortcut().isEmpty()) {
                    disconnect(a, &QAction::triggered, nullptr, nullptr);
                    a->setEnabled(true);
                    items << a;
                }
        QVERIFY(items.size() >= 25);
        activate(main);
        for (QAction *a : items) {
            main->HTML()->setFocus();
            QSignalSpy spy(a, &QAction::triggered);
            const QString before = main->HTML()->wholeText();
            QTest::keySequence(main->HTML(), a->shortcut());
            QVERIFY2(spy.size() == 1, qPrintable(a->shortcut().toString() + " " + a->text()));
            QCOMPARE(main->HTML()->wholeText(), before);
        }
    }
};

VELMORA_TEST_MAIN(TestTableCellDialogs)
#include "tst_table_cell_dialogs.moc"
