// The preview and the source finding each other, measured.
//
// corpus: pages nobody here wrote, from the HTML documentation of Debian
// packages (python3-doc, debian-reference-en, libxslt1-dev, valgrind,
// lintian, nodejs, w3m, libexpat1-dev, libffi8; `apt-get install python3-doc
// debian-reference-en` for the first two): generated manuals with their
// scripts, tables, forms and inline SVG, and older hand-written pages, each
// loaded in the real browser pane. Every element the parser made
// is looked up by its path in the page's tree as the editor reads it; where
// the index gives it a start tag of its own, the tag must begin with "<" and
// the element's name. Prints the share that does, and the misses by kind;
// then the same for characters of text picked at their place on the screen
// (as a Ctrl+click picks them), whose place in the source must hold them.
//
// speed: on a 1 MB page, the first parse; Ctrl+click -> caret once parsed
// (limit 30 ms median); caret move -> outline scrolled into view (limit
// 50 ms median). Typing with Follow the Caret on: burst_bench ... follow.
//
// Run by hand: build/bench/source_bench [corpus|speed] [pages]
#include "core/tree_index.h"
#include "editor/source_link.h"
#include "widgets/source_pointer.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QDirIterator>
#include <QWebEngineView>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

using markup::TreeIndex;

namespace {

// Up to 20 characters of the page's text that a pointer can reach (in view,
// not under another element), each picked as a Ctrl+click picks it: [the
// character, what the pick says].
const char kPickText[] = R"JS((() => {
  const out = [], texts = [];
  const walk = document.createTreeWalker(document.body || document.documentElement, NodeFilter.SHOW_TEXT);
  for (let n; (n = walk.nextNode()); )
    if (n.data.trim().length > 2 && n.parentElement && n.parentElement.getClientRects().length) texts.push(n);
  const step = Math.max(1, Math.floor(texts.length / 20));
  for (let i = 0; i < texts.length; i += step) {
    const n = texts[i], k = Math.floor(n.data.length / 2);
    if (/\s/.test(n.data[k]) || (n.data.charCodeAt(k) & 0xFC00) === 0xDC00) continue;
    n.parentElement.scrollIntoView({block: 'center'});
    const r = document.createRange();
    r.setStart(n, k), r.setEnd(n, k + 1);
    const b = r.getClientRects()[0];
    const x = b ? b.left + b.width / 2 : -1, y = b ? b.top + b.height / 2 : -1;
    if (x < 0 || y < 0 || x >= innerWidth || y >= innerHeight || document.elementFromPoint(x, y) !== n.parentElement)
      continue;
    out.push([String.fromCodePoint(n.data.codePointAt(k)), velmoraSource.pick(x, y)]);
  }
  return out;
})())JS";

QStringList corpus(int limit)
{
    struct Source {
        const char *package, *folder, *filter;
        int step;
    };
    const Source sources[] = {
        {"python3-doc", "/usr/share/doc/python3-doc/html", "*.html", 3},
        {"debian-reference-en", "/usr/share/debian-reference", "*.en.html", 1},
        {"libxslt1-dev", "/usr/share/doc/libxslt1-dev", "*.html", 1},
        {"valgrind", "/usr/share/doc/valgrind", "*.html", 1},
        {"lintian", "/usr/share/doc/lintian", "*.html", 1},
        {"nodejs", "/usr/share/doc/nodejs", "*.html", 1},
        {"w3m", "/usr/share/doc/w3m", "*.html", 1},
        {"libexpat1-dev", "/usr/share/doc/libexpat1-dev", "*.html", 1},
        {"libffi8", "/usr/share/doc/libffi8", "*.html", 1},
    };
    QStringList pages;
    for (const Source &s : sources) {
        QStringList found;
        QDirIterator it(s.folder, {s.filter}, QDir::Files,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext())
            found << it.next();
        found.sort();
        int taken = 0;
        for (int i = 0; i < found.size(); i += s.step, ++taken)
            pages << found[i];
        std::printf("  %-20s %4d pages%s\n", s.package, taken, found.isEmpty() ? " (not installed)" : "");
    }
    return pages.mid(0, limit);
}

QVariant inWorld(QWebEngineView *view, const QString &script, quint32 world)
{
    // An event loop of its own: QTest::qWaitFor sleeps 10 ms a round.
    QVariant result;
    bool done = false;
    QEventLoop loop;
    view->page()->runJavaScript(script, world, [&](const QVariant &v) { result = v, done = true, loop.quit(); });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    if (!done)
        qFatal("the page did not answer");
    return result;
}

int corpusCheck(int limit)
{
    std::printf("corpus:\n");
    const QStringList pages = corpus(limit);
    BrowserPane pane;
    pane.resize(1000, 800);
    pane.show();
    QWebEngineView *view = webView(pane);
    pane.outline(QVariantList(), false); // the page script, from the next page on
    long exact = 0, notOwn = 0, loaded = 0, onChar = 0, picked = 0, scripted = 0;
    std::map<QString, long> misses;
    std::map<QString, QString> example;
    auto miss = [&](const QString &kind, const QString &where) {
        if (misses[kind]++ == 0)
            example[kind] = where;
    };
    QElapsedTimer clock;
    clock.start();
    for (const QString &file : pages) {
        QSignalSpy done(&pane, &BrowserPane::loadFinished);
        pane.navigate(QUrl::fromLocalFile(file).toString());
        if (!done.wait(30000))
            continue;
        const QVariantList elements =
            inWorld(view, "window.velmoraSource ? velmoraSource.elements() : null", kSourceWorld).toList();
        if (elements.isEmpty())
            continue;
        ++loaded;
        const QByteArray text = fileBytes(file);
        const auto index = TreeIndex::build(text);
        for (const QVariant &v : inWorld(view, kPickText, kSourceWorld).toList()) {
            const QString shown = v.toList().value(0).toString();
            const QVariantMap pick = v.toList().value(1).toMap();
            const QString where = QFileInfo(file).fileName() + " \"" + shown + "\"";
            ++picked;
            std::vector<int> path;
            for (const QVariant &i : pick.value("path").toList())
                path.push_back(i.toInt());
            const int e = index->elementAt(path);
            std::optional<qsizetype> at;
            if (pick.contains("text") && e >= 0)
                at = index->textSource(text, e, pick.value("text").toInt(), pick.value("offset").toInt());
            if (pick.value("scripted").toBool())
                --picked, ++scripted; // the nearest element the parser made, by design
            else if (!pick.contains("text"))
                miss("text: the pick found no text", where);
            else if (!at)
                miss("text: not told character by character", where);
            else if (QString::fromUtf8(text.mid(*at, 8)).startsWith(shown) || text[*at] == '&')
                ++onChar; // the character, or the reference that shows it
            else
                miss("text: another character: " + QString::fromUtf8(text.mid(*at, 8)), where);
        }
        for (const QVariant &v : elements) {
            const QStringList item = v.toStringList();
            const QString where = QFileInfo(file).fileName() + " [" + item[0] + "] " + item[1];
            std::vector<int> path;
            for (const QString &n : item[0].split(',', Qt::SkipEmptyParts))
                path.push_back(n.toInt());
            const int e = index->elementAt(path);
            if (e < 0) {
                miss("no element at its path", where);
                continue;
            }
            const QByteArray name = item[1].toLower().toUtf8();
            const auto tag = index->startTag(e);
            if (!tag) {
                const auto original = index->tagFor(e);
                const bool clone = original && text.mid(original->start, name.size() + 1).toLower() == "<" + name;
                // What the parser implies: the document's frame, a table's
                // body and the group of its columns.
                static const QByteArrayList implied = {"html", "head", "body", "tbody", "colgroup"};
                if (clone || implied.contains(name))
                    ++notOwn;
                else
                    miss("no tag of its own for a " + QString::fromUtf8(name), where);
                continue;
            }
            const QByteArray source = text.mid(tag->start, tag->end - tag->start);
            const char after = source.size() > name.size() + 1 ? source[name.size() + 1] : '>';
            if (source.toLower().startsWith("<" + name) && !std::isalnum(uchar(after)) && after != '-')
                ++exact;
            else if (source.startsWith("</"))
                ++notOwn; // made by an end tag alone: it has no start tag
            else
                miss("another tag: " + QString::fromUtf8(source.left(20)), where);
        }
    }
    long missed = 0;
    for (const auto &[kind, n] : misses)
        missed += kind.startsWith("text: ") ? 0 : n;
    std::printf("  %ld pages checked of %lld in %.0f s; %ld elements with a start tag of their own, "
                "%ld without (implied, cloned, made by an end tag)\n",
                loaded, static_cast<long long>(pages.size()), clock.elapsed() / 1000.0, exact + missed, notOwn);
    std::printf("  exact: %ld of %ld = %.3f %% (goal 99.5 %%)\n", exact, exact + missed,
                100.0 * double(exact) / double(std::max(1L, exact + missed)));
    std::printf("  text picked as Ctrl+click picks it: %ld of %ld characters land on themselves = %.3f %% "
                "(and %ld in elements the page's scripts made go to the nearest the parser made)\n",
                onChar, picked, 100.0 * double(onChar) / double(std::max(1L, picked)), scripted);
    for (const auto &[kind, n] : misses)
        std::printf("  miss %6ld  %s, e.g. %s\n", n, qPrintable(kind), qPrintable(example[kind]));
    return 0;
}

QString megabytePage()
{
    QString text = "<!DOCTYPE html>\r\n<html>\r\n<head><title>Bench</title></head>\r\n<body>\r\n";
    const QString section = "<div class=\"section\">\r\n  <h2>A heading</h2>\r\n"
                            "  <p>Some <b>bold</b> and <a href=\"x.htm\">a link</a> &amp; more text.\r\n"
                            "  <ul><li>one<li>two</ul>\r\n"
                            "  <table><tr><td>a<td>b</tr></table>\r\n</div>\r\n";
    while (text.size() < (1 << 20))
        text += section;
    return text + "<p id=end>end</p>";
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

int speed()
{
    const QString text = megabytePage();
    const QByteArray utf8 = text.toUtf8();
    std::vector<double> parses;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        const auto index = TreeIndex::build(utf8);
        parses.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("speed, 1 MB page:\n  first parse %.1f ms (median of 5 %.1f ms, limit 60)\n", parses[0],
                median(parses));

    WindowFixture fx;
    frmHTML &w = fx.start();
    w.resize(1200, 900);
    w.HTML()->setWholeText(text);
    w.HTMLUpdate();
    BrowserPane &pane = *w.Browser();
    if (!pageShows(pane, "!!document.getElementById('end')", true, 60000))
        return std::printf("the page did not load\n"), 1;
    auto *link = w.findChild<SourceLink *>();
    QWidget *input = webView(pane)->focusProxy();
    std::mt19937 random(7);
    const int sections = int(text.count("<b>bold"));
    std::vector<double> clicks, follows;
    for (int i = 0; i < 31; ++i) {
        const int k = int(random() % unsigned(sections));
        const QVariantList xy =
            inWorld(webView(pane),
                    QString("(() => { const b = document.getElementsByTagName('b')[%1]; b.scrollIntoView();"
                            " const r = b.getBoundingClientRect(); return [r.left + 3, r.top + r.height / 2]; })()")
                        .arg(k),
                    0)
                .toList();
        w.HTML()->setSelStart(0);
        QTest::qWait(50);
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(input, Qt::LeftButton, Qt::ControlModifier, QPoint(xy[0].toInt(), xy[1].toInt()));
        while (t.elapsed() < 5000 && w.HTML()->selStart() == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        (i == 0 ? parses : clicks).push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("  Ctrl+click -> caret: the first (parses) %.1f ms; once parsed median %.1f ms, slowest "
                "%.1f ms (limit 30)\n",
                parses.back(), median(clicks), *std::max_element(clicks.begin(), clicks.end()));

    link->mnuFollowCaret->trigger();
    QTest::qWait(1500); // parsed away from the editor
    for (int i = 0; i < 30; ++i) {
        const double before = inWorld(webView(pane), "window.scrollY", 0).toDouble();
        const int k = int(random() % unsigned(sections));
        qsizetype at = -1;
        for (int n = 0; n <= k; ++n)
            at = text.indexOf("<b>bold", at + 1);
        QElapsedTimer t;
        t.start();
        w.HTML()->setSelStart(int(at + 4));
        while (t.elapsed() < 3000 && inWorld(webView(pane), "window.scrollY", 0).toDouble() == before) {
        }
        follows.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("  caret move -> outline in view: median %.1f ms, slowest %.1f ms (limit 50)\n",
                median(follows), *std::max_element(follows.begin(), follows.end()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    testenv::setUp();
    QApplication app(argc, argv);
    const QByteArray what = argc > 1 ? argv[1] : "";
    const int pages = argc > 2 ? std::atoi(argv[2]) : 100000;
    int failed = 0;
    if (what.isEmpty() || what == "corpus")
        failed |= corpusCheck(pages);
    if (what.isEmpty() || what == "speed")
        failed |= speed();
    return failed;
}
