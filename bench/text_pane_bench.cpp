// The text pane with a large document: assigning it, a keystroke with its
// change notification and a read of the whole text, and the UTF-16 caret
// conversions near the end. Prints medians in milliseconds.
#include "widgets/html_pane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString document(int bytes)
{
    QString line = QStringLiteral("<p>Gr\u00fc\u00dfe, caf\u00e9 \u20ac and some plain text to fill the line.</p>\r\n");
    const int lineBytes = int(line.toUtf8().size());
    return line.repeated(bytes / lineBytes + 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    HTMLPane pane;
    int notifications = 0;
    bool readText = false;
    QString seen;
    QObject::connect(&pane, &HTMLPane::changed, &pane, [&] {
        ++notifications;
        if (readText)
            seen = pane.wholeText();
    });

    for (int mb : {1, 10}) {
        const QString text = document(mb * 1024 * 1024);
        std::vector<double> assign, key, keyRead, caret;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer t;
            t.start();
            pane.setWholeText(text);
            assign.push_back(t.nsecsElapsed() / 1e6);
        }
        pane.setSelStart(pane.textLength() - 10);
        for (int i = 0; i < 100; ++i) {
            readText = i % 2; // every other keystroke also reads the whole text
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QElapsedTimer t;
            t.start();
            QApplication::sendEvent(&pane, &press);
            (readText ? keyRead : key).push_back(t.nsecsElapsed() / 1e6);
        }
        for (int i = 0; i < 50; ++i) {
            QElapsedTimer t;
            t.start();
            pane.setSelStart(pane.textLength() - i);
            volatile int s = pane.selStart();
            (void)s;
            caret.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("%d MB: setWholeText %.2f ms; keystroke with changed() %.3f ms, "
                    "and reading the whole text in changed() %.3f ms; "
                    "setSelStart+selStart near the end %.4f ms\n",
                    mb, median(assign), median(key), median(keyRead), median(caret));
    }
    return notifications > 0 && !seen.isEmpty() ? 0 : 1;
}
