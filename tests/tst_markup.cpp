// Reading typed markup: what completion offers where the caret is, the end
// tag closing tags as you type adds, the tag that pairs with the one at the
// caret and the element around a selection (optional end tags, void
// elements, script bodies and comments), what the outline keeps across a
// change of the text, and comment toggling. "|" marks the caret.
#include "core/html_comment.h"
#include "core/markup_completion.h"

using namespace markup;

namespace {

// The text without its "|", and where the "|" was.
QByteArray place(const QString &marked, qsizetype &caret)
{
    caret = marked.toUtf8().indexOf('|');
    return marked.toUtf8().remove(caret, 1);
}

QString summary(const Context &c, QByteArrayView text, qsizetype caret)
{
    static const char *names[] = {"Text", "Reference", "TagName", "EndTagName", "AttributeName",
                                  "AttributeValue", "Other"};
    QString s = QString::fromLatin1(names[int(c.place)]) + " "
        + QString::fromUtf8(text.sliced(c.wordStart, caret - c.wordStart));
    if (c.place == Place::AttributeName || c.place == Place::AttributeValue)
        s += " in " + QString::fromUtf8(c.element + (c.attribute.isEmpty() ? "" : " " + c.attribute));
    return s;
}

QByteArrayList names(const ElementStack &open)
{
    QByteArrayList out;
    for (const OpenElement &e : open)
        out << e.name + '@' + QByteArray::number(e.start);
    return out;
}

QString labels(const std::vector<Choice> &choices, int first)
{
    QStringList out;
    for (int i = 0; i < first && i < int(choices.size()); ++i)
        out << choices[size_t(i)].label;
    return out.join(',');
}

} // namespace

class TestMarkup : public QObject {
    Q_OBJECT
private slots:
    void contexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("first"); // the first choices, in order
        QTest::addColumn<QString>("absent");
        QTest::newRow("after <") << "<p>a <|" << "TagName " << "a,abbr" << "";
        QTest::newRow("name begun") << "<p><di|" << "TagName di" << "a" << "";
        QTest::newRow("</: innermost first") << "<ul><li><b>x</|" << "EndTagName " << "b,li,ul,a" << "";
        QTest::newRow("</: as written") << "<DIV>x</|" << "EndTagName " << "DIV,a" << "div";
        QTest::newRow("</: li ended by li") << "<ul><li>a<li>b</|" << "EndTagName " << "li,ul,a" << "";
        QTest::newRow("</: p ended by div") << "<p>a<div>b</|" << "EndTagName " << "div,a" << "";
        QTest::newRow("</: cell ended by cell") << "<table><tr><td>a<td>b</|" << "EndTagName " << "td,tr,table" << "";
        QTest::newRow("</: void is not open") << "<p><br><img src=x></|" << "EndTagName " << "p,a" << "";
        QTest::newRow("</: svg closes itself") << "<svg><circle/></|" << "EndTagName " << "svg,a" << "";
        QTest::newRow("</: script body") << "<script>a</|" << "EndTagName " << "script" << "";
        QTest::newRow("attribute") << "<input type=\"text\" |" << "AttributeName  in input" << "accept" << "type";
        QTest::newRow("attribute begun") << "<a hr|" << "AttributeName hr in a" << "" << "";
        QTest::newRow("after >-holding value") << "<a title=\"a>b\" |" << "AttributeName  in a" << "" << "title";
        QTest::newRow("value after =") << "<input type=|" << "AttributeValue  in input type" << "button,checkbox" << "";
        QTest::newRow("value quoted") << "<form method=\"p|" << "AttributeValue p in form method" << "dialog,get,post" << "";
        QTest::newRow("global value") << "<p dir='|" << "AttributeValue  in p dir" << "ltr,rtl,auto" << "";
        QTest::newRow("no fixed values") << "<a href=\"|" << "AttributeValue  in a href" << "" << "";
        QTest::newRow("reference") << "a &am|" << "Reference am" << "" << "";
        QTest::newRow("reference in value") << "<a href=\"?a=1&am|" << "Reference am" << "" << "";
        QTest::newRow("in script") << "<script>if (a <|" << "Other " << "" << "a";
        QTest::newRow("in style") << "<style>p<|" << "Other " << "" << "";
        QTest::newRow("in textarea") << "<textarea><|" << "Other " << "" << "";
        QTest::newRow("in comment") << "<!-- <|" << "Other " << "" << "";
        QTest::newRow("in CDATA") << "<![CDATA[ <|" << "Other " << "" << "";
        QTest::newRow("in doctype") << "<!DOCTYPE |" << "Other " << "" << "";
        QTest::newRow("stray <") << "a < b|" << "Text " << "" << "";
        QTest::newRow("after a comment") << "<!-- <b> --><|" << "TagName " << "a" << "";
        QTest::newRow("unfinished tag") << "<div class=x\n<|" << "TagName " << "a" << "";
        QTest::newRow("after script") << "<script>a<b</script><|" << "TagName " << "a" << "";
    }
    void contexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, first);
        QFETCH(QString, absent);
        qsizetype caret = 0;
        const QByteArray bytes = place(text, caret);
        Outline outline;
        const Context c = outline.contextAt(bytes, caret);
        QTEST(summary(c, bytes, caret), "context");
        const std::vector<Choice> choices = choicesFor(c, bytes);
        QCOMPARE(labels(choices, int(first.count(',')) + (first.isEmpty() ? 0 : 1)), first);
        for (const Choice &ch : choices)
            QVERIFY2(absent.isEmpty() || ch.word != absent, qPrintable(absent));
    }

    void referencesShowTheirCharacters()
    {
        Outline outline;
        const std::vector<Choice> refs = choicesFor(outline.contextAt("&", 1), "&");
        QStringList found;
        for (const Choice &c : refs)
            if (c.word == "amp" || c.word == "nbsp" || c.word == "Afr")
                found << c.label;
        QCOMPARE(found, QStringList({QStringLiteral("Afr;  \U0001D504"), "amp;  &", "nbsp;  U+00A0"}));
        QCOMPARE(refs.size(), size_t(2125));
    }

    void choosing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("result"); // "|": the caret after it
        QTest::newRow("element") << "<d|" << "div" << "<div|";
        QTest::newRow("end tag") << "<b>x</|" << "b" << "<b>x</b>|";
        QTest::newRow("end tag before its >") << "<b>x</|>" << "b" << "<b>x</b>|";
        QTest::newRow("attribute") << "<a h|>" << "href" << "<a href=\"|\">";
        QTest::newRow("attribute with its value") << "<a h|ref=\"x\">" << "hreflang" << "<a hreflang|=\"x\">";
        QTest::newRow("value") << "<p dir=|>" << "rtl" << "<p dir=\"rtl\"|>";
        QTest::newRow("value in quotes") << "<p dir=\"l|tr\">" << "rtl" << "<p dir=\"rtl\"|>";
        QTest::newRow("value, quote left open") << "<p dir='|" << "rtl" << "<p dir='rtl'|";
        QTest::newRow("reference") << "&am|p; b" << "amp" << "&amp;| b";
    }
    void choosing()
    {
        QFETCH(QString, text);
        QFETCH(QString, word);
        qsizetype caret = 0;
        QByteArray bytes = place(text, caret);
        Outline outline;
        const Edit e = completionEdit(outline.contextAt(bytes, caret), bytes, caret, word);
        bytes.replace(e.start, e.end - e.start, e.text);
        QTEST(QString::fromUtf8(bytes.insert(e.caret, '|')), "result");
    }

    void closingTags_data()
    {
        QTest::addColumn<QString>("text"); // just typed: the character before "|"
        QTest::addColumn<QString>("added");
        QTest::newRow("start tag") << "<div class=\"a\">|" << "</div>";
        QTest::newRow("as written") << "<DIV>|" << "</DIV>";
        QTest::newRow("void") << "<br>|" << "";
        QTest::newRow("closes itself") << "<x-y/>|" << "";
        QTest::newRow("> in a value") << "<a title=\"x>|" << "";
        QTest::newRow("end tag follows") << "<p>|</p>" << "";
        QTest::newRow("end tag further on") << "<div>|<div>a</div>\n</div>" << "";
        QTest::newRow("another element's end follows") << "<b>|</i>" << "</b>";
        QTest::newRow("optional end: next li ends it") << "<ul><li>|<li>b</li></ul>" << "</li>";
        QTest::newRow("in script") << "<script>if (a >|" << "";
        QTest::newRow("script's own start tag") << "<script>|" << "</script>";
        QTest::newRow("in comment") << "<!-- <b>|" << "";
        QTest::newRow("end tag's >") << "<b></b>|" << "";
        QTest::newRow("</") << "<ul><li><b>x</|" << "b>";
        QTest::newRow("</ after an implied end") << "<p>a<p>b</|" << "p>";
        QTest::newRow("</ with nothing open") << "</|" << "";
        QTest::newRow("</ in script") << "<script>a</|" << "script>";
        QTest::newRow("</ retyped") << "<b>x</|b>" << "";
    }
    void closingTags()
    {
        QFETCH(QString, text);
        qsizetype caret = 0;
        const QByteArray bytes = place(text, caret);
        Outline outline;
        const std::optional<Edit> e = closingEdit(outline, bytes, caret);
        QTEST(e ? QString::fromUtf8(e->text) : QString(), "added");
    }

    void matching_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("partner"); // the tag paired with the one at the caret
        QTest::addColumn<QString>("element"); // what Select Element takes
        QTest::newRow("start tag") << "<d|iv><p>x</p></div>" << "</div>" << "<div><p>x</p></div>";
        QTest::newRow("end tag") << "<div><p>x</p></di|v>" << "<div>" << "<div><p>x</p></div>";
        QTest::newRow("caret after an end tag") << "<p>x</p>|" << "<p>" << "";
        QTest::newRow("caret in text after a tag") << "<p>x</p> |" << "" << "";
        QTest::newRow("a tag beginning there first") << "<i><b>x</b>|</i>" << "<i>" << "<i><b>x</b></i>";
        QTest::newRow("li without end tag") << "<ul><l|i>a<li>b</ul>" << "" << "<li>a";
        QTest::newRow("p ended by a block") << "<|p>a<div>b</div>" << "" << "<p>a";
        QTest::newRow("void") << "<p><b|r></p>" << "" << "<p><br></p>";
        QTest::newRow("stray end tag") << "<p>x</d|iv>" << "" << "<p>x</div>";
        QTest::newRow("comment holds a tag") << "<|b><!-- </b> --></b>" << "</b>" << "<b><!-- </b> --></b>";
        QTest::newRow("script body holds one") << "<scr|ipt>a='</b>'</script>" << "</script>" << "<script>a='</b>'</script>";
        QTest::newRow("cell end tag") << "<table><tr><td>a</t|d></tr></table>" << "<td>" << "<td>a</td>";
        QTest::newRow("text") << "<b>x|y</b>" << "" << "<b>xy</b>";
    }
    void matching()
    {
        QFETCH(QString, text);
        qsizetype caret = 0;
        const QByteArray bytes = place(text, caret);
        Outline outline;
        const std::optional<TagInfo> tag = outline.tagAt(bytes, caret);
        const std::optional<Range> p = tag ? outline.partner(bytes, *tag) : std::nullopt;
        QTEST(p ? QString::fromUtf8(bytes.sliced(p->start, p->end - p->start)) : QString(), "partner");
        const std::optional<Range> e = outline.elementAround(bytes, caret, caret);
        QTEST(e ? QString::fromUtf8(bytes.sliced(e->start, e->end - e->start)) : QString(), "element");
        if (e) { // again: the parent
            const std::optional<Range> parent = outline.elementAround(bytes, e->start, e->end);
            QVERIFY(!parent || (parent->start <= e->start && parent->end >= e->end && !(*parent == *e)));
        }
    }

    // A page read once, changed in the middle and told of it, answers as a
    // page read afresh.
    void outlineFollowsChanges_data()
    {
        QTest::addColumn<QByteArray>("inserted");
        QTest::newRow("an open element") << QByteArray("<div>");
        QTest::newRow("an end tag") << QByteArray("</section>");
        QTest::newRow("a comment's start") << QByteArray("<!--");
        QTest::newRow("a script") << QByteArray("<script>");
    }
    void outlineFollowsChanges()
    {
        QFETCH(QByteArray, inserted);
        QByteArray page = "<html><body><section>";
        while (page.size() < 400000)
            page += "<p>Some <b>text</b> &amp; more <a href=\"x\">link</a></p>\n";
        Outline kept;
        QCOMPARE(kept.contextAt(page, page.size()).open.size(), size_t(3)); // html body section
        for (qsizetype at : {qsizetype(150000), qsizetype(21)}) {
            page.insert(at, inserted);
            kept.invalidateFrom(at);
            for (qsizetype p : {qsizetype(149000), qsizetype(260000), page.size()}) {
                Outline fresh;
                const Context a = kept.contextAt(page, p), b = fresh.contextAt(page, p);
                QCOMPARE(names(a.open), names(b.open));
                QCOMPARE(int(a.place), int(b.place));
            }
        }
    }

    void comments_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("toggled");
        QTest::newRow("a line") << "  <p>x</p>" << "  <!-- <p>x</p> -->";
        QTest::newRow("back") << "  <!-- <p>x</p> -->" << "  <p>x</p>";
        QTest::newRow("without spaces") << "<!--x-->" << "x";
        QTest::newRow("two comments") << "<!-- a -->\r\n<!-- b -->\r\n" << "a\r\nb\r\n";
        QTest::newRow("--!> ends one") << "<!-- a --!>" << "a";
        QTest::newRow("markup around a comment") << "<p>a</p> <!-- c --> <p>b</p>"
                                                  << "<!-- <p>a</p> --> <!-- c --> <!-- <p>b</p> -->";
        QTest::newRow("blank") << " \t" << " \t";
    }
    void comments()
    {
        QFETCH(QString, region);
        QTEST(toggleComment(region), "toggled");
    }
};

QTEST_MAIN(TestMarkup)
#include "tst_markup.moc"
