// Pane layout: the geometry of the four arrangements for odd and even sizes,
// several or no flags, and the main window laying its panes out on a resize
// and on a choice from the Options menu.

#include "editor/pane_layout.h"
#include "support/test_env.h"

#include "support/window_fixture.h"

#include <QAction>

using Flags = std::array<bool, 4>;
Q_DECLARE_METATYPE(Flags)
Q_DECLARE_METATYPE(PaneGeometry)

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void geometry_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<Flags>("flags");
        QTest::addColumn<QRect>("browser");
        QTest::addColumn<QRect>("editor");
        const Flags p1{true, false, false, false}, p2{false, true, false, false},
            p3{false, false, true, false}, p4{false, false, false, true};
        QTest::newRow("1 even") << QSize(400, 300) << p1 << QRect(0, 0, 400, 150)
                                << QRect(0, 150, 400, 150);
        // 201 / 2 = 100.5 lands as 101 pixels; the second pane starts where
        // the first actually ends.
        QTest::newRow("1 odd") << QSize(401, 201) << p1 << QRect(0, 0, 401, 101)
                               << QRect(0, 101, 401, 101);
        QTest::newRow("2 odd") << QSize(401, 201) << p2 << QRect(0, 101, 401, 101)
                               << QRect(0, 0, 401, 101);
        QTest::newRow("3 odd") << QSize(201, 99) << p3 << QRect(0, 0, 101, 99)
                               << QRect(101, 0, 101, 99);
        QTest::newRow("4 odd") << QSize(201, 99) << p4 << QRect(101, 0, 101, 99)
                               << QRect(0, 0, 101, 99);
        QTest::newRow("4 even") << QSize(640, 480) << p4 << QRect(320, 0, 320, 480)
                                << QRect(0, 0, 320, 480);
        QTest::newRow("several: the highest decides")
            << QSize(300, 200) << Flags{true, false, true, false} << QRect(0, 0, 150, 200)
            << QRect(150, 0, 150, 200);
        QTest::newRow("none: nothing moves") << QSize(300, 200) << Flags{} << QRect(5, 6, 7, 8)
                                             << QRect(9, 10, 11, 12);
        QTest::newRow("minimised") << QSize(0, 0) << p3 << QRect(0, 0, 0, 0) << QRect(0, 0, 0, 0);
    }
    void geometry()
    {
        QFETCH(QSize, client);
        QFETCH(Flags, flags);
        QFETCH(QRect, browser);
        QFETCH(QRect, editor);
        const PaneGeometry start{QRect(5, 6, 7, 8), QRect(9, 10, 11, 12)};
        const PaneGeometry g = layoutPanes(client, flags, start);
        QCOMPARE(g.browser, browser);
        QCOMPARE(g.editor, editor);
        // Laying out again changes nothing.
        QVERIFY(layoutPanes(client, flags, g) == g);
    }

    // The window: each menu choice checks only its item and lays the panes
    // out in the client area; a resize follows.
    void window_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("browserFirst");
        QTest::addColumn<bool>("sideBySide");
        QTest::newRow("Browser top, HTML bottom") << 1 << true << false;
        QTest::newRow("Browser bottom, HTML top") << 2 << false << false;
        QTest::newRow("Browser left, HTML right") << 3 << true << true;
        QTest::newRow("Browser right, HTML left") << 4 << false << true;
    }
    void window()
    {
        QFETCH(int, item);
        QFETCH(bool, browserFirst);
        QFETCH(bool, sideBySide);
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        QAction *items[4] = {w.mnuPos1, w.mnuPos2, w.mnuPos3, w.mnuPos4};
        items[item - 1]->trigger();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(items[i]->isChecked(), i == item - 1);
        for (const QSize size : {QSize(641, 481), QSize(500, 333)}) {
            w.resize(size);
            QApplication::processEvents();
            const QSize client = w.centralWidget()->size();
            const QRect first = browserFirst ? w.Browser->geometry() : w.HTML->geometry();
            const QRect second = browserFirst ? w.HTML->geometry() : w.Browser->geometry();
            QCOMPARE(first.topLeft(), QPoint(0, 0));
            if (sideBySide) {
                QCOMPARE(first.width(), qRound(client.width() / 2.0f));
                QCOMPARE(second.left(), first.width());
                QCOMPARE(second.height(), client.height());
            } else {
                QCOMPARE(first.height(), qRound(client.height() / 2.0f));
                QCOMPARE(second.top(), first.height());
                QCOMPARE(second.width(), client.width());
            }
        }
        // The same choice again changes nothing.
        const QRect before = w.HTML->geometry();
        items[item - 1]->trigger();
        QVERIFY(items[item - 1]->isChecked());
        QCOMPARE(w.HTML->geometry(), before);
        // No arrangement: the panes stay where they are.
        w.PosUncheck();
        w.resize(300, 300);
        QApplication::processEvents();
        QCOMPARE(w.HTML->geometry(), before);
    }
};

VELMORA_TEST_MAIN(TestLayout)
#include "tst_layout.moc"
