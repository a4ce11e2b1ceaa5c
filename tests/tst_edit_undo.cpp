// The text pane's pop-up Edit menu, the clipboard commands, the one-level
// Undo of an insertion and ResetFormat.

#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMimeData>

class TestEditUndo : public QObject {
    Q_OBJECT

    // An insertion as every generator makes it.
    static void insert(frmHTML &w, const QString &fragment, const QString &name)
    {
        w.Undotxt = w.HTML->wholeText();
        w.Undoloc = w.HTML->selStart();
        w.HTML->setSelText(fragment);
        w.Undo(name);
    }

private slots:
    void popupRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("clipboard"); // "text", "image" or "empty"
        QTest::addColumn<bool>("cutCopy");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<bool>("selectAll");
        QTest::newRow("nothing selected") << "abc" << 1 << 0 << "text" << false << true << true;
        QTest::newRow("part selected") << "abc" << 1 << 1 << "empty" << true << false << true;
        QTest::newRow("all selected") << "abc" << 0 << 3 << "text" << true << true << false;
        QTest::newRow("empty text") << "" << 0 << 0 << "text" << false << true << false;
        QTest::newRow("picture on the clipboard") << "abc" << 0 << 0 << "image" << false << false
                                                  << true;
    }
    void popupRules()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, clipboard);
        QFETCH(bool, cutCopy);
        QFETCH(bool, paste);
        QFETCH(bool, selectAll);
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        QClipboard *cb = QGuiApplication::clipboard();
        cb->clear();
        if (clipboard == "text")
            cb->setText("clip");
        else if (clipboard == "image")
            cb->setImage(QImage(4, 4, QImage::Format_RGB32));
        w.HTML->setWholeText(text);
        w.HTML->setSelStart(start);
        w.HTML->setSelLength(length);
        QTest::mousePress(w.HTML->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(waitUntil([&] { return w.mnuHid->isVisible(); }));
        QCOMPARE(w.mnuCut->isEnabled(), cutCopy);
        QCOMPARE(w.mnuCopy->isEnabled(), cutCopy);
        QCOMPARE(w.mnuPaste->isEnabled(), paste);
        QCOMPARE(w.mnuSelectAll->isEnabled(), selectAll);
        w.mnuHid->hide();
        QCOMPARE(w.HTML->wholeText(), text);
    }

    void clipboardCommands()
    {
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        QClipboard *cb = QGuiApplication::clipboard();
        w.HTML->setWholeText(QString::fromUtf8("hello w\xc3\xb6rld"));
        w.HTML->setSelStart(6);
        w.HTML->setSelLength(5);
        w.mnuCopy->trigger();
        QCOMPARE(cb->text(), QString::fromUtf8("w\xc3\xb6rld"));
        QCOMPARE(w.HTML->wholeText(), QString::fromUtf8("hello w\xc3\xb6rld"));
        w.HTML->setSelStart(0);
        w.HTML->setSelLength(6);
        w.mnuCut->trigger();
        QCOMPARE(cb->text(), QString("hello "));
        QCOMPARE(w.HTML->wholeText(), QString::fromUtf8("w\xc3\xb6rld"));
        QVERIFY(w.documentChanged());
        w.mnuSelectAll->trigger();
        QCOMPARE(w.HTML->selStart(), 0);
        QCOMPARE(w.HTML->selLength(), 5);
        cb->setText("new");
        w.mnuPaste->trigger();
        QCOMPARE(w.HTML->wholeText(), QString("new"));
        QCOMPARE(w.HTML->selStart(), 3);
    }

    // Undo follows the text: what disables it after an insertion.
    void undo_data()
    {
        QTest::addColumn<QString>("after"); // what happens after the insertion
        QTest::addColumn<bool>("available");
        QTest::newRow("nothing") << "" << true;
        QTest::newRow("typing") << "type" << false;
        QTest::newRow("cut") << "cut" << false;
        QTest::newRow("second insertion") << "insert" << true;
        QTest::newRow("New keeps it") << "new" << true;
    }
    void undo()
    {
        QFETCH(QString, after);
        QFETCH(bool, available);
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        QCOMPARE(w.mnuUndo->text(), QString("&Undo"));
        QVERIFY(!w.mnuUndo->isEnabled());
        w.HTML->setWholeText("hello abc world");
        w.HTML->setSelStart(6);
        w.HTML->setSelLength(3);
        insert(w, "<b>", "Open Bold");
        QCOMPARE(w.HTML->wholeText(), QString("hello <b> world"));
        QCOMPARE(w.HTML->selStart(), 9);
        QVERIFY(w.mnuUndo->isEnabled());
        QCOMPARE(w.mnuUndo->text(), QString("&Undo Open Bold"));

        QString restored = "hello abc world";
        int caret = 6;
        if (after == "type") {
            w.HTML->setFocus();
            QTest::keyClick(w.HTML, Qt::Key_X);
        } else if (after == "cut") {
            w.HTML->setSelStart(0);
            w.HTML->setSelLength(1);
            w.mnuCut->trigger();
        } else if (after == "insert") {
            w.HTML->setSelStart(0);
            insert(w, "<i>", "Open Italic");
            restored = "hello <b> world";
            caret = 0;
        } else if (after == "new") {
            fx.answerNewDialog(true);
            fx.platform.messageAnswers << MsgResult::No;
            w.mnuNew->trigger();
            QVERIFY(w.HTML->wholeText().startsWith("<html>"));
        }
        QCOMPARE(w.mnuUndo->isEnabled(), available);
        if (!available) {
            QCOMPARE(w.mnuUndo->text(), QString("&Undo"));
            return;
        }
        w.mnuAU->trigger(); // the restored text reaches the preview
        w.mnuUndo->trigger();
        QCOMPARE(w.HTML->wholeText(), restored);
        QCOMPARE(w.HTML->selStart(), caret);
        QCOMPARE(w.HTML->selLength(), 0);
        QVERIFY(!w.mnuUndo->isEnabled());
        QCOMPARE(w.mnuUndo->text(), QString("&Undo"));
        QVERIFY(w.documentChanged());
        QCOMPARE(fileBytes(WindowFixture::previewFile()), restored.toUtf8() + "\r\n");
        // A second Undo is impossible.
        w.mnuUndo->trigger();
        QCOMPARE(w.HTML->wholeText(), restored);
    }

    void resetFormat()
    {
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        FontChoice f;
        f.name = "DejaVu Serif";
        f.size = 13.5;
        f.bold = true;
        f.underline = true;
        f.colour = 0x0000FF;
        w.ctlFont.font = f;
        w.HTML->setWholeText("some text");
        w.HTML->setSelStart(4);
        w.HTML->setSelLength(2);
        w.ResetFormat();
        QCOMPARE(w.HTML->selStart(), 0);
        QCOMPARE(w.HTML->selLength(), 0);
        QCOMPARE(w.HTML->selFormat(), f);
        QCOMPARE(w.HTML->wholeText(), QString("some text"));
    }
};

VELMORA_TEST_MAIN(TestEditUndo)
#include "tst_edit_undo.moc"
