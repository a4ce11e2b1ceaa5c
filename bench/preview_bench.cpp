// How long the editor's hot paths take:
//  1. a change of a 1 MB document with auto-update on, up to the preview
//     file written and the reload requested;
//  2. opening a 10 MB file until its text is in the pane;
//  3. a keystroke in a 100 KB document with auto-update on until the page's
//     DOM shows it, new and saved.
// Run by hand: build/bench/preview_bench

#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void report(const char *what, const std::vector<double> &ms)
{
    std::printf("%-58s median %8.3f ms  min %8.3f  max %8.3f  (n=%zu)\n", what, median(ms),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
                ms.size());
    std::fflush(stdout);
}

QString filler(qsizetype bytes)
{
    const QString line = QStringLiteral("<p>The quick brown fox jumps over the lazy dog.</p>\r\n");
    QString s;
    s.reserve(bytes + line.size());
    while (s.size() < bytes)
        s += line;
    return s;
}

int domLength(frmHTML &w)
{
    int length = -1;
    bool done = false;
    webView(*w.Browser())->page()->runJavaScript(
        QStringLiteral("var e = document.getElementById('t'); e ? e.textContent.length : -1"),
        [&](const QVariant &v) {
            length = v.toInt();
            done = true;
        });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return length;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    testenv::setUp();
    QApplication app(argc, argv);

    WindowFixture fx;
    fx.start();
    frmHTML &w = *fx.window;
    w.menu().mnuAU->trigger();

    // 1. Change notification to preview written and reload requested, 1 MB.
    {
        w.HTML()->setWholeText(filler(1 << 20));
        std::vector<double> ms;
        QElapsedTimer t;
        for (int i = 0; i < 60; ++i) {
            t.start();
            w.HTML()->setSelText(QStringLiteral("x"));
            ms.push_back(t.nsecsElapsed() / 1e6);
            QCoreApplication::processEvents();
        }
        report("1 MB: change -> preview written, reload requested", ms);
        std::vector<double> update;
        for (int i = 0; i < 60; ++i) {
            t.start();
            w.HTMLUpdate();
            update.push_back(t.nsecsElapsed() / 1e6);
            QCoreApplication::processEvents();
        }
        report("1 MB: HTMLUpdate alone", update);
    }

    // 2. Open a 10 MB file until its text is in the pane.
    {
        const QString file = testenv::root() + QStringLiteral("/big.htm");
        writeFile(file, filler(10 << 20).toUtf8());
        w.menu().mnuAU->trigger(); // off: the open's own refresh still runs
        std::vector<double> ms;
        QElapsedTimer t;
        for (int i = 0; i < 5; ++i) {
            fx.platform.fileAnswers << file;
            if (w.document().isChanged())
                fx.platform.messageAnswers << MsgResult::No;
            t.start();
            w.menu().mnuOpen->trigger();
            QCoreApplication::processEvents(); // paint the text
            ms.push_back(t.nsecsElapsed() / 1e6);
        }
        report("10 MB: Open -> text shown", ms);
        w.menu().mnuAU->trigger();
    }

    // 3. Keystroke to DOM, 100 KB document, auto-update on: a new document,
    //    then the same page saved in a folder of its own (its addresses
    //    relative to that folder).
    const QString head = QStringLiteral("<html><body>\r\n") + filler(100 * 1024)
        + QStringLiteral("<p id=\"t\">");
    const QString saved = testenv::root() + QStringLiteral("/site/page.htm");
    QDir().mkpath(testenv::root() + QStringLiteral("/site"));
    writeFile(saved, (head + QStringLiteral("</p></body></html>")).toUtf8());
    for (const bool open : {false, true}) {
        if (open) {
            fx.platform.fileAnswers << saved;
            fx.platform.messageAnswers << MsgResult::No;
            w.menu().mnuOpen->trigger();
        } else {
            w.HTML()->setWholeText(head + QStringLiteral("</p></body></html>"));
        }
        w.HTML()->setSelStart(int(head.size()));
        w.HTML()->setFocus();
        while (domLength(w) != 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::vector<double> ms;
        QElapsedTimer t;
        for (int i = 1; i <= 30; ++i) {
            t.start();
            QTest::keyClick(w.HTML(), 'a');
            while (domLength(w) != i) {
                if (t.elapsed() > 10000) {
                    std::printf("keystroke %d never reached the page\n", i);
                    return 1;
                }
            }
            ms.push_back(t.nsecsElapsed() / 1e6);
        }
        report(open ? "100 KB saved: keystroke -> page DOM shows it"
                    : "100 KB: keystroke -> page DOM shows it",
               ms);
    }
    return 0;
}
