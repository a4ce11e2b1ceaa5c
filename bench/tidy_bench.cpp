// Tidy Up of a 1 MB page in the real main window (limit 1 s), through the
// checker process, and that one Ctrl+Z takes it back. Prints each run and
// the median in milliseconds. Run by hand: build/bench/tidy_bench [megabytes]
#include "editor/comforts.h"
#include "editor/tidy_command.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    testenv::setUp();
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 1;
    WindowFixture fx;
    frmHTML &w = fx.start();
    QString page = QStringLiteral("<!DOCTYPE html>\r\n<html><head><title>Bench</title></head><body>\r\n");
    const QString section = QStringLiteral(
        "<div class=\"section\"><h2>A heading</h2><p>Some <b>bold</b> and <a href=\"x.htm\">a link</a> "
        "&amp; more text.<ul><li>one<li>two</ul><table><tr><td>a<td>b</table></div>\r\n");
    while (page.toUtf8().size() < qsizetype(megabytes) << 20)
        page += section;
    page += QStringLiteral("</body></html>\r\n");
    w.HTML()->setWholeText(page);

    std::vector<double> runs;
    bool undone = true;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        w.findChild<Comforts *>()->tidy().mnuTidyUp->trigger();
        runs.push_back(t.nsecsElapsed() / 1e6);
        const bool changed = w.HTML()->wholeText() != page;
        w.HTML()->undo();
        undone = undone && changed && w.HTML()->wholeText() == page;
        std::printf("run %d: %.0f ms%s\n", i + 1, runs.back(), changed ? "" : " (nothing changed)");
    }
    std::sort(runs.begin(), runs.end());
    std::printf("Tidy Up of %d MB: median %.0f ms; one Ctrl+Z gave back the page each time: %s\n",
                megabytes, runs[runs.size() / 2], undone ? "yes" : "NO");
    return undone ? 0 : 1;
}
