// A burst of typing into a large document with auto-update on: 3,000 keys
// into a 10 MB document, as fast as the keys come. Reports when the text
// pane showed the last key, when the preview file held the final text, and
// the memory (PSS) of the editor and its browser processes before and after.
// The unsaved text is kept in the recovery file meanwhile, as in the program.
// Run by hand: build/bench/burst_bench [keys] [megabytes] [on|follow]; "on"
// first switches on every option of the Options menu, "follow" Browser,
// Follow the Caret.

#include "editor/recovery_keeper.h"
#include "editor/session_guard.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <algorithm>
#include <cstdio>

namespace {

// The proportional set size of this process and of every process whose
// parent chain leads here (the browser's helper processes), in MiB.
double treePssMiB()
{
    const qint64 self = QCoreApplication::applicationPid();
    auto parentOf = [](const QString &pid) {
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            return qint64(-1);
        const QByteArray s = f.readAll();
        return s.mid(s.lastIndexOf(')') + 2).split(' ').value(1).toLongLong();
    };
    auto pss = [](const QString &pid) {
        QFile f(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            return 0.0;
        for (const QByteArray &line : f.readAll().split('\n'))
            if (line.startsWith("Pss:"))
                return line.mid(4).trimmed().split(' ').value(0).toDouble() / 1024;
        return 0.0;
    };
    double total = 0;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        pid.toLongLong(&number);
        if (!number)
            continue;
        for (qint64 p = pid.toLongLong(); p > 1; p = parentOf(QString::number(p)))
            if (p == self) {
                total += pss(pid);
                if (qEnvironmentVariableIsSet("BURST_EACH"))
                    std::printf("    pid %s: %.0f MiB\n", qPrintable(pid), pss(pid));
                break;
            }
    }
    return total;
}

} // namespace

int main(int argc, char *argv[])
{
    testenv::setUp();
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int megabytes = argc > 2 ? std::atoi(argv[2]) : 10;
    WindowFixture fx;
    frmHTML &w = fx.start();
    auto *guard = new SessionGuard(w);
    const bool optionsOn = argc > 3 && QByteArray(argv[3]) == "on";
    const bool follow = argc > 3 && QByteArray(argv[3]) == "follow";
    for (QAction *a : (optionsOn ? w.menu().mnuOptions : w.menu().mnuBrowser)->actions())
        if (a->isCheckable() && !a->isChecked() && (optionsOn || (follow && a != w.menu().mnuAU)))
            a->trigger();
    const QString line = QStringLiteral("<p>The quick brown fox jumps over the lazy dog.</p>\r\n");
    QString text;
    while (text.size() < qsizetype(megabytes) << 20)
        text += line;
    w.HTML()->setWholeText(text);
    if (!w.menu().mnuAU->isChecked())
        w.menu().mnuAU->trigger();
    waitUntil([&] { return !w.Browser()->isBusy(); });
    QTest::qWait(500);
    const double before = treePssMiB();

    QElapsedTimer clock;
    clock.start();
    const QString typed = QStringLiteral("abcdefghij");
    w.HTML()->setSelStart(0);
    qint64 slowest = 0;
    for (int i = 0; i < keys; ++i) {
        const qint64 sent = clock.nsecsElapsed();
        QTest::keyClick(w.HTML(), typed.at(i % typed.size()).toLatin1());
        QCoreApplication::processEvents(); // what the event loop does between keys
        slowest = std::max(slowest, clock.nsecsElapsed() - sent);
    }
    const double shown = clock.elapsed() / double(keys);
    const QByteArray expected = w.HTML()->utf8Text().toByteArray() + "\r\n";
    const qint64 lastKey = clock.elapsed();
    const bool written = waitUntil([&] { return fileBytes(w.preview().previewFile()) == expected; }, 60000);
    const qint64 fileDone = clock.elapsed() - lastKey;
    QTest::qWait(1000);
    const double after = treePssMiB();

    std::printf("%d keys into %d MB, auto-update on, options %s:\n", keys, megabytes,
                optionsOn ? "all on" : follow ? "off, Follow the Caret on" : "as stored (off at first)");
    std::printf("  burst took            %8lld ms (%.2f ms a key on average, %.1f ms the slowest, "
                "key to text pane)\n",
                static_cast<long long>(lastKey), shown, slowest / 1e6);
    std::printf("  preview file final    %8lld ms after the last key (%s)\n",
                static_cast<long long>(fileDone), written ? "holds the final text" : "NOT the final text");
    std::printf("  PSS of the process tree: %.0f MiB before, %.0f MiB after\n", before, after);
    std::printf("  recovery file         %8lld bytes\n",
                static_cast<long long>(QFileInfo(guard->recoveryFile()).size()));
    return written ? 0 : 1;
}
