// The browser pane on the real WebEngine view: loading a local file in UTF-8,
// refresh with and without a page, the scroll position kept by a refresh and
// reset by a navigate, and the keyboard focus left where it was.
#include "widgets/browser_pane.h"
#include "widgets/html_pane.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

class TestBrowserPane : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    static QVariant js(BrowserPane &view, const QString &script)
    {
        QVariant result = QStringLiteral("<no answer>");
        bool done = false;
        view.page()->runJavaScript(script, [&](const QVariant &v) { result = v, done = true; });
        // The callback refers to this frame: never leave before it has run.
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            qFatal("the page did not answer");
        return result;
    }
    static bool load(BrowserPane &view, const std::function<void()> &start)
    {
        QSignalSpy finished(&view, &QWebEngineView::loadFinished);
        start();
        return finished.wait(20000) && finished.last().at(0).toBool();
    }
    QString page(const char *name, const QByteArray &bytes)
    {
        writeFile(dir.filePath(name), bytes);
        return QStringLiteral("file://") + dir.filePath(name);
    }

private slots:
    // One view beside a text pane: a refresh without a page, a first page and
    // its refresh, then the scroll position across refreshes (which read the
    // file again) and a navigate. Neither a load nor a refresh takes the focus
    // from the text pane, not even for a field that asks for it.
    void navigateAndRefresh()
    {
        QWidget window;
        auto *layout = new QHBoxLayout(&window);
        auto &view = *new BrowserPane(&window);
        auto *editor = new HTMLPane(&window);
        layout->addWidget(&view);
        layout->addWidget(editor);
        QCOMPARE(view.refresh(), std::int32_t(0x80004005)); // no page yet
        view.setMinimumSize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        editor->setFocus();
        // No charset named and too little text to guess from: the default counts.
        const QString address = page("page.htm", QString::fromUtf8("<input autofocus><p id=\"p\">\u00e9</p>").toUtf8());
        QVERIFY(load(view, [&] { view.navigate(address); })); // the address it sets: tst_preview
        const QString text = QStringLiteral("document.getElementById('p').textContent");
        QCOMPARE(js(view, text).toString(), QString::fromUtf8("\u00e9"));
        QVERIFY(load(view, [&] { QCOMPARE(view.refresh(), 0); }));
        QTest::qWait(100);
        QCOMPARE(QApplication::focusWidget(), editor);
        const QByteArray tall = "<html><body><div style=\"height:5000px\">%1</div></body></html>";
        const QString tallAddress = page("tall.htm", QByteArray(tall).replace("%1", "one"));
        QVERIFY(load(view, [&] { view.navigate(tallAddress); }));
        js(view, QStringLiteral("window.scrollTo(0, 1234)"));
        QTRY_COMPARE_WITH_TIMEOUT(view.page()->scrollPosition().y(), 1234.0, 5000);
        page("tall.htm", QByteArray(tall).replace("%1", "two"));
        // Two refreshes in a row, as fast typing makes them: the place read
        // before the first one is the one restored.
        QVERIFY(load(view, [&] { view.refresh(), view.refresh(); }));
        QTRY_COMPARE_WITH_TIMEOUT(js(view, QStringLiteral("window.scrollY")).toInt(), 1234, 5000);
        QCOMPARE(js(view, QStringLiteral("document.body.textContent")).toString(), QStringLiteral("two"));
        const QString other = page("other.htm", QByteArray(tall).replace("%1", "other"));
        QVERIFY(load(view, [&] { view.navigate(other); }));
        QTest::qWait(200);
        QCOMPARE(js(view, QStringLiteral("window.scrollY")).toInt(), 0);
    }
};

VELMORA_TEST_MAIN(TestBrowserPane)
#include "tst_browser_pane.moc"
