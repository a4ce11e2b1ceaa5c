// Check page: Tidy's messages on small pages with known faults, at the line
// and column they point to (characters, a tab counts one), in text order;
// and the column of a message turned into a place in the line.
#include "core/page_check.h"

using Messages = QList<PageMessage>;
Q_DECLARE_METATYPE(PageMessage)

namespace {

PageMessage msg(int line, int column, PageMessage::Kind kind, const char *text)
{
    return PageMessage{line, column, kind, QString::fromUtf8(text)};
}

} // namespace

class TestPageCheck : public QObject {
    Q_OBJECT
private slots:
    void messages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<Messages>("expected");
        const QString head = "<!DOCTYPE html>\n<html>\n<head><title>t</title></head>\n<body>\n";
        const QString tail = "\n</body>\n</html>\n";
        QTest::newRow("clean page") << head + "<p>fine</p>" + tail << Messages{};
        QTest::newRow("faults, with a tab and a non-ASCII letter before them")
            << head + "<p>caf\u00e9 <b>bold\n\t<x-y>bad</x-y> <img src=a.png>\n<table><tr><td>1</td></tr></table><p>&nbsp &foo;</p>" + tail
            << Messages{msg(5, 9, PageMessage::Warning, "missing </b> before <table>"),
                        msg(6, 2, PageMessage::Error,
                            "<x-y> is not recognized! Did you mean to enable the custom-tags option?"),
                        msg(6, 2, PageMessage::Warning, "discarding unexpected <x-y>"),
                        msg(6, 10, PageMessage::Warning, "discarding unexpected </x-y>"),
                        msg(6, 17, PageMessage::Warning, "<img> lacks \"alt\" attribute"),
                        msg(7, 38, PageMessage::Warning, "inserting implicit <b>"),
                        msg(7, 38, PageMessage::Warning, "entity \"&nbsp\" doesn't end in ';'"),
                        msg(7, 44, PageMessage::Warning, "unescaped & or unknown entity \"&foo\"")};
        QTest::newRow("carriage returns end lines too")
            << QString(head).replace("\n", "\r\n") + "\r<p><foo>x</foo></p>" + tail
            << Messages{msg(6, 4, PageMessage::Error, "<foo> is not recognized!"),
                        msg(6, 4, PageMessage::Warning, "discarding unexpected <foo>"),
                        msg(6, 10, PageMessage::Warning, "discarding unexpected </foo>")};
    }
    void messages()
    {
        QFETCH(QString, page);
        QFETCH(Messages, expected);
        const std::vector<PageMessage> got = checkPage(page);
        QCOMPARE(Messages(got.begin(), got.end()), expected);
    }

    void columnToIndex_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("index");
        QTest::newRow("after a surrogate pair") << "\U0001F600<b>" << 2 << 2;
        QTest::newRow("past the end") << "ab" << 9 << 2;
        QTest::newRow("no column") << "ab" << 0 << 0;
    }
    void columnToIndex()
    {
        QFETCH(QString, line);
        QFETCH(int, column);
        QTEST(::columnToIndex(line, column), "index");
    }
};

QTEST_MAIN(TestPageCheck)
#include "tst_page_check.moc"
