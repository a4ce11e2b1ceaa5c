// The spelling check on a 1 MB page of English and German prose (words of
// the installed dictionaries, every thirtieth one misspelt) with markup,
// comments and scripts between:
// - a keystroke in the middle of the page, checking off and on: the key
//   handled and the pane drawn, and then the reading again that follows it;
// - the page opened with checking on: the time until every misspelt word
//   is underlined (the first time while the dictionaries load, then with
//   them loaded), while a key is typed into the pane every 5 ms, and the
//   longest time between two keys (the editor's longest deafness), beside
//   the same with checking off.
// Prints medians in milliseconds; exits 1 when the page takes more than
// 1 s to be underlined or two keys are more than 50 ms apart.
#include "core/spell_checker.h"
#include "widgets/html_pane.h"
#include "widgets/spell_marks.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The first `count` words of a dictionary, without their affix flags.
QStringList dictionaryWords(const QString &lang, int count)
{
    QFile f(spelling::dictionaryFor(lang.toLatin1(), spelling::dictionaryFolders(), "en-us") + ".dic");
    QStringList words;
    if (!f.open(QIODevice::ReadOnly))
        return words;
    f.readLine(); // the count
    while (!f.atEnd() && words.size() < count) {
        const QString word = QString::fromUtf8(f.readLine()).section(QLatin1Char('/'), 0, 0).trimmed();
        if (word.size() > 2 && word.front().isLetter() && word.back().isLetter())
            words << word;
    }
    return words;
}

QString page(int bytes)
{
    const QStringList en = dictionaryWords(QStringLiteral("en"), 30000);
    const QStringList de = dictionaryWords(QStringLiteral("de"), 30000);
    QRandomGenerator random(7);
    auto sentence = [&](const QStringList &words) {
        QString s;
        for (int i = 0; i < 12; ++i) {
            QString w = words.at(int(random.bounded(qsizetype(words.size()))));
            if (random.bounded(30) == 0 && w.size() > 3)
                std::swap(w[1], w[2]); // a typing error
            s += w + (i == 11 ? QStringLiteral(". ") : QStringLiteral(" "));
        }
        return s;
    };
    QString html = QStringLiteral("<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<body>\r\n");
    for (int i = 0; html.size() < bytes; ++i) {
        html += QStringLiteral("<p>") + sentence(en) + QStringLiteral("<img src=\"a.png\" alt=\"") + sentence(en)
                + QStringLiteral("\"></p>\r\n<p lang=\"de\">") + sentence(de) + QStringLiteral("</p>\r\n");
        if (i % 10 == 0)
            html += QStringLiteral("<!-- a note --><script>var x = 'nicht gepr\u00fcft';</script>\r\n");
    }
    return html + QStringLiteral("</body>\r\n</html>\r\n");
}

void settle(SpellMarks &marks)
{
    while (marks.isBusy())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

long underlined(HTMLPane &pane)
{
    long count = 0;
    const auto indicator = static_cast<unsigned long>(SpellMarks::kIndicator);
    const long length = pane.SendScintilla(QsciScintillaBase::SCI_GETTEXTLENGTH);
    for (long pos = 0; pos < length;) {
        const long end = pane.SendScintilla(QsciScintillaBase::SCI_INDICATOREND, indicator, pos);
        if (pane.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, indicator, pos) != 0)
            ++count;
        if (end <= pos)
            break;
        pos = end;
    }
    return count;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir data; // no personal word list of the user's
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    HTMLPane pane;
    pane.resize(900, 700);
    pane.show();
    SpellMarks marks(pane);
    const QString text = page(1024 * 1024);
    bool ok = true;

    // The page opened, keys coming in all the while: checking off, then on.
    const std::pair<const char *, bool> runs[] = {
        {"checking off", false}, {"checking on, dictionaries loading", true}, {"dictionaries loaded", true}};
    for (const auto &[when, on] : runs) {
        marks.setOn(on);
        QElapsedTimer sent;
        double longestWait = 0;
        int keys = 0;
        QTimer typing;
        typing.setInterval(5);
        QObject::connect(&typing, &QTimer::timeout, [&] {
            if (sent.isValid())
                longestWait = std::max(longestWait, sent.nsecsElapsed() / 1e6);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QApplication::sendEvent(&pane, &press);
            ++keys;
            sent.start();
        });
        QElapsedTimer t;
        t.start();
        pane.setWholeText(text);
        pane.setSelStart(pane.textLength() / 2);
        sent.invalidate();
        typing.start();
        QCoreApplication::processEvents();
        if (on)
            settle(marks);
        while (!on && t.elapsed() < 500)
            QCoreApplication::processEvents();
        const double ms = t.nsecsElapsed() / 1e6;
        typing.stop();
        std::printf("1 MB opened, %s: %ld words underlined in %.0f ms; %d keys typed meanwhile, "
                    "the longest time between two of them %.1f ms\n",
                    when, underlined(pane), ms, keys, longestWait);
        ok = ok && (!on || (ms <= 1000 && longestWait <= 50));
    }

    // A keystroke in the middle of the page, checking off and on.
    for (const bool on : {false, true}) {
        marks.setOn(on);
        pane.setWholeText(text);
        settle(marks);
        pane.setSelStart(pane.textLength() / 2);
        std::vector<double> drawn, after;
        for (int i = 0; i < 200; ++i) {
            QKeyEvent press(QEvent::KeyPress, i % 5 == 4 ? Qt::Key_Space : Qt::Key_E, Qt::NoModifier,
                            i % 5 == 4 ? QStringLiteral(" ") : QStringLiteral("e"));
            QElapsedTimer t;
            t.start();
            QApplication::sendEvent(&pane, &press);
            pane.viewport()->repaint();
            drawn.push_back(t.nsecsElapsed() / 1e6);
            t.restart();
            QCoreApplication::processEvents();
            settle(marks);
            after.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("keystroke, checking %s: key handled and drawn %.3f ms; what follows until idle %.3f ms\n",
                    on ? "on " : "off", median(drawn), median(after));
    }
    return ok ? 0 : 1;
}
