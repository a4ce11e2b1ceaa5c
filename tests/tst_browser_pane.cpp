// The browser pane on the real WebEngine view: loading a local file in UTF-8,
// refresh with and without a page, the scroll position kept by a refresh and
// reset by a navigate, and the keyboard focus left where it was.
#include "editor/browser_pane.h"
#include "editor/html_pane.h"
#include "support/test_env.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebEnginePage>

namespace {

QVariant js(BrowserPane &view, const QString &script)
{
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("<no answer>");
    return result;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString address(const QString &path)
{
    return QStringLiteral("file://") + path;
}

QByteArray tallPage(const QByteArray &marker)
{
    return "<html><body><div style=\"height:5000px\">" + marker + "</div></body></html>";
}

} // namespace

class TestBrowserPane : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

    bool load(BrowserPane &view, const std::function<void()> &start)
    {
        QSignalSpy finished(&view, &QWebEngineView::loadFinished);
        start();
        return finished.wait(20000) && finished.last().at(0).toBool();
    }

private slots:
    void navigateAndRefresh()
    {
        const QString path = dir.filePath(QStringLiteral("page.htm"));
        // No charset named and too little text to guess from: the default counts.
        writeFile(path, QString::fromUtf8("<p id=\"p\">\u00e9</p>").toUtf8());
        BrowserPane view;
        QCOMPARE(view.refresh(), std::int32_t(0x80004005)); // no page yet
        view.resize(400, 300);
        view.show();
        QVERIFY(load(view, [&] { view.navigate(address(path)); }));
        QCOMPARE(view.url(), QUrl::fromLocalFile(path));
        QCOMPARE(js(view, QStringLiteral("document.getElementById('p').textContent")).toString(),
                 QString::fromUtf8("\u00e9"));

        // A refresh reads the file again.
        writeFile(path, "<html><body><p id=\"p\">second</p></body></html>");
        QVERIFY(load(view, [&] { QCOMPARE(view.refresh(), 0); }));
        QCOMPARE(js(view, QStringLiteral("document.getElementById('p').textContent")).toString(),
                 QStringLiteral("second"));
    }

    void refreshKeepsScrollNavigateStartsAtTop()
    {
        const QString path = dir.filePath(QStringLiteral("tall.htm"));
        const QString other = dir.filePath(QStringLiteral("other.htm"));
        writeFile(path, tallPage("one"));
        writeFile(other, tallPage("other"));
        BrowserPane view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(load(view, [&] { view.navigate(address(path)); }));
        js(view, QStringLiteral("window.scrollTo(0, 1234)"));
        QTRY_COMPARE_WITH_TIMEOUT(view.page()->scrollPosition().y(), 1234.0, 5000);

        writeFile(path, tallPage("two"));
        // Two refreshes in a row, as fast typing makes them: the place read
        // before the first one is the one restored.
        QVERIFY(load(view, [&] {
            view.refresh();
            view.refresh();
        }));
        QTRY_COMPARE_WITH_TIMEOUT(js(view, QStringLiteral("window.scrollY")).toInt(), 1234, 5000);
        QCOMPARE(js(view, QStringLiteral("document.body.textContent")).toString(), QStringLiteral("two"));

        QVERIFY(load(view, [&] { view.navigate(address(other)); }));
        QTest::qWait(200);
        QCOMPARE(js(view, QStringLiteral("window.scrollY")).toInt(), 0);
    }

    void loadLeavesFocusAlone_data()
    {
        QTest::addColumn<bool>("textPane");
        QTest::newRow("line edit") << false;
        QTest::newRow("text pane") << true;
    }
    void loadLeavesFocusAlone()
    {
        QFETCH(bool, textPane);
        const QString path = dir.filePath(QStringLiteral("focus.htm"));
        writeFile(path, "<html><body><input autofocus id=\"i\"><p>x</p></body></html>");
        QWidget window;
        auto *layout = new QHBoxLayout(&window);
        auto *view = new BrowserPane(&window);
        QWidget *editor = textPane ? static_cast<QWidget *>(new HTMLPane(&window))
                                   : static_cast<QWidget *>(new QLineEdit(&window));
        layout->addWidget(view);
        layout->addWidget(editor);
        window.resize(800, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        editor->setFocus();
        QCOMPARE(QApplication::focusWidget(), editor);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(load(*view, [&] {
                if (i == 0)
                    view->navigate(address(path));
                else
                    view->refresh();
            }));
            QTest::qWait(100);
            QCOMPARE(QApplication::focusWidget(), editor);
        }
    }
};

VELMORA_TEST_MAIN(TestBrowserPane)
#include "tst_browser_pane.moc"
