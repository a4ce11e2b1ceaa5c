// The text pane's pop-up Edit menu, the clipboard commands and the one-level
// Undo of an insertion. (ResetFormat is tested through Open.)

#include "support/test_env.h"
#include "support/window_fixture.h"

// The text and selection when the pop-up menu opens, what the clipboard
// holds ("text", "image" or "empty"), and Cut, Copy, Paste, Select All
// enabled as 1/0.
struct Popup {
    QString text;
    int start, length;
    QString clipboard, enabled;
};
Q_DECLARE_METATYPE(Popup)

class TestEditUndo : public QObject {
    Q_OBJECT
    WindowFixture fx;
    frmHTML *w = nullptr;

    // `text` as if just opened, with `length` characters selected from `start`.
    void document(const QString &text, int start, int length)
    {
        w->document().setLoading(true);
        w->HTML()->setWholeText(text);
        w->document().setLoading(false);
        w->HTML()->setSelStart(start);
        w->HTML()->setSelLength(length);
    }

private slots:
    void initTestCase() { w = &fx.start(); }

    void clipboardCommands()
    {
        QClipboard *cb = QGuiApplication::clipboard();
        const QString world = QString::fromUtf8("w\xc3\xb6rld");
        document("hello " + world, 0, 6);
        w->menu().mnuCut->trigger();
        QVERIFY(cb->text() == "hello " && w->document().isChanged());
        w->menu().mnuSelectAll->trigger();
        w->menu().mnuCopy->trigger();
        QCOMPARE(cb->text(), world);
        w->HTML()->setSelStart(5);
        w->menu().mnuPaste->trigger();
        QVERIFY(w->HTML()->wholeText() == world + world && w->HTML()->selStart() == 10);
    }

    // Undo follows the text: what disables it after an insertion.
    void undo_data()
    {
        QTest::addColumn<QString>("after"); // what happens after the insertion
        QTest::addColumn<QString>("restored"); // empty: Undo is no longer offered
        QTest::newRow("nothing") << "" << "hello abc world";
        QTest::newRow("typing") << "type" << "";
        QTest::newRow("second insertion") << "insert" << "hello <b> world";
        QTest::newRow("New keeps it") << "new" << "hello abc world";
    }
    void undo()
    {
        QFETCH(QString, after);
        QFETCH(QString, restored);
        QVERIFY(!w->menu().mnuUndo->isEnabled());
        document("hello abc world", 6, 3);
        w->insertFragment("<b>", "Open Bold"); // as every dialog inserts
        if (after == "type") {
            w->HTML()->setFocus();
            QTest::keyClick(w->HTML(), Qt::Key_X);
        } else if (after == "insert") {
            w->HTML()->setSelStart(0);
            w->insertFragment("<i>", "Open Italic");
        } else if (after == "new") {
            fx.answerNewDialog(true);
            fx.platform.messageAnswers << MsgResult::No;
            w->menu().mnuNew->trigger();
            QVERIFY(w->HTML()->wholeText().startsWith("<html>"));
        }
        QCOMPARE(w->menu().mnuUndo->isEnabled(), !restored.isEmpty());
        if (!restored.isEmpty()) {
            if (!w->menu().mnuAU->isChecked())
                w->menu().mnuAU->trigger(); // the restored text reaches the preview
            w->menu().mnuUndo->trigger();
            QCOMPARE(w->HTML()->wholeText(), restored);
            QCOMPARE(w->HTML()->selStart(), after == "insert" ? 0 : 6);
            QVERIFY(w->HTML()->selLength() == 0 && w->document().isChanged());
            QTRY_COMPARE(fileBytes(w->preview().previewFile()), restored.toUtf8() + "\r\n");
        }
        QVERIFY(!w->menu().mnuUndo->isEnabled());
        QCOMPARE(w->menu().mnuUndo->text(), QString("&Undo"));
    }

    // Last: the pop-up menu leaves its items enabled or not.
    void popupRules_data()
    {
        QTest::addColumn<Popup>("p");
        QTest::newRow("nothing selected") << Popup{"abc", 1, 0, "text", "0011"};
        QTest::newRow("part selected") << Popup{"abc", 1, 1, "empty", "1101"};
        QTest::newRow("all selected") << Popup{"abc", 0, 3, "text", "1110"};
        QTest::newRow("empty text") << Popup{"", 0, 0, "text", "0010"};
        QTest::newRow("picture on the clipboard") << Popup{"abc", 0, 0, "image", "0001"};
    }
    void popupRules()
    {
        QFETCH(Popup, p);
        QClipboard *cb = QGuiApplication::clipboard();
        cb->clear();
        if (p.clipboard == "text")
            cb->setText("clip");
        else if (p.clipboard == "image")
            cb->setImage(QImage(4, 4, QImage::Format_RGB32));
        document(p.text, p.start, p.length);
        QTest::mousePress(w->HTML()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(waitUntil([&] { return w->menu().mnuHid->isVisible(); }));
        QString state;
        for (QAction *a : {w->menu().mnuCut, w->menu().mnuCopy, w->menu().mnuPaste, w->menu().mnuSelectAll})
            state += a->isEnabled() ? '1' : '0';
        QCOMPARE(state, p.enabled);
        w->menu().mnuHid->hide();
    }
};

VELMORA_TEST_MAIN(TestEditUndo)
#include "tst_edit_undo.moc"
