// The table and cell dialogs in a real main window: what OK and Cancel do to
// the document and the undo store, the tab order; and the menu keys with the
// focus in the text pane.
#include "document_dialogs/cell_dialog.h"
#include "widgets/dialog_parts.h"
#include "document_dialogs/table_dialog.h"
#include "editor/main_window.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using Setup = std::function<void(QDialog &)>;
Q_DECLARE_METATYPE(Setup)

namespace {

const QString kPage = QStringLiteral("<p>ab</p>");


} // namespace

class TestTableCellDialogs : public QObject {
    Q_OBJECT
    WindowFixture fx;
    ScriptedPlatform &platform = fx.platform;
    frmHTML *main = nullptr;

    // Triggers `command` and runs `inside` while the dialog it shows modally is
    // open; cancels the dialog if `inside` left it open.
    template <class Dialog = QDialog>
    bool whileShown(QAction *command, const std::function<void(Dialog &)> &inside)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
                shown = true;
                inside(*dialog);
                if (dialog->isVisible())
                    dialog->reject();
            }
        });
        command->trigger();
        activate(main);
        return shown;
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

    // One fragment per dialog proves the controls reach the builder; the
    // builder's own cases are tested without windows.
    void insertion_data()
    {
        QTest::addColumn<bool>("cell");
        QTest::addColumn<int>("selLength"); // from position 3
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("table, every control, over a selection") << false << 2 << Setup([this](QDialog &dialog) {
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
              "bordercolorlight=\"#FF0F00\">\r\n\r\n<tr>\r\n<td>&nbsp;</td>\r\n</tr>\r\n\r\n</table>\r\n</div>";
        QTest::newRow("cell, no selection: advice first") << true << 0 << Setup([](QDialog &) {})
            << "<td rowspan=\"1\" colspan=\"1\">&nbsp;</td>";
        QTest::newRow("cell, every control, selection: no advice") << true << 6 << Setup([](QDialog &dialog) {
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
        }) << "<th align=\"Right\" valign=\"Top\" rowspan=\"2\" width=\"5%\" height=\"20\" nowrap>&nbsp;</th>";
    }
    void insertion()
    {
        QFETCH(bool, cell);
        QFETCH(int, selLength);
        QFETCH(Setup, setup);
        QFETCH(QString, fragment);
        QAction *command = cell ? main->menu().mnuCell : main->menu().mnuTable;
        document(3, selLength);
        const auto ok = [cell](QDialog &d) {
            (cell ? static_cast<frmC &>(d).cmdOK : static_cast<frmT &>(d).cmdOK)->click();
            QVERIFY(!d.isVisible());
        };
        bool modalAtAdvice = true;
        platform.onRequest = [&](const QString &) { modalAtAdvice = QApplication::activeModalWidget(); };
        QVERIFY(whileShown<QDialog>(command, [&](QDialog &d) { setup(d); ok(d); }));
        platform.onRequest = nullptr;
        const bool advice = cell && selLength == 0;
        QCOMPARE(platform.messages.size(), int(advice));
        QCOMPARE(messageLine(platform, 0), advice ? "Cell Properties|Exclamation|OK|" + kCellAdvice : "|None|OK|");
        QVERIFY(!advice || !modalAtAdvice); // the advice comes before the dialog
        // The caret, the preview and Undo follow from the shared insertion
        // (tested with the text pane and the Edit menu); the name is the dialog's.
        const QString expected = QString(kPage).replace(3, selLength, fragment);
        QCOMPARE(main->HTML()->wholeText(), expected);
        QCOMPARE(main->menu().mnuUndo->text(), cell ? "&Undo Cell Properties" : "&Undo Insert Table");

        // Reopened, the dialog holds the same values: its OK again inserts the
        // same fragment.
        document(3, selLength);
        QVERIFY(whileShown<QDialog>(command, ok));
        QCOMPARE(main->HTML()->wholeText(), expected);
    }

    // Tab goes from the first box through the shared size frame in its own
    // order, and ends on OK, then Cancel.
    void tabOrder()
    {
        const auto check = [](QDialog &dialog, QWidget *first, SizeFrame *size, QWidget *ok, QWidget *cancel) {
            QList<QWidget *> chain;
            for (QWidget *w = first; chain.isEmpty() || w != first; w = w->nextInFocusChain())
                if ((w->focusPolicy() & Qt::TabFocus) && dialog.isAncestorOf(w))
                    chain << w;
            const QList<QWidget *> frame = size->tabChain();
            QCOMPARE(chain.mid(chain.indexOf(frame.first()), frame.size()), frame);
            QCOMPARE(chain.mid(chain.size() - 2), QList<QWidget *>({ok, cancel}));
        };
        QVERIFY(whileShown<frmC>(main->menu().mnuCell,
                                 [&](frmC &d) { check(d, d.cmbHAlign, d.fraSize, d.cmdOK, d.cmdCancel); }));
        QVERIFY(whileShown<frmT>(main->menu().mnuTable,
                                 [&](frmT &d) { check(d, d.cmbAlign, d.fraSize, d.cmdOK, d.cmdCancel); }));
    }

    // Cancel changes nothing, also after an OK refused for a bad row count
    // (the dialog stays open for a correction); reopened, the dialog shows
    // what was typed. (Esc is QDialog's reject, as Cancel's.)
    void cancelChangesNothing()
    {
        document(2, 3);
        const QString undoText = main->undoStore().recordedText();
        const QString columns = QStringLiteral("7");
        platform.messageAnswers << MsgResult::OK;
        QVERIFY(whileShown<frmT>(main->menu().mnuTable, [&](frmT &d) {
            d.txtColumns->setText(columns);
            d.txtRows->setText("x");
            d.cmdOK->click();
            QVERIFY(d.isVisible());
            d.txtRows->setText("2");
            d.cmdCancel->click();
            QVERIFY(!d.isVisible());
        }));
        QVERIFY(platform.messages.size() == 1 && platform.messages[0].title == "Table Creation Error");
        QCOMPARE(main->HTML()->wholeText(), kPage);
        QVERIFY(main->HTML()->selStart() == 2 && main->HTML()->selLength() == 3);
        QCOMPARE(main->undoStore().recordedText(), undoText);
        QVERIFY(whileShown<frmT>(main->menu().mnuTable, [&](frmT &d) { QCOMPARE(d.txtColumns->text(), columns); }));
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
