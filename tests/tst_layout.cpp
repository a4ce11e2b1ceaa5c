// Pane layout: the geometry of the four arrangements for odd and even sizes,
// several or no flags, and the main window laying its panes out on a resize
// and on a choice from the Options menu. The window's own place, kept from
// one run to the next.

#include "core/pane_layout.h"
#include "core/window_place.h"
#include "editor/pane_arranger.h"
#include "support/test_env.h"
#include "support/window_fixture.h"
#include "widgets/later_icons.h"
#include "widgets/pane_footer.h"

#include <QLabel>
#include <QMenuBar>
#include <QToolButton>

static std::array<bool, 4> flags(int checked) // bit 0 is Pos1
{
    return {bool(checked & 1), bool(checked & 2), bool(checked & 4), bool(checked & 8)};
}

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    // A menu bar out of room shows its extension button's icon, read only
    // when it is drawn.
    void extensionIcon()
    {
        readExtensionIconsLater();
        QMenuBar bar;
        auto *more = bar.findChild<QToolButton *>("qt_menubar_ext_button");
        QVERIFY(more && !more->icon().isNull());
        const QImage drawn = more->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        int inked = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                inked += qAlpha(drawn.pixel(x, y)) > 0;
        QVERIFY(inked > 4);
    }

    // The footer's parts stand in their places' order, whichever is made
    // first (each is made when first wanted).
    void footerPlaces()
    {
        QWidget area;
        auto *footer = new PaneFooter(&area);
        QLabel *parts[3];
        for (int place : {2, 0, 1}) {
            parts[place] = new QLabel(QString::number(place), footer);
            footer->addPart(parts[place], place);
        }
        footer->carve(QRect(0, 0, 100, 400));
        area.show();
        footer->layout()->activate();
        QVERIFY(parts[0]->y() < parts[1]->y() && parts[1]->y() < parts[2]->y());
    }

    void geometry_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("checked");
        QTest::addColumn<QRect>("browser");
        QTest::addColumn<QRect>("editor");
        // 201 / 2 = 100.5 lands as 101 pixels; the second pane starts where
        // the first actually ends.
        QTest::newRow("1 odd") << QSize(401, 201) << 1 << QRect(0, 0, 401, 101) << QRect(0, 101, 401, 101);
        QTest::newRow("2 odd") << QSize(401, 201) << 2 << QRect(0, 101, 401, 101) << QRect(0, 0, 401, 101);
        QTest::newRow("3 odd") << QSize(201, 99) << 4 << QRect(0, 0, 101, 99) << QRect(101, 0, 101, 99);
        QTest::newRow("4 odd") << QSize(201, 99) << 8 << QRect(101, 0, 101, 99) << QRect(0, 0, 101, 99);
        QTest::newRow("several: the highest decides")
            << QSize(300, 200) << 5 << QRect(0, 0, 150, 200) << QRect(150, 0, 150, 200);
        QTest::newRow("none: nothing moves") << QSize(300, 200) << 0 << QRect(5, 6, 7, 8) << QRect(9, 10, 11, 12);
        QTest::newRow("minimised") << QSize(0, 0) << 4 << QRect() << QRect();
    }
    void geometry()
    {
        QFETCH(QSize, client);
        QFETCH(int, checked);
        QFETCH(QRect, browser);
        QFETCH(QRect, editor);
        const PaneGeometry g = layoutPanes(client, flags(checked), {QRect(5, 6, 7, 8), QRect(9, 10, 11, 12)});
        QCOMPARE(g.browser, browser);
        QCOMPARE(g.editor, editor);
    }

    // The window: each menu choice checks only its item (choosing it again
    // keeps it) and lays the panes out in the client area; a resize follows.
    // With no arrangement the panes stay where they are.
    void window()
    {
        WindowFixture fx;
        frmHTML &w = fx.start();
        QAction *items[4] = {w.menu().mnuPos1, w.menu().mnuPos2, w.menu().mnuPos3, w.menu().mnuPos4};
        for (int item = 0; item < 4; ++item) {
            items[item]->trigger();
            items[item]->trigger();
            for (int i = 0; i < 4; ++i)
                QCOMPARE(items[i]->isChecked(), i == item);
            for (const QSize size : {QSize(641, 481), QSize(500, 333)}) {
                w.resize(size);
                QApplication::processEvents();
                const PaneGeometry g = layoutPanes(w.centralWidget()->size(), flags(1 << item), {});
                QCOMPARE(w.Browser()->geometry(), g.browser);
                QCOMPARE(w.HTML()->geometry(), g.editor);
            }
        }
        const QRect before = w.HTML()->geometry();
        w.panes().PosUncheck();
        w.resize(300, 300);
        QApplication::processEvents();
        QCOMPARE(w.HTML()->geometry(), before);
    }

    // A kept place lands on a screen that can show it (two screens side by
    // side, the second smaller and lower).
    void placeOnScreens_data()
    {
        QTest::addColumn<QRect>("kept");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("on the first screen") << QRect(10, 20, 800, 600) << QRect(10, 20, 800, 600);
        QTest::newRow("mostly on the second") << QRect(1800, 400, 600, 400) << QRect(1920, 400, 600, 400);
        QTest::newRow("hanging off the bottom") << QRect(100, 900, 400, 300) << QRect(100, 780, 400, 300);
        QTest::newRow("larger than its screen") << QRect(2000, 300, 1600, 900) << QRect(1920, 300, 1280, 724);
        QTest::newRow("off every screen") << QRect(-5000, -5000, 640, 480) << QRect(0, 0, 640, 480);
    }
    void placeOnScreens()
    {
        QFETCH(QRect, kept);
        QTEST(::placeOnScreens(kept, {QRect(0, 0, 1920, 1080), QRect(1920, 300, 1280, 724)}), "placed");
    }

    // Closing keeps the size, the place and whether the window was
    // maximised; the next start puts them back.
    void windowPlaceRoundTrip_data()
    {
        QTest::addColumn<bool>("maximised");
        QTest::newRow("normal") << false;
        QTest::newRow("maximised") << true;
    }
    void windowPlaceRoundTrip()
    {
        QFETCH(bool, maximised);
        const QRect frame(40, 30, 520, 410);
        {
            WindowFixture fx;
            frmHTML &w = fx.start();
            w.move(frame.topLeft());
            w.resize(frame.size());
            if (maximised)
                w.showMaximized();
            QTRY_COMPARE(w.isMaximized(), maximised);
            QVERIFY(w.close());
        }
        const settings::Store store;
        QCOMPARE(readWindowPlace([&store](const QString &k) { return store.get(k); })->maximised, maximised);
        WindowFixture fx;
        frmHTML &w = fx.start(QString(), false);
        QCOMPARE(w.isMaximized(), maximised);
        if (maximised)
            QCOMPARE(w.normalGeometry().size(), frame.size());
        else
            QCOMPARE(QRect(w.pos(), w.size()), frame);
    }
};

VELMORA_TEST_MAIN(TestLayout)
#include "tst_layout.moc"
