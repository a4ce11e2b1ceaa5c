// The whole road: typing into the focused text pane with auto-update on
// reaches the pane keystroke for keystroke and the rendered page shows it.

#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QWebEnginePage>

class TestEndToEnd : public QObject {
    Q_OBJECT

    static QString pageText(frmHTML &w, const QString &script)
    {
        QString result;
        bool done = false;
        w.Browser()->page()->runJavaScript(script, [&](const QVariant &v) {
            result = v.toString();
            done = true;
        });
        waitUntil([&] { return done; }, 5000);
        return result;
    }

private slots:
    void typeWithAutoUpdate()
    {
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        w.activateWindow();
        w.HTML()->setFocus();
        QVERIFY(waitUntil([&] { return QApplication::focusWidget() == w.HTML(); }));

        // The shortcut works from the text pane.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(w.menu().mnuAU->isChecked());

        w.HTML()->setWholeText("<html><body><p id=\"t\"></p></body></html>");
        w.HTML()->setSelStart(int(QString("<html><body><p id=\"t\">").size()));
        QString typed;
        for (int i = 0; i < 200; ++i)
            typed += QChar('a' + i % 26);
        for (const QChar c : typed) {
            // Every keystroke goes to whatever has the focus: the text pane,
            // unless the reloading page took it.
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            QTest::qWait(2);
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.HTML()));
        QCOMPARE(w.HTML()->wholeText(),
                 "<html><body><p id=\"t\">" + typed + "</p></body></html>");
        QVERIFY(w.documentChanged());
        QVERIFY(waitUntil(
            [&] {
                return pageText(w, "var e = document.getElementById('t'); e ? e.textContent : ''")
                    == typed;
            },
            20000));
        QCOMPARE(fx.platform.messages.size(), 0);
    }
};

VELMORA_TEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
