// Tidy Up: what HTML Tidy's re-indenting keeps (the doctype as written, the
// line ends, the characters, no line end added at the end, a piece of a
// page left a piece), the deeply nested page it refuses, and the command in
// the real main window through the checker process: one step of Ctrl+Z,
// the question when Tidy finds errors (No changes nothing), the selection
// indented where it stands, and a failing checker that changes nothing.
#include "core/page_checker.h"
#include "core/tidy_up.h"
#include "editor/comforts.h"
#include "editor/tidy_command.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

Q_DECLARE_METATYPE(MsgResult)

class TestTidyUp : public QObject {
    Q_OBJECT
    WindowFixture fx;
    frmHTML *main = nullptr;
    HTMLPane *pane = nullptr;
    Comforts &comforts() const { return *main->findChild<Comforts *>(); }

    void document(const QString &text, int selStart = 0, int selLength = 0)
    {
        main->document().setLoading(true);
        pane->setWholeText(text);
        main->document().setLoading(false);
        pane->setSelStart(selStart);
        pane->setSelLength(selLength);
        fx.platform = ScriptedPlatform();
    }

private slots:
    void keeps_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("newline");
        QTest::addColumn<bool>("fragment");
        QTest::addColumn<QByteArray>("tidied");
        QTest::newRow("doctype as written, CR LF")
            << QByteArray("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html><head><title>t</title></head><body><p>a</body></html>\r\n")
            << QByteArray("\r\n") << false
            << QByteArray("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>\r\n<head>\r\n  <title>t</title>\r\n</head>\r\n<body>\r\n  <p>a</p>\r\n</body>\r\n</html>\r\n");
        QTest::newRow("no doctype added, LF, none at the end")
            << QByteArray("<html><head><title>t</title></head><body><div><p>a</div></body></html>")
            << QByteArray("\n") << false
            << QByteArray("<html>\n<head>\n  <title>t</title>\n</head>\n<body>\n  <div>\n    <p>a</p>\n  </div>\n</body>\n</html>");
        QTest::newRow("characters stay characters, entities entities")
            << QByteArray("<p>caf\xc3\xa9\xc2\xa0&eacute; \xf0\x9f\x8c\xb9</p>\n") << QByteArray("\n") << true
            << QByteArray("<p>caf\xc3\xa9\xc2\xa0&eacute; \xf0\x9f\x8c\xb9</p>\n");
        QTest::newRow("a piece stays a piece")
            << QByteArray("<ul><li>a<li>b</ul>") << QByteArray("\r") << true
            << QByteArray("<ul>\r  <li>a</li>\r  <li>b</li>\r</ul>");
        QTest::newRow("tabs and attribute values kept")
            << QByteArray("<pre>\ta\tb</pre><p title=\"a  b\">c</p>\n") << QByteArray("\n") << true
            << QByteArray("<pre>\ta\tb</pre>\n<p title=\"a  b\">c</p>\n");
    }
    void keeps()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, newline);
        QFETCH(bool, fragment);
        const TidyResult r = tidyUpUtf8(page, TidyOptions{newline, fragment, 2});
        QVERIFY(r.produced);
        QTEST(r.text, "tidied");
        QCOMPARE(r.errors, 0);
    }

    void refusesWhatItCannotIndent()
    {
        const TidyResult deep = tidyUpUtf8(QByteArray("<div>").repeated(10000), TidyOptions{});
        QVERIFY(!deep.produced);
        QCOMPARE(deep.refusal, "The page is nested too deeply to be indented: tidied up, it would grow past 16 MB.");
        const std::optional<TidyResult> back = decodeTidyResult(encodeTidyResult(deep));
        QVERIFY(back && back->refusal == deep.refusal && !decodeTidyResult(encodeTidyResult(deep).chopped(1)));
    }

    void initTestCase()
    {
        fx.start();
        main = fx.window.get();
        pane = main->HTML();
    }

    // Through the checker process, as the menu runs it.
    void command_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QList<MsgResult>>("answers");
        QTest::addColumn<QString>("asked");  // the message's title and first words
        QTest::addColumn<QString>("after");
        QTest::newRow("page, one undo step") << "<div><p>\u00e9</div>" << 0 << 0 << QList<MsgResult>() << ""
                                               << "<div>\r\n  <p>\u00e9</p>\r\n</div>";
        QTest::newRow("errors: No") << "<!DOCTYPE html>\r\n<p><blink2>x</blink2>" << 0 << 0 << QList<MsgResult>{MsgResult::No}
                                    << "Tidy Up|HTML Tidy found 1 error in the page. The first, at line 2, column 4: <blink2> is not recognized!\r\n\r\nTidy Up corrects it"
                                    << "<!DOCTYPE html>\r\n<p><blink2>x</blink2>";
        QTest::newRow("errors: Yes") << "<p><blink2>x</blink2>" << 0 << 0 << QList<MsgResult>{MsgResult::Yes}
                                     << "Tidy Up|HTML Tidy found 1 error" << "<p>x</p>";
        QTest::newRow("selection, where it stands") << "<body>\r\n  <ul><li>a<li>b</ul>\r\n</body>" << 10 << 19
                                                     << QList<MsgResult>() << ""
                                                     << "<body>\r\n  <ul>\r\n    <li>a</li>\r\n    <li>b</li>\r\n  </ul>\r\n</body>";
    }
    void command()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, asked);
        document(text, selStart, selLength);
        QFETCH(QList<MsgResult>, answers);
        fx.platform.messageAnswers = answers;
        comforts().tidy().mnuTidyUp->trigger();
        QCOMPARE(fx.platform.messages.isEmpty() ? QString() : messageLine(fx.platform, 0).section('|', 0, 0) + "|"
                     + fx.platform.messages[0].text.left(asked.section('|', 1).size()),
                 asked);
        QTEST(pane->wholeText(), "after");
        if (pane->wholeText() != text) {
            pane->undo(); // one step
            QCOMPARE(pane->wholeText(), text);
        }
    }

    void aFailingCheckerChangesNothing()
    {
        document("<p>a");
        PageChecker &tidier = comforts().tidy().tidier();
        tidier.setProgram(testenv::root() + "/no-such-checker");
        comforts().tidy().mnuTidyUp->trigger();
        tidier.setProgram(defaultChecker());
        QCOMPARE(messageLine(fx.platform, 0), "Tidy Up|Exclamation|OK|The checker '" + testenv::root() + "/no-such-checker' could not be started.");
        QCOMPARE(pane->wholeText(), "<p>a");
    }
};

VELMORA_TEST_MAIN(TestTidyUp)
#include "tst_tidy_up.moc"
