// The location rules: the preview file's path in a folder, and the browser
// command line split into a program and its arguments.
#include "core/locations.h"
#include "support/test_env.h"

class TestLocations : public QObject {
    Q_OBJECT
private slots:
    void previewPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trailing separators") << "/tmp//" << "/tmp/KV731504.htm";
        QTest::newRow("root folder") << "/" << "/KV731504.htm";
        QTest::newRow("no folder") << "" << "";
    }
    void previewPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(locations::previewPath(folder), expected);
    }

    // `expected`: the program, then the arguments ("F" the preview file);
    // empty: no command.
    void browserCommand_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const QString &line, const QStringList &expected) {
            QTest::newRow(name) << line << expected;
        };
        row("placeholder twice, once inside a word", "b %HTML% -f=%HTML%.", {"b", "F", "-f=F."});
        row("no placeholder, blanks around", " \tb  -x ", {"b", "-x"});
        row("placeholder is case-sensitive", "b %html%", {"b", "%html%"});
        row("single quotes: blanks and specials literal", "'/My B/run' 'a\\\"$x'", {"/My B/run", "a\\\"$x"});
        row("double quotes with escapes", "b \"x \\\"y\\\" \\\\ \\$ \\a\"", {"b", "x \"y\" \\ $ \\a"});
        row("quotes join the rest of a word", "b --f=\"%HTML%\"x'y z'", {"b", "--f=Fxy z"});
        row("backslash takes a blank", "/My\\ B %HTML%", {"/My B", "F"});
        row("empty quoted words count", "b '' \"\"", {"b", "", ""});
        row("continued line, trailing backslash", "b a\\\nb c\\", {"b", "ab", "c\\"});
        row("unclosed single quote", "b 'a", {});
        row("unclosed double quote", "b \"a\\\"", {});
        row("only blanks", "  ", {});
    }
    void browserCommand()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, expected);
        const QString file = "/tmp/my temp/KV731504.htm";
        const std::optional<locations::Command> c = locations::browserCommand(line, file);
        QCOMPARE(c.has_value(), !expected.isEmpty());
        if (c)
            QCOMPARE((QStringList{c->program} + c->arguments).replaceInStrings(file, "F"), expected);
    }

    // A quoted word splits back to itself; plain paths stay unquoted.
    void quoteWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("plain path, non-ASCII letters") << "/opt/Navegación-2/run" << false;
        QTest::newRow("blanks and every quoting character") << "/opt/Bob's B/a\"b\\c$d" << true;
        QTest::newRow("empty") << "" << true;
    }
    void quoteWord()
    {
        QFETCH(QString, word);
        QFETCH(bool, quoted);
        const QString q = locations::quoteWord(word);
        QCOMPARE(q != word, quoted);
        QCOMPARE(locations::splitWords(q + " x"), std::optional<QStringList>({word, "x"}));
    }
};

VELMORA_TEST_MAIN(TestLocations)
#include "tst_locations.moc"
