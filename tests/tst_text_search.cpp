// Find and replace: what each option finds, where a search goes round the
// end, what replace all makes of the text (ECMAScript's $ references
// included), and the find bar on a real text pane: one undo step and one
// change notification for Replace all, the marks in view.
#include "core/text_search.h"
#include "widgets/find_bar.h"
#include "widgets/html_pane.h"

namespace {
// A match, then a run the backtracking engine gives up on.
const QString kHard = QStringLiteral("ab ") + QString(40, QLatin1Char('a')) + QStringLiteral(" ab");

SearchOptions opts(const QString &find, const QString &flags)
{
    SearchOptions o;
    o.find = find;
    o.matchCase = flags.contains('c');
    o.wholeWord = flags.contains('w');
    o.regex = flags.contains('r');
    o.wrap = !flags.contains('n');
    return o;
}

} // namespace

class TestTextSearch : public QObject {
    Q_OBJECT
private slots:
    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("flags"); // c case, w word, r regex, n no wrap, b backwards
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("start"); // -1: nothing found
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("wrapped");

        QTest::newRow("match case") << "Abc abc" << "abc" << "c" << 0 << 4 << 3 << false;
        QTest::newRow("whole word skips parts of words")
            << "concat cat_ cat" << "cat" << "w" << 0 << 12 << 3 << false;
        QTest::newRow("whole word at the text's ends") << "cat" << "cat" << "w" << 0 << 0 << 3 << false;
        QTest::newRow("regex") << "a1 b22 c333" << "\\d{2,}" << "r" << 0 << 4 << 2 << false;
        QTest::newRow("regex ignores case") << "xAB" << "ab" << "r" << 0 << 1 << 2 << false;
        QTest::newRow("regex lines") << "a\r\nb" << "^b$" << "r" << 0 << 3 << 1 << false;
        QTest::newRow("$ before CR LF, not between") << "abc\r\nE" << "$" << "r" << 0 << 3 << 0 << false;
        QTest::newRow(". does not match CR") << "c\r\nd" << "c." << "r" << 0 << -1 << 0 << false;
        QTest::newRow("wraps to the start") << "x..x" << "x" << "" << 4 << 0 << 1 << true;
        QTest::newRow("no wrap: not found") << "x..x" << "x" << "n" << 4 << -1 << 0 << false;
        QTest::newRow("empty find finds nothing") << "abc" << "" << "" << 0 << -1 << 0 << false;
        QTest::newRow("invalid regex finds nothing") << "((" << "(" << "r" << 0 << -1 << 0 << false;
        QTest::newRow("plain text: brackets are text") << "a(b" << "(b" << "" << 0 << 1 << 2 << false;
        QTest::newRow("previous") << "ab ab ab" << "ab" << "b" << 5 << 3 << 2 << false;
        QTest::newRow("previous wraps to the end") << "ab ab ab" << "ab" << "b" << 1 << 6 << 2 << true;
        QTest::newRow("previous, whole word regex")
            << "go gone go" << "g\\w" << "brw" << 8 << 0 << 2 << false;
        QTest::newRow("previous, no wrap") << "ab ab" << "ab" << "bn" << 1 << -1 << 0 << false;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, flags);
        QFETCH(int, from);
        QFETCH(int, start);
        const TextSearch search(opts(find, flags));
        const std::optional<TextMatch> m =
            flags.contains('b') ? search.previous(text, from) : search.next(text, from);
        if (start < 0) {
            QVERIFY(!m);
            return;
        }
        QVERIFY(m);
        QCOMPARE(m->start, start);
        QTEST(m->length, "length");
        QTEST(m->wrapped, "wrapped");
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("replace");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");

        QTest::newRow("plain") << "a-A-a" << "a" << "" << "b" << "b-b-b" << 3;
        QTest::newRow("non-ASCII, any case") << "\u00c4\u00d6 \u00e4\u00f6" << "\u00e4\u00f6" << ""
                                             << "X" << "X X" << 2;
        QTest::newRow("plain text keeps $") << "a" << "a" << "" << "$&" << "$&" << 1;
        QTest::newRow("groups") << "2024-05-06" << "(\\d+)-(\\d+)-(\\d+)" << "r" << "$3/$2/$1"
                                << "06/05/2024" << 1;
        QTest::newRow("$& and $$") << "cost 5" << "\\d" << "r" << "$$$&" << "cost $5" << 1;
        QTest::newRow("named group") << "in 1999." << "(?<y>\\d{4})" << "r" << "[$<y>]"
                                     << "in [1999]." << 1;
        QTest::newRow("no such group stays literal") << "ab" << "(a)" << "r" << "$2$1" << "$2ab" << 1;
        QTest::newRow("before and after") << "xAy" << "A" << "r" << "$'$`" << "xyxy" << 1;
        QTest::newRow("empty match after a match") << "abc" << "b*" << "r" << "-" << "-a--c-" << 4;
        QTest::newRow("zero-length keeps surrogate pairs") << "\U0001F600" << "" "(?:)" << "r" << "|"
                                                           << "|\U0001F600|" << 2;
        QTest::newRow("invalid regex") << "abc" << "[" << "r" << "-" << "abc" << 0;
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, flags);
        QFETCH(QString, replace);
        const TextSearch::ReplaceAll r = TextSearch(opts(find, flags)).replaceAll(text, replace);
        QTEST(r.count, "count");
        const QString result =
            r.count == 0 ? text : text.left(r.first) + r.span + text.mid(r.last);
        QTEST(result, "result");
    }

    // The bar on a real pane: Replace all is one undo step of the pane and
    // one change notification; Replace replaces only a selected match.
    void barOnThePane()
    {
        HTMLPane pane;
        FindBar bar(pane);
        const QString original = QStringLiteral("<p>one</p>\r\n<p>two</p>\r\n<P>three</P>");
        pane.setWholeText(original);
        QSignalSpy changes(&pane, &HTMLPane::changed);
        bar.setOptions(opts("<p>", ""));
        bar.setReplaceText("<div>");

        QCOMPARE(bar.replace(), false); // the caret is not on a match: it only finds one
        QVERIFY(pane.selStart() == 0 && pane.selLength() == 3 && changes.isEmpty());
        QCOMPARE(bar.replace(), true);
        QVERIFY(pane.wholeText().startsWith("<div>one") && changes.size() == 1);
        QCOMPARE(pane.selStart(), 14); // the next match is selected

        pane.setWholeText(original);
        changes.clear();
        QCOMPARE(bar.replaceAll(), 3);
        QCOMPARE(pane.wholeText(), QStringLiteral("<div>one</p>\r\n<div>two</p>\r\n<div>three</P>"));
        QVERIFY(changes.size() == 1 && bar.status() == "Replaced 3");
        pane.undo(); // the pane's own Ctrl+Z
        QCOMPARE(pane.wholeText(), original);

        bar.setOptions(opts("(", "r"));
        QCOMPARE(bar.replaceAll(), 0);
        QVERIFY(bar.status().startsWith("Invalid regular expression: ") && pane.wholeText() == original);

        // Zero-length matches step on instead of sticking at the caret.
        bar.setOptions(opts("^", "r"));
        pane.setSelStart(0);
        QVERIFY(bar.findNext() && pane.selStart() == 12);
        QVERIFY(bar.findNext() && pane.selStart() == 24);
        bar.setOptions(opts("$", "r")); // before CR LF, then on past it
        pane.setSelStart(0);
        QVERIFY(bar.findNext() && pane.selStart() == 10 && bar.findNext() && pane.selStart() == 22);

        // Where the engine gives up it says so, and nothing changes.
        pane.setWholeText(kHard);
        bar.setOptions(opts("(a+)+b", "r"));
        QVERIFY(bar.replaceAll() == 0 && bar.status() == TextSearch::kTooComplex && pane.wholeText() == kHard);
        QVERIFY(!bar.findPrevious() && bar.status() == TextSearch::kTooComplex); // not "Not found", nor the "ab" before
    }

    void marksMatchesInView()
    {
        HTMLPane pane;
        pane.resize(400, 200);
        FindBar bar(pane);
        pane.setWholeText(QStringLiteral("\u00e9ab ab\nab"));
        bar.setOptions(opts("ab", ""));
        bar.open(false);
        auto marked = [&pane](long pos) {
            return pane.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, 9UL, pos) != 0;
        };
        // Bytes: é is two, so the matches are at bytes 2, 5 and 8.
        QVERIFY(!marked(0) && marked(2) && marked(3) && !marked(4) && marked(5) && marked(8));
        bar.close();
        QVERIFY(!marked(2) && !marked(8));
    }
};

QTEST_MAIN(TestTextSearch)
#include "tst_text_search.moc"
