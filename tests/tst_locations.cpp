// The location rules: the preview file's path in a folder, and the browser
// command line split into a program and its arguments.
#include "core/locations.h"
#include "support/test_env.h"

#include <QApplication>

using namespace locations;

namespace {
const QString kFile = QStringLiteral("/tmp/my temp/KV731504.htm");
}

class TestLocations : public QObject {
    Q_OBJECT
private slots:
    void previewPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain folder") << "/tmp" << "/tmp/KV731504.htm";
        QTest::newRow("trailing separator") << "/tmp/" << "/tmp/KV731504.htm";
        QTest::newRow("several trailing separators") << "/tmp//" << "/tmp/KV731504.htm";
        QTest::newRow("root folder") << "/" << "/KV731504.htm";
        QTest::newRow("blanks kept") << "/home/a b " << "/home/a b /KV731504.htm";
        QTest::newRow("no folder") << "" << "";
    }
    void previewPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(locations::previewPath(folder), expected);
    }

    // `expected`: the program, then the arguments; empty: no command.
    void browserCommand_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("expected");
        const QString f = kFile;
        QTest::newRow("default") << "xdg-open %HTML%" << QStringList{"xdg-open", f};
        QTest::newRow("placeholder twice, once inside a word")
            << "b %HTML% --also=%HTML%." << QStringList{"b", f, "--also=" + f + "."};
        QTest::newRow("no placeholder") << "b -x" << QStringList{"b", "-x"};
        QTest::newRow("placeholder is case-sensitive") << "b %html%" << QStringList{"b", "%html%"};
        QTest::newRow("program alone, blanks around") << "  \tb  " << QStringList{"b"};
        QTest::newRow("single quotes keep a program path with blanks")
            << "'/opt/My Browser/run' %HTML%" << QStringList{"/opt/My Browser/run", f};
        QTest::newRow("single quotes keep everything")
            << "b 'a\\\"$x' '%HTML%'" << QStringList{"b", "a\\\"$x", f};
        QTest::newRow("double quotes with escapes")
            << "b \"x \\\"y\\\" \\\\ \\$ \\a\"" << QStringList{"b", "x \"y\" \\ $ \\a"};
        QTest::newRow("quotes join with the rest of a word")
            << "b --file=\"%HTML%\"x'y z'" << QStringList{"b", "--file=" + f + "xy z"};
        QTest::newRow("backslash takes a blank") << "/opt/My\\ Browser %HTML%"
                                                 << QStringList{"/opt/My Browser", f};
        QTest::newRow("empty quoted word is a word") << "b '' \"\"" << QStringList{"b", "", ""};
        QTest::newRow("continued line") << "b a\\\nb" << QStringList{"b", "ab"};
        QTest::newRow("trailing backslash kept") << "b a\\" << QStringList{"b", "a\\"};
        QTest::newRow("unclosed single quote") << "b 'a" << QStringList{};
        QTest::newRow("unclosed double quote") << "b \"a\\\"" << QStringList{};
        QTest::newRow("empty line") << "" << QStringList{};
        QTest::newRow("only blanks") << "   " << QStringList{};
    }
    void browserCommand()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, expected);
        const std::optional<Command> c = locations::browserCommand(line, kFile);
        QCOMPARE(c.has_value(), !expected.isEmpty());
        if (c)
            QCOMPARE(QStringList{c->program} + c->arguments, expected);
    }

    // What the browse button writes into the command line splits back to the
    // chosen path.
    void quoteWordRoundTrip_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("plain path") << "/usr/bin/firefox-esr" << false;
        QTest::newRow("blanks") << "/opt/My Browser/run" << true;
        QTest::newRow("single quote") << "/opt/Bob's/run" << true;
        QTest::newRow("double quote, backslash, dollar") << "/a\"b\\c$d" << true;
        QTest::newRow("non-ASCII letters need no quotes") << "/opt/Navegación/run" << false;
        QTest::newRow("empty") << "" << true;
    }
    void quoteWordRoundTrip()
    {
        QFETCH(QString, word);
        QFETCH(bool, quoted);
        const QString q = quoteWord(word);
        QCOMPARE(q != word, quoted);
        QCOMPARE(splitWords(q + " %HTML%"), std::optional<QStringList>(QStringList{word, "%HTML%"}));
    }
};

VELMORA_TEST_MAIN(TestLocations)
#include "tst_locations.moc"
