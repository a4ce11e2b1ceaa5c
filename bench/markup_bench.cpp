// Typing HTML in a 10 MB page: a key that opens the completion list at the
// end of the page (limit 16 ms median), the matching-tag mark after a caret
// move into tags all over the page (limit 16 ms median), and a plain key and
// a ">" with every typing option on against all off. Prints medians and the
// slowest in milliseconds. Run by hand: build/bench/markup_bench [megabytes]
// [line]; "line" puts the page on one line and times the markup questions
// alone (the text pane's own layout of so long a line is another matter).
#include "core/markup_outline.h"
#include "widgets/html_pane.h"
#include "widgets/pane_markup.h"
#include "widgets/tag_completion.h"
#include "widgets/tag_matching.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <random>

namespace {

using SB = QsciScintillaBase;

struct Times {
    std::vector<double> ms;
    double median()
    {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    double slowest() { return *std::max_element(ms.begin(), ms.end()); }
};

QByteArray page(int megabytes, bool oneLine)
{
    QByteArray text = "<!DOCTYPE html>\r\n<html>\r\n<head><title>Bench</title></head>\r\n<body>\r\n";
    const QByteArray section =
        "<div class=\"section\">\r\n  <h2>A heading</h2>\r\n"
        "  <p>Some <b>bold</b> and <a href=\"x.htm\">a link</a> &amp; more text.\r\n"
        "  <ul><li>one<li>two</ul>\r\n"
        "  <table><tr><td>a<td>b</tr></table>\r\n</div>\r\n";
    while (text.size() < qsizetype(megabytes) << 20)
        text += section;
    return oneLine ? text.replace("\r\n", " ") : text;
}

double key(HTMLPane &pane, int k, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QElapsedTimer t;
    t.start();
    QApplication::sendEvent(&pane, &press);
    return t.nsecsElapsed() / 1e6;
}

// The questions a key and a caret move ask, on a page that is one line.
int oneLine(QByteArray text, int megabytes)
{
    markup::Outline outline;
    Times context, tag;
    for (int i = 0; i < 60; ++i) {
        text.append('<'); // a key at the end
        outline.invalidateFrom(text.size() - 1);
        QElapsedTimer t;
        t.start();
        const markup::Context c = outline.contextAt(text, text.size());
        context.ms.push_back(t.nsecsElapsed() / 1e6);
        if (c.place != markup::Place::TagName)
            return 1;
        text.chop(1);
        outline.invalidateFrom(text.size());
        const qsizetype at = text.indexOf("<b>", qsizetype(i) * (text.size() / 61)) + 1;
        t.restart();
        const std::optional<markup::TagInfo> info = outline.tagAt(text, at);
        if (info)
            outline.partner(text, *info);
        tag.ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("%d MB on one line: context at the end after a key: median %.3f ms, slowest %.2f ms; "
                "tag and partner: median %.3f ms, slowest %.2f ms\n",
                megabytes, context.median(), context.slowest(), tag.median(), tag.slowest());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 10;
    HTMLPane pane;
    pane.resize(800, 600);
    pane.show();
    auto *markup = new PaneMarkup(pane);
    auto *completion = new TagCompletion(*markup);
    auto *matching = new TagMatching(*markup);
    if (argc > 2 && QByteArray(argv[2]) == "line")
        return oneLine(page(megabytes, true), megabytes);
    pane.setWholeText(QString::fromUtf8(page(megabytes, false)));
    const long end = pane.SendScintilla(SB::SCI_GETTEXTLENGTH);

    // A key that opens the list at the end: "<", then the list is closed
    // and the "<" taken back (not timed).
    completion->setAsYouType(true);
    Times list;
    for (int i = 0; i < 60; ++i) {
        pane.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(pane.SendScintilla(SB::SCI_GETTEXTLENGTH)));
        list.ms.push_back(key(pane, Qt::Key_Less, QStringLiteral("<")));
        if (!completion->isListShown()) {
            std::printf("the list did not open\n");
            return 1;
        }
        pane.SendScintilla(SB::SCI_AUTOCCANCEL);
        pane.SendScintilla(SB::SCI_DELETEBACK);
    }
    const double first = list.ms.front();
    std::printf("%d MB: key to completion list at the end: median %.3f ms, slowest %.2f ms "
                "(the first, which reads the page once: %.2f ms)\n",
                megabytes, list.median(), list.slowest(), first);

    // The mark after a caret move: into tags picked all over the page.
    matching->setMarkOn(true);
    const QByteArray text = pane.utf8Text().toByteArray();
    std::mt19937 random(7);
    Times mark;
    for (int i = 0; i < 200; ++i) {
        const qsizetype at = text.indexOf('<', qsizetype(random() % quint32(end)));
        pane.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(at + 1));
        QElapsedTimer t;
        t.start();
        matching->mark();
        mark.ms.push_back(t.nsecsElapsed() / 1e6);
    }
    QElapsedTimer t;
    t.start();
    pane.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(text.indexOf("<body>") + 1));
    matching->mark();
    std::printf("%d MB: matching-tag mark after a caret move: median %.3f ms, slowest %.2f ms; "
                "<body> to its end tag %.2f ms\n",
                megabytes, mark.median(), mark.slowest(), t.nsecsElapsed() / 1e6);

    // Keys with everything off, then on.
    for (const bool on : {false, true}) {
        completion->setAsYouType(on);
        completion->setCloseTags(on);
        matching->setMarkOn(on);
        Times plain, gt;
        for (int i = 0; i < 100; ++i) {
            pane.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(end - 10));
            plain.ms.push_back(key(pane, Qt::Key_A, QStringLiteral("a")));
            pane.SendScintilla(SB::SCI_DELETEBACK);
            pane.SendScintilla(SB::SCI_INSERTTEXT, static_cast<unsigned long>(end - 10), "<b");
            pane.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(end - 8));
            gt.ms.push_back(key(pane, Qt::Key_Greater, QStringLiteral(">")));
            // Take back what the key and the option added.
            const long added = pane.SendScintilla(SB::SCI_GETTEXTLENGTH) - end;
            pane.SendScintilla(SB::SCI_SETTARGETRANGE, static_cast<unsigned long>(end - 10), end - 10 + added);
            pane.SendScintilla(SB::SCI_REPLACETARGET, 0UL, "");
        }
        std::printf("%d MB, typing options %s: a letter %.3f ms (slowest %.2f), a start tag's \">\" "
                    "%.3f ms (slowest %.2f)\n",
                    megabytes, on ? "all on " : "all off", plain.median(), plain.slowest(), gt.median(),
                    gt.slowest());
    }
    return 0;
}
