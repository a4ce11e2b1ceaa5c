// The preview and the source in the real window: a Ctrl+click on a word and
// on a rule lands in the source, also after typing and where the page's
// script replaced an element before the rule by a wrapped copy, and nowhere
// on a page a link
// led to; Follow the Caret outlines the caret's element and
// scrolls it into view, again after a refresh, and takes the outline away
// when off.
#include "editor/source_link.h"

#include "support/test_env.h"
#include "support/window_fixture.h"

namespace {

QVariant js(BrowserPane &pane, const QString &script)
{
    QVariant result;
    bool done = false;
    webView(pane)->page()->runJavaScript(script, [&](const QVariant &v) { result = v, done = true; });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qFatal("the page did not answer");
    return result;
}

frmHTML &showPage(WindowFixture &fx, const QString &text)
{
    frmHTML &w = fx.start();
    w.HTML()->setWholeText(text);
    w.HTMLUpdate();
    QTest::qVerify(pageShows(*w.Browser(), "!!document.getElementById('end')", true), "page", "",
                   __FILE__, __LINE__);
    return w;
}

} // namespace

class TestSourceLink : public QObject {
    Q_OBJECT
private slots:
    void ctrlClick()
    {
        WindowFixture fx;
        const QString text = "<p>Caf\u00e9 &amp; <b>world</b></p>\r\n<i id=r>r</i><script>addEventListener("
                             "'DOMContentLoaded', () => r.outerHTML = '<span>' + r.outerHTML + '</span>')</script>"
                             "<hr id=end style=\"margin:20px\">";
        frmHTML &w = showPage(fx, text);
        const QStringList points = {
            // the "r" of "world", then the middle of the rule
            "(() => { const r = document.createRange(), t = document.querySelector('b').firstChild;"
            " r.setStart(t, 2); r.setEnd(t, 3); const b = r.getBoundingClientRect();"
            " return [b.left + b.width / 2, b.top + b.height / 2]; })()",
            "(() => { const b = document.getElementById('end').getBoundingClientRect();"
            " return [b.left + b.width / 2, b.top + b.height / 2]; })()"};
        QWidget *input = webView(*w.Browser())->focusProxy();
        QVERIFY(input);
        const QString expected[] = {"rld</b>", "<hr id=end style=\"margin:20px\">"};
        for (int i = 0; i < 2; ++i) {
            if (i == 1) { // typed after the first parse; the page script is there from the start of this load
                w.HTML()->setSelStart(0);
                QTest::keyClicks(w.HTML(), "<em>new</em>");
                js(*w.Browser(), "window.before = 1");
                w.HTMLUpdate();
                QVERIFY(pageShows(*w.Browser(), "!window.before && document.querySelectorAll('span').length", 1));
            }
            const QVariantList xy = js(*w.Browser(), points[i]).toList();
            w.HTML()->setSelStart(0);
            QTest::mouseClick(input, Qt::LeftButton, Qt::ControlModifier,
                              QPoint(xy[0].toInt(), xy[1].toInt()));
            const int at = int(w.HTML()->wholeText().indexOf(expected[i]));
            QTRY_COMPARE(w.HTML()->selStart(), at);
            QCOMPARE(w.HTML()->selText(), i == 0 ? QString() : expected[i]);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.HTML()));
        }
        // Another page, as a link leads to: its rule is not the text's.
        writeFile(testenv::root() + "/other.htm", fileBytes(WindowFixture::previewFile()));
        w.Browser()->navigate(QUrl::fromLocalFile(testenv::root() + "/other.htm").toString());
        QVERIFY(pageShows(*w.Browser(), "location.pathname.endsWith('other.htm')", true));
        w.HTML()->setSelStart(0);
        const QVariantList xy = js(*w.Browser(), points[1]).toList();
        input = webView(*w.Browser())->focusProxy(); // another page's process may bring its own
        QTest::mouseClick(input, Qt::LeftButton, Qt::ControlModifier, QPoint(xy[0].toInt(), xy[1].toInt()));
        QTest::qWait(500);
        QCOMPARE(w.HTML()->selStart(), 0);
    }

    void followTheCaret()
    {
        WindowFixture fx;
        const QString text = "<div style=\"height:4000px\">top</div>\r\n<p id=end>far away</p>";
        frmHTML &w = showPage(fx, text);
        auto *link = w.findChild<SourceLink *>();
        QVERIFY(link && !link->mnuFollowCaret->isChecked());
        const QByteArray file = fileBytes(WindowFixture::previewFile());
        link->mnuFollowCaret->trigger();
        w.HTML()->setSelStart(int(text.indexOf("far")));
        const QString inView = "(() => { const r = document.getElementById('end').getBoundingClientRect();"
                               " return window.scrollY > 0 && r.top >= 0 && r.bottom <= innerHeight; })()";
        QVERIFY(pageShows(*w.Browser(), inView, true));
        QVERIFY(pageShows(*w.Browser(), "document.querySelectorAll('velmora-outline').length", 1));
        js(*w.Browser(), "window.before = 1"); // a refresh: a new page, outlined again
        w.HTMLUpdate();
        QVERIFY(pageShows(*w.Browser(), "!window.before && document.querySelectorAll('velmora-outline').length", 1));
        link->mnuFollowCaret->trigger();
        QVERIFY(pageShows(*w.Browser(), "document.querySelectorAll('velmora-outline').length", 0));
        QCOMPARE(fileBytes(WindowFixture::previewFile()), file);
    }
};

VELMORA_TEST_MAIN(TestSourceLink)
#include "tst_source_link.moc"
