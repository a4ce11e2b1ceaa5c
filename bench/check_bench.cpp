// Check page on a 1 MB page with a warning every few lines: the time HTML
// Tidy takes to parse and diagnose it and hand back its messages. Prints
// the median in milliseconds; exits 1 above 500 ms.
#include "core/page_check.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString page = QStringLiteral("<!DOCTYPE html>\n<html>\n<head><title>Bench</title></head>\n<body>\n");
    const QString rows[] = {
        QStringLiteral("<p>Plain paragraph with <b>bold</b> and <i>italic</i> caf\u00e9 text.</p>\n"),
        QStringLiteral("<table><tr><td>cell</td><td align=center>two</td></tr></table>\n"),
        QStringLiteral("<p>An image <img src=\"a.png\"> without alt, and &copy text</p>\n"),
        QStringLiteral("<ul><li>one<li>two</ul><div><span>nested</span></div>\n"),
    };
    for (int i = 0; page.size() < 1024 * 1024; ++i)
        page += rows[i % 4];
    page += QStringLiteral("</body>\n</html>\n");
    std::vector<double> times;
    size_t messages = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        messages = checkPage(page).size();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    const double m = times[times.size() / 2];
    std::printf("1 MB page (%.2f MB UTF-8): %zu messages, check %.1f ms (%s)\n",
                page.toUtf8().size() / 1048576.0, messages, m, m <= 500 ? "within 500 ms" : "TOO SLOW");
    return m <= 500 ? 0 : 1;
}
