// The page's tree as a browser builds it, and the source behind it: tricky
// markup read into paths, start tags and text places, then the same pages
// in the real browser pane, whose every element must be found at its path
// with a start tag of its name (or none, where the parser implied it; or
// the end tag that alone made it).
#include "core/tree_index.h"
#include "widgets/browser_pane.h"

#include "support/test_env.h"
#include "support/window_fixture.h"

using markup::TreeIndex;

namespace {

struct Page {
    const char *name;
    const char *text;
};

const Page kPages[] = {
    {"implied tbody", "<table><tr><td>x</table>"},
    {"p closed by a block", "<p>one<div>two</div>"},
    {"misnested b/i", "<b>1<i>2</b>3</i>4"},
    {"fostered text", "<table>x<tr><td>y</td></tr></table>"},
    {"template", "<template><p>a</p></template><p>b"},
    {"inline svg", "<svg><circle/><foreignObject><p>t</p></foreignObject></svg><p>u"},
    {"doctype and comment first", "<!DOCTYPE html><!-- c --><html><body><p>x"},
    {"CR LF and non-ASCII first", "\xC3\xA9\r\n\xC3\xB1<p>x\r\ny</p>"},
    {"references", "<p>a&amp;b&lt;c&notit;d&#x1F600;e\xF0\x9F\x98\x80" "f</p>"},
    {"end tag alone", "<div></p></div>"},
};

QByteArray pageText(int row)
{
    return QByteArray(kPages[row].text);
}

std::vector<int> pathFrom(const QString &text)
{
    std::vector<int> path;
    for (const QString &n : text.split(',', Qt::SkipEmptyParts))
        path.push_back(n.toInt());
    return path;
}

QByteArray tagText(const QByteArray &text, const std::optional<TreeIndex::Tag> &tag)
{
    return tag ? text.mid(tag->start, tag->end - tag->start) : QByteArray("none");
}

} // namespace

class TestTreeIndex : public QObject {
    Q_OBJECT
private slots:
    // path -> own start tag, and the tag Go to Source falls back to.
    void tags_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("own");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("implied tbody") << 0 << "1,0,0" << QByteArray("none") << QByteArray("<table>");
        QTest::newRow("td in it") << 0 << "1,0,0,0,0" << QByteArray("<td>") << QByteArray("<td>");
        QTest::newRow("implied body") << 0 << "1" << QByteArray("none") << QByteArray("none");
        QTest::newRow("div after p") << 1 << "1,1" << QByteArray("<div>") << QByteArray("<div>");
        QTest::newRow("cloned i") << 2 << "1,1" << QByteArray("none") << QByteArray("<i>");
        QTest::newRow("table after text") << 3 << "1,0" << QByteArray("<table>") << QByteArray("<table>");
        QTest::newRow("template's p") << 4 << "0,0,0" << QByteArray("<p>") << QByteArray("<p>");
        QTest::newRow("p after template") << 4 << "1,0" << QByteArray("<p>") << QByteArray("<p>");
        QTest::newRow("svg foreignObject p") << 5 << "1,0,1,0" << QByteArray("<p>") << QByteArray("<p>");
        QTest::newRow("html after comment") << 6 << "" << QByteArray("<html>") << QByteArray("<html>");
        QTest::newRow("p after CR LF") << 7 << "1,0" << QByteArray("<p>") << QByteArray("<p>");
        QTest::newRow("p made by </p>") << 9 << "1,0,0" << QByteArray("</p>") << QByteArray("</p>");
        QTest::newRow("no such path") << 7 << "1,5" << QByteArray() << QByteArray();
    }
    void tags()
    {
        QFETCH(int, page);
        QFETCH(QString, path);
        QFETCH(QByteArray, own);
        const QByteArray text = pageText(page);
        const auto index = TreeIndex::build(text);
        const int e = index->elementAt(pathFrom(path));
        if (own.isNull()) {
            QCOMPARE(e, -1);
            return;
        }
        QVERIFY(e >= 0);
        QCOMPARE(index->pathOf(e), pathFrom(path));
        QCOMPARE(tagText(text, index->startTag(e)), own);
        QTEST(tagText(text, index->tagFor(e)), "shown");
    }

    // (element, text node, UTF-16 offset) -> what the source has there.
    void text_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("node");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("from"); // the source from there on, "none"
        QTest::newRow("fostered text") << 3 << "1" << 0 << 0 << QByteArray("x<tr>");
        QTest::newRow("text in a clone") << 2 << "1,1" << 0 << 0 << QByteArray("3</i>");
        QTest::newRow("after CR LF") << 7 << "1,0" << 0 << 2 << QByteArray("y</p>");
        QTest::newRow("body text: é") << 7 << "1" << 0 << 1 << QByteArray("\r\n\xC3\xB1<p>");
        QTest::newRow("after &amp;") << 8 << "1,0" << 0 << 2 << QByteArray("b&lt;");
        QTest::newRow("at &lt;") << 8 << "1,0" << 0 << 3 << QByteArray("&lt;c");
        QTest::newRow("&not without ;") << 8 << "1,0" << 0 << 6 << QByteArray("it;d");
        QTest::newRow("after &#x1F600;") << 8 << "1,0" << 0 << 12 << QByteArray("e\xF0");
        QTest::newRow("after a pair") << 8 << "1,0" << 0 << 15 << QByteArray("f</p>");
        QTest::newRow("past the end") << 8 << "1,0" << 0 << 99 << QByteArray("none");
        QTest::newRow("no second node") << 8 << "1,0" << 1 << 0 << QByteArray("none");
    }
    void text()
    {
        QFETCH(int, page);
        QFETCH(QString, path);
        QFETCH(int, node);
        QFETCH(int, offset);
        QFETCH(QByteArray, from);
        const QByteArray text = pageText(page);
        const auto index = TreeIndex::build(text);
        const auto at = index->textSource(text, index->elementAt(pathFrom(path)), node, offset);
        QCOMPARE(at ? text.mid(*at, from.size()) : QByteArray("none"), from);
    }

    // A place in the source -> the innermost element ("|" marks it).
    void elementAtSource_data()
    {
        QTest::addColumn<QByteArray>("marked");
        QTest::addColumn<QString>("path");
        QTest::newRow("in text") << QByteArray("<div><p>one <b>t|wo</b></p></div>") << "1,0,0,0";
        QTest::newRow("in a start tag") << QByteArray("<div><p cl|ass=x>one</p></div>") << "1,0,0";
        QTest::newRow("after an end tag") << QByteArray("<div><p><b>x</b>|</p></div>") << "1,0,0";
        QTest::newRow("in the clone's text") << QByteArray("<b>1<i>2</b>|3</i>") << "1,1";
        QTest::newRow("in a comment") << QByteArray("<ul><li><!-- |c --></ul>") << "1,0,0";
        QTest::newRow("in the doctype") << QByteArray("<!DOC|TYPE html><p>") << "-";
    }
    void elementAtSource()
    {
        QFETCH(QByteArray, marked);
        const qsizetype pos = marked.indexOf('|');
        const QByteArray text = marked.remove(pos, 1);
        const auto index = TreeIndex::build(text);
        const int e = index->elementAtSource(pos);
        QString got = "-";
        if (e >= 0) {
            QStringList parts;
            for (int i : index->pathOf(e))
                parts << QString::number(i);
            got = parts.join(',');
        }
        QTEST(got, "path");
    }

    // Every element of the real browser's tree is at the same path in the
    // index, with a start tag of its own name where the source has one.
    void sameTreeAsTheBrowser()
    {
        QTemporaryDir dir;
        BrowserPane pane;
        pane.resize(400, 300);
        pane.show();
        const QString walk = QStringLiteral(R"JS((() => {
            const out = [];
            const visit = (el, path) => {
                out.push([path.join(','), el.localName]);
                const kids = el.localName === 'template' ? el.content.children : el.children;
                for (let i = 0; i < kids.length; ++i) visit(kids[i], path.concat([i]));
            };
            visit(document.documentElement, []);
            return out;
        })())JS");
        for (int row = 0; row < int(std::size(kPages)); ++row) {
            const QByteArray text = pageText(row);
            writeFile(dir.filePath("page.htm"), text);
            QSignalSpy loaded(&pane, &BrowserPane::loadFinished);
            pane.navigate(QUrl::fromLocalFile(dir.filePath("page.htm")).toString());
            QVERIFY(loaded.wait(20000));
            QVariant result;
            bool done = false;
            webView(pane)->page()->runJavaScript(walk, [&](const QVariant &v) { result = v, done = true; });
            QVERIFY(QTest::qWaitFor([&] { return done; }, 10000));
            const auto index = TreeIndex::build(text);
            int elements = 0;
            for (const QVariant &v : result.toList()) {
                const QStringList item = v.toStringList();
                const int e = index->elementAt(pathFrom(item[0]));
                QVERIFY2(e >= 0, qPrintable(QString("%1: %2 at %3").arg(kPages[row].name, item[1], item[0])));
                const QByteArray tag = tagText(text, index->startTag(e)).toLower();
                const QByteArray name = item[1].toLower().toUtf8();
                if (tag != "none")
                    QVERIFY2(tag.startsWith("<" + name) || tag.startsWith("</" + name),
                             qPrintable(QString("%1: %2 at %3 is %4").arg(kPages[row].name, item[1], item[0], tag)));
                ++elements;
            }
            QCOMPARE(elements, index->elementCount());
        }
    }
};

VELMORA_TEST_MAIN(TestTreeIndex)
#include "tst_tree_index.moc"
