// The table and cell dialogs in a real main window: what OK, Cancel and the
// browse button do to the document, the undo store, the preview file and the
// borrowed file dialog; and the menu keys with the focus in the text pane.
#include "document_dialogs/cell_dialog.h"
#include "document_dialogs/dialog_parts.h"
#include "document_dialogs/table_dialog.h"
#include "editor/main_window.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using TableSetup = std::function<void(frmT &)>;
using CellSetup = std::function<void(frmC &)>;
Q_DECLARE_METATYPE(TableSetup)
Q_DECLARE_METATYPE(CellSetup)

namespace {

const QString kPage = QStringLiteral("<p>ab</p>");
const QString kTable2x2 = QStringLiteral(
    "<table border=\"0\" cellpadding=\"1\" cellspacing=\"2\">\r\n\r\n"
    "<tr>\r\n<td>&nbsp;</td>\r\n<td>&nbsp;</td>\r\n</tr>\r\n"
    "<tr>\r\n<td>&nbsp;</td>\r\n<td>&nbsp;</td>\r\n</tr>\r\n\r\n</table>");

// Triggers `command` and runs `inside` while the dialog it shows modally is
// open; the dialog is cancelled afterwards if `inside` left it open.
template <class Dialog>
bool whileShown(QAction *command, const std::function<void(Dialog &)> &inside)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = true;
        inside(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    command->trigger();
    return shown;
}

} // namespace

class TestTableCellDialogs : public QObject {
    Q_OBJECT
    WindowFixture fx;
    ScriptedPlatform &platform = fx.platform;
    frmHTML *main = nullptr;

    // A fresh document holding kPage with `selLength` characters selected
    // from `selStart`, auto-update on.
    void document(int selStart, int selLength)
    {
        main->HTML->setWholeText(kPage);
        if (!main->mnuAU->isChecked())
            main->mnuAU->trigger();
        main->HTML->setSelStart(selStart);
        main->HTML->setSelLength(selLength);
        platform.messages.clear();
        platform.fileRequests.clear();
    }

    // After an insertion of `fragment` at `at`: text, caret, Undo caption,
    // preview file; then F8 brings back the page and the caret.
    void checkInserted(const QString &fragment, int at, int replaced, const QString &action)
    {
        const QString expected = QString(kPage).replace(at, replaced, fragment);
        QCOMPARE(main->HTML->wholeText(), expected);
        QCOMPARE(main->HTML->selStart(), at + fragment.size());
        QCOMPARE(main->HTML->selLength(), 0);
        QVERIFY(main->mnuUndo->isEnabled());
        QCOMPARE(main->mnuUndo->text(), "&Undo " + action);
        QCOMPARE(fileBytes(main->previewFile()), expected.toLatin1());
        main->HTML->setFocus();
        QTest::keyClick(main->HTML, Qt::Key_F8);
        QCOMPARE(main->HTML->wholeText(), kPage);
        QCOMPARE(main->HTML->selStart(), at);
        QVERIFY(!main->mnuUndo->isEnabled());
    }

private slots:
    void initTestCase()
    {
        fx.start();
        main = fx.window.get();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
    }

    void tableOK_data()
    {
        QTest::addColumn<TableSetup>("setup");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("initial values at the caret") << TableSetup([](frmT &) {}) << 3 << 0 << kTable2x2;
        QTest::newRow("every control, replacing the selection")
            << TableSetup([this](frmT &d) {
                   d.cmbAlign->setCurrentIndex(3);
                   d.txtBorderSize->setText("3");
                   d.txtCellPadding->clear();
                   d.txtCellSpacing->setText("4");
                   d.fraSize->txtWidth->setText("80");
                   d.fraSize->optPixels->click();
                   d.fraSize->txtHeight->setText("20");
                   platform.colourAnswers << 255 << 65280 << 16711680 << 4095;
                   for (QPushButton *b : {d.cmdBGc, d.cmdBdCc, d.cmdBdCdc, d.cmdBdClc})
                       b->click();
                   d.cmdBdCd->click();
                   platform.fileAnswers << QStringLiteral("C:\\pics\\a b.gif");
                   d.Browse1->click();
                   d.txtColumns->setText(" 1 ");
                   d.txtRows->setText("1e0");
               })
            << 3 << 2
            << "<div align=\"Justify\">\r\n\r\n<table border=\"3\" cellspacing=\"4\" width=\"80\" height=\"20%\" "
               "background=\"file://C:\\pics\\a b.gif\" bgcolor=\"#FF0000\" bordercolordark=\"#0000FF\" "
               "bordercolorlight=\"#FF0F00\">\r\n\r\n<tr>\r\n<td>&nbsp;</td>\r\n</tr>\r\n\r\n</table>\r\n</div>";
    }
    void tableOK()
    {
        QFETCH(TableSetup, setup);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, fragment);
        document(selStart, selLength);
        frmT *seen = nullptr;
        QVERIFY(whileShown<frmT>(main->mnuTable, [&](frmT &d) {
            seen = &d;
            setup(d);
            d.cmdOK->click();
        }));
        QVERIFY(!seen->isVisible());
        QCOMPARE(platform.messages.size(), 0);
        checkInserted(fragment, selStart, selLength, "Insert Table");
    }

    // The replacement is one step of the text pane's own history (Ctrl+Z).
    void textPaneUndoIsOneStep()
    {
        document(3, 2);
        QVERIFY(whileShown<frmT>(main->mnuTable, [](frmT &d) { d.cmdOK->click(); }));
        QVERIFY(main->HTML->wholeText() != kPage);
        main->HTML->setFocus();
        QTest::keyClick(main->HTML, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(main->HTML->wholeText(), kPage);
    }

    void tableRefusesCounts_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("message");
        QTest::newRow("both wrong") << "abc" << "x" << "A number was not entered into the columns textbox";
        QTest::newRow("rows wrong") << "2" << "x" << "A number was not entered into the rows textbox";
        QTest::newRow("too many cells") << "32767" << "31" << "1,000,000 cells";
    }
    void tableRefusesCounts()
    {
        QFETCH(QString, columns);
        QFETCH(QString, rows);
        QFETCH(QString, message);
        document(3, 0);
        const QString undoCaption = main->mnuUndo->text();
        QVERIFY(whileShown<frmT>(main->mnuTable, [&](frmT &d) {
            d.txtColumns->setText(columns);
            d.txtRows->setText(rows);
            d.cmdOK->click();
            QVERIFY(d.isVisible()); // stays open for a correction
            d.txtColumns->setText("2");
            d.txtRows->setText("2");
        }));
        QCOMPARE(platform.messages.size(), 1);
        QVERIFY2(platform.messages[0].text.contains(message), qPrintable(platform.messages[0].text));
        QCOMPARE(platform.messages[0].title, QStringLiteral("Table Creation Error"));
        QCOMPARE(platform.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(main->HTML->wholeText(), kPage);
        QCOMPARE(main->mnuUndo->text(), undoCaption);
    }

    void cancelKeepsDocumentAndValues_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel button") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }
    void cancelKeepsDocumentAndValues()
    {
        QFETCH(int, how);
        document(2, 3);
        const QString undoText = main->Undotxt;
        frmT *first = nullptr;
        QVERIFY(whileShown<frmT>(main->mnuTable, [&](frmT &d) {
            first = &d;
            d.txtColumns->setText(QString::number(how + 5));
            d.cmbAlign->setCurrentIndex(0);
            if (how == 0)
                d.cmdCancel->click();
            else if (how == 1)
                QTest::keyClick(d.txtColumns, Qt::Key_Escape);
            else
                d.close();
            QVERIFY(!d.isVisible());
        }));
        QCOMPARE(main->HTML->wholeText(), kPage);
        QCOMPARE(main->HTML->selStart(), 2);
        QCOMPARE(main->HTML->selLength(), 3);
        QCOMPARE(main->Undotxt, undoText);
        QVERIFY(whileShown<frmT>(main->mnuTable, [&](frmT &d) {
            QCOMPARE(&d, first);
            QCOMPARE(d.txtColumns->text(), QString::number(how + 5));
            QCOMPARE(d.cmbAlign->currentIndex(), 0);
            d.cmbAlign->setCurrentIndex(1);
            d.txtColumns->setText("2");
        }));
    }

    void cellItem_data()
    {
        QTest::addColumn<int>("selLength");
        QTest::addColumn<CellSetup>("setup");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("no selection: advice, then the dialog")
            << 0 << CellSetup([](frmC &) {}) << "<td rowspan=\"1\" colspan=\"1\">&nbsp;</td>";
        QTest::newRow("a cell selected: the dialog at once")
            << 9 << CellSetup([](frmC &d) {
                   d.chkHeader->setChecked(true);
                   d.chkWrap->setChecked(true);
                   d.cmbHAlign->setCurrentIndex(2);
                   d.cmbVAlign->setCurrentIndex(0);
                   d.txtR->setText("2");
                   d.txtH->clear();
                   d.fraSize->txtHeight->setText("20");
                   d.fraSize->optPixelsH->click();
                   d.fraSize->txtWidth->setText("5");
               })
            << "<th align=\"Right\" valign=\"Top\" rowspan=\"2\" width=\"5%\" height=\"20\" nowrap>&nbsp;</th>";
    }
    void cellItem()
    {
        QFETCH(int, selLength);
        QFETCH(CellSetup, setup);
        QFETCH(QString, fragment);
        document(0, selLength);
        bool dialogOpenAtMessage = true;
        platform.onRequest = [&](const QString &) {
            dialogOpenAtMessage = QApplication::activeModalWidget() != nullptr;
        };
        QVERIFY(whileShown<frmC>(main->mnuCell, [&](frmC &d) {
            setup(d);
            d.cmdOK->click();
        }));
        platform.onRequest = nullptr;
        if (selLength == 0) {
            QCOMPARE(platform.messages.size(), 1);
            QCOMPARE(platform.messages[0].text, QStringLiteral("It is recommended that you select <td> and "
                                                               "</td> and any text in between for this to work properly"));
            QCOMPARE(platform.messages[0].title, QStringLiteral("Cell Properties"));
            QCOMPARE(platform.messages[0].icon, MsgIcon::Exclamation);
            QVERIFY(!dialogOpenAtMessage);
        } else {
            QCOMPARE(platform.messages.size(), 0);
        }
        checkInserted(fragment, 0, selLength, "Cell Properties");
    }

    void browseRestoresFilter_data()
    {
        QTest::addColumn<bool>("cell");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("text");
        for (bool cell : {false, true}) {
            const char *dialog = cell ? "cell: " : "table: ";
            QTest::newRow(qPrintable(QString(dialog) + "chosen"))
                << cell << std::optional<QString>("C:\\x\\y.jpg") << "file://C:\\x\\y.jpg";
            QTest::newRow(qPrintable(QString(dialog) + "cancelled")) << cell << std::optional<QString>() << "kept";
        }
    }
    void browseRestoresFilter()
    {
        QFETCH(bool, cell);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, text);
        document(0, 0);
        platform.fileAnswers << answer;
        auto browse = [&](QLineEdit *target, QPushButton *button) {
            target->setText("kept");
            button->click();
            QCOMPARE(target->text(), text);
            QCOMPARE(main->OpenSave.filter, kDocumentFilter);
            target->clear();
        };
        if (cell)
            QVERIFY(whileShown<frmC>(main->mnuCell, [&](frmC &d) { browse(d.txtBackground, d.Browse1); }));
        else
            QVERIFY(whileShown<frmT>(main->mnuTable, [&](frmT &d) { browse(d.txtBackground, d.Browse1); }));
        QCOMPARE(platform.fileRequests.size(), 1);
        QCOMPARE(platform.fileRequests[0].filter, kImageFilter);
        QCOMPARE(platform.fileRequests[0].title, QStringLiteral("Choose an Image"));
        QVERIFY(!platform.fileRequests[0].save);
    }

    // Last, as it disconnects the menu items: every key of the menu bar
    // reaches its item while the text pane has the focus.
    void menuKeysWithFocusInTextPane()
    {
        QList<QAction *> items;
        std::function<void(const QList<QAction *> &)> collect = [&](const QList<QAction *> &actions) {
            for (QAction *a : actions) {
                if (a->menu())
                    collect(a->menu()->actions());
                else if (!a->shortcut().isEmpty())
                    items << a;
            }
        };
        collect(main->menuBar()->actions());
        QVERIFY(items.size() >= 25);
        for (QAction *a : items) {
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            a->setEnabled(true);
        }
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        for (QAction *a : items) {
            main->HTML->setFocus();
            QSignalSpy spy(a, &QAction::triggered);
            const QString before = main->HTML->wholeText();
            QTest::keySequence(main->HTML, a->shortcut());
            QVERIFY2(spy.size() == 1, qPrintable(a->shortcut().toString() + " " + a->text()));
            QCOMPARE(main->HTML->wholeText(), before);
        }
    }

};

VELMORA_TEST_MAIN(TestTableCellDialogs)
#include "tst_table_cell_dialogs.moc"
