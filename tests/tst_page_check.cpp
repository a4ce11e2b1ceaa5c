// Check page: Tidy's messages on small pages with known faults, at the line
// and column they point to (characters, a tab counts one), in text order;
// the column of a message turned into a place in the line, and its line
// after lines were added or removed; the checker process on a page nested
// deeper than a thread's usual stack takes, and when it fails.
#include "core/page_check.h"
#include "core/page_checker.h"
#include "support/window_fixture.h"

using Messages = QList<PageMessage>;
Q_DECLARE_METATYPE(PageMessage)
Q_DECLARE_METATYPE(std::vector<LineShift>)

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

    void shiftedLine_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<std::vector<LineShift>>("shifts");
        QTest::addColumn<int>("shifted");
        QTest::newRow("lines removed above") << 9 << std::vector<LineShift>{{2, -3}} << 6;
        QTest::newRow("its line removed") << 4 << std::vector<LineShift>{{2, -3}} << 2;
        QTest::newRow("one change after another") << 5 << std::vector<LineShift>{{1, 1}, {1, -2}} << 4;
    }
    void shiftedLine()
    {
        QFETCH(int, line);
        QFETCH(std::vector<LineShift>, shifts);
        QTEST(::shiftedLine(line, shifts), "shifted");
    }

    // The checker, or a stand-in for it (a script), on a page: its messages
    // or the reason it gave none. 200,000 nested lists need 16 MB of
    // Tidy's stack, twice what a main thread has.
    void checker_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("deep page") << "exec '" + defaultChecker().toUtf8() + "'" << "0 errors, 400000 warnings, 10000 listed";
        QTest::newRow("no checker") << QByteArray() << "failed: The checker '%1' could not be started.";
        QTest::newRow("checker crashes") << QByteArray("cat >/dev/null; kill -SEGV $$") << "failed: HTML Tidy could not check this page: the checker stopped unexpectedly.";
        QTest::newRow("checker answers nonsense") << QByteArray("cat; echo nonsense") << "failed: HTML Tidy could not check this page.";
        QTest::newRow("checker out of memory") << QByteArray("cat >/dev/null; exit 3") << "failed: There is not enough memory to check this page.";
    }
    void checker()
    {
        QFETCH(QByteArray, script);
        QTemporaryDir dir;
        PageChecker checker;
        checker.setProgram(dir.filePath("checker"));
        if (!script.isEmpty())
            writeFile(checker.program(), "#!/bin/sh\n" + script + "\n");
        QFile::setPermissions(checker.program(), QFile::ReadOwner | QFile::ExeOwner);
        QString got;
        connect(&checker, &PageChecker::checked, this, [&](const CheckReport &r) {
            got = QStringLiteral("%1 errors, %2 warnings, %3 listed").arg(r.errors).arg(r.warnings).arg(r.messages.size());
        });
        connect(&checker, &PageChecker::failed, this, [&](const QString &why) { got = "failed: " + why; });
        checker.start("<!DOCTYPE html><html><head><title>t</title></head><body>" + QByteArray("<ul>").repeated(200000));
        QTRY_VERIFY_WITH_TIMEOUT(!checker.isRunning(), 60000);
        QFETCH(QString, outcome);
        QCOMPARE(got, outcome.replace("%1", checker.program()));
    }
};

QTEST_MAIN(TestPageCheck)
#include "tst_page_check.moc"
