// The spelling check: what of a page is read and in which language, the
// reading again of what a change touched (it must end as a whole new
// reading would), the choice of dictionaries, the verdicts, suggestions and
// the personal word list, and the underline on the real text pane with a
// suggestion put in as one step of its undo.
#include "core/reader_text_index.h"
#include "core/spell_checker.h"
#include "support/test_env.h"
#include "widgets/html_pane.h"
#include "widgets/spell_marks.h"

using namespace spelling;

namespace {

// "word@lang" for every word of the page, read from its start.
QString words(const QByteArray &html)
{
    ReaderTextScanner scanner(html, 0);
    std::vector<Word> found;
    for (TextRun run; scanner.next(run);)
        wordsIn(html, run, found);
    QStringList out;
    for (const Word &w : found)
        out << w.text + QLatin1Char('@') + QString::fromUtf8(w.lang);
    return out.join(QLatin1Char(' '));
}

// Small dictionaries of a few words, in a folder of their own.
QString dictionaries()
{
    const QString folder = testenv::root() + QStringLiteral("/dicts");
    QDir().mkpath(folder);
    auto write = [&](const QString &name, const QByteArray &words, const QByteArray &set = "UTF-8") {
        for (const auto &[ext, bytes] : {std::pair{".aff", "SET " + set + "\nTRY esianrtolcdugmphbyfvkwz" + (set == "UTF-8" ? "" : "\xe9") + "\n"},
                                         std::pair{".dic", words}}) {
            QFile f(folder + QLatin1Char('/') + name + QLatin1String(ext));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
    };
    write(QStringLiteral("en_US"), "4\nhouse\ngarden\nwindow\nthe\n");
    write(QStringLiteral("de_DE"), "2\nHaus\nGarten\n");
    write(QStringLiteral("zz"), "1\ncaf\xe9\n", "ISO8859-1");
    return folder;
}

} // namespace

class TestSpelling : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("DICPATH", dictionaries().toLocal8Bit()); }

    void readerText_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text between tags") << QByteArray("<p>Hello <b>wrld</b></p>") << "Hello@ wrld@";
        QTest::newRow("alt, title, placeholder")
            << QByteArray("<img src=\"cat.png\" alt=\"A cat\" title='Tabby'><input placeholder=Name>")
            << "A@ cat@ Tabby@ Name@";
        QTest::newRow("names and other values")
            << QByteArray("<blockquote class=\"wrld\" data-x='foo' hidden>x</blockquote>") << "x@";
        QTest::newRow("character references")
            << QByteArray("caf&eacute; AT&amp;T don&rsquo;t a&nbsp;b x&#233;") << "don't@ a@ b@";
        QTest::newRow("comment, script, style")
            << QByteArray("<!-- wrld --><script>var wrld;</script><STYLE>p{wrld:0}</STYLE>ok") << "ok@";
        QTest::newRow("addresses")
            << QByteArray("see https://exmple.org/pth or www.exmple.com, me@exmple.org; index.html")
            << "see@ or@";
        QTest::newRow("digits, underscores, long runs") << QByteArray("mp3 3rd x_y " + QByteArray(61, 'a')) << "";
        QTest::newRow("hyphens and quotes") << QByteArray("well-known 'quoted' students'")
                                            << "well-known@ quoted@ students@";
        QTest::newRow("a lone < is text") << QByteArray("<p>a < b</p>") << "a@ b@";
        QTest::newRow("unclosed comment") << QByteArray("ok <!-- wrld") << "ok@";
        QTest::newRow("quoted >") << QByteArray("<a title=\"x > y\" href=\"z\">w</a>") << "x@ y@ w@";
        // The nearest lang around each word names its language.
        QTest::newRow("none declared") << QByteArray("<p>one</p>") << "one@";
        QTest::newRow("whole page") << QByteArray("<html lang=\"de\"><p>eins</p></html> two") << "eins@de two@";
        QTest::newRow("nested, closed")
            << QByteArray("<div lang=fr>un <p lang=\"de-AT\">zwei</p> trois</div> four")
            << "un@fr zwei@de-at trois@fr four@";
        QTest::newRow("same name inside") << QByteArray("<div lang=fr><div>un</div>deux</div>x")
                                          << "un@fr deux@fr x@";
        QTest::newRow("element's own lang for alt")
            << QByteArray("<p lang=fr><img alt=\"Katze\" lang=\"de\"> mot</p>") << "Katze@de mot@fr";
        QTest::newRow("optional end tags")
            << QByteArray("<p lang=fr>un<p>deux<ul><li lang=de>eins<li>two</ul>") << "un@fr deux@ eins@de two@";
        QTest::newRow("end tag closes those inside")
            << QByteArray("<div lang=fr><span lang=de>eins</div>two") << "eins@de two@";
        QTest::newRow("empty lang: undetermined") << QByteArray("<p lang=\"\">x</p>") << "x@und";
        QTest::newRow("xml:lang, underscore") << QByteArray("<p xml:lang=\"EN_gb\">x</p>") << "x@en-gb";
    }
    void readerText()
    {
        QFETCH(QByteArray, html);
        QTEST(words(html), "expected");
    }

    // After any change, reading what it touched leaves the same words as
    // reading the whole new page, in pieces or not. The change is made at
    // each place of the needle in turn, where the reading may have rested;
    // then an "x" is typed at the next place of `next`. With `partly`, the
    // first reading has only just passed the change, and the second change
    // comes before any reading.
    void rereadingMatchesWholeReading_data()
    {
        QTest::addColumn<QByteArray>("needle");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QByteArray>("inserted");
        QTest::addColumn<QByteArray>("next");
        QTest::addColumn<bool>("partly");
        QTest::newRow("letter into a word") << QByteArray("deux") << 2 << QByteArray("x") << QByteArray() << false;
        QTest::newRow("letter after a word") << QByteArray("</div>") << 0 << QByteArray("s") << QByteArray() << false;
        QTest::newRow("end of a word removed") << QByteArray("ux</div>") << 2 << QByteArray() << QByteArray() << false;
        QTest::newRow("two words joined") << QByteArray(" deux") << 1 << QByteArray() << QByteArray("deux") << true;
        QTest::newRow("comment opened") << QByteArray("<p>") << 0 << QByteArray("<!--") << QByteArray("deux") << false;
        QTest::newRow("comment's end removed") << QByteArray("-->") << 3 << QByteArray() << QByteArray("<p") << true;
        QTest::newRow("lang's end tag removed") << QByteArray("</div>") << 6 << QByteArray() << QByteArray("four") << false;
        QTest::newRow("quote opened in a tag")
            << QByteArray("lang=") << 5 << QByteArray("title=\"") << QByteArray("three") << false;
        QTest::newRow("block pasted") << QByteArray("three") << 0
                                      << QByteArray("<div lang=de>Haus <img alt='Garten'></div> ") << QByteArray() << false;
        QTest::newRow("script opened") << QByteArray("<p>") << 0 << QByteArray("<script>") << QByteArray("un") << false;
    }
    void rereadingMatchesWholeReading()
    {
        QFETCH(QByteArray, needle);
        QFETCH(int, removed);
        QFETCH(QByteArray, inserted);
        QFETCH(QByteArray, next);
        QFETCH(bool, partly);
        const QByteArray original =
            QByteArray("<div lang=\"fr\">un deux</div><!-- c -->\n<p>three four</p>\n").repeated(100);
        for (qsizetype at = original.indexOf(needle, 100); at >= 0; at = original.indexOf(needle, at + 1)) {
            QByteArray page = original;
            std::map<qsizetype, Word> marks; // as the pane's indicator keeps them
            ReaderTextIndex index;
            auto readAll = [&](qsizetype until) {
                while (index.hasWork()) {
                    const Reread r = index.work(page, 300);
                    marks.erase(marks.lower_bound(r.from), marks.lower_bound(r.to));
                    for (const Word &w : r.words)
                        marks[w.start] = w;
                    if (r.to > until)
                        break;
                }
            };
            auto edit = [&](qsizetype pos, qsizetype removed, const QByteArray &inserted) {
                index.edited(pos, removed, inserted.size());
                page.replace(pos, removed, inserted);
                std::map<qsizetype, Word> moved;
                for (auto [start, w] : marks) {
                    w.start += start >= pos + removed ? inserted.size() - removed : 0;
                    w.end += w.end > pos + removed ? inserted.size() - removed : 0;
                    moved[w.start] = w;
                }
                marks.swap(moved);
            };
            const qsizetype all = original.size();
            readAll(partly ? at : all);
            edit(at, removed, inserted);
            if (!partly)
                readAll(all);
            if (const qsizetype then = page.indexOf(next, at + 1); !next.isEmpty() && then >= 0)
                edit(then + 1, 0, "x");
            readAll(all);
            ReaderTextIndex whole;
            const Reread fresh = whole.work(page, page.size() + 1);
            QCOMPARE(marks.size(), fresh.words.size());
            auto w = fresh.words.begin();
            for (const auto &[start, m] : marks) {
                QCOMPARE(std::tie(m.start, m.end, m.text, m.lang), std::tie(w->start, w->end, w->text, w->lang));
                ++w;
            }
        }
    }

    void dictionaryChoice_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<QString>("expected");
        const QStringList de{"de_AT", "de_DE"};
        QTest::newRow("region given") << de << QByteArray("de-AT") << QByteArray("en-us") << "de_AT";
        QTest::newRow("language: its own region") << de << QByteArray("de") << QByteArray("en-us") << "de_DE";
        QTest::newRow("the desktop's region")
            << QStringList{"en_GB", "en_US"} << QByteArray("en") << QByteArray("en-gb") << "en_GB";
        QTest::newRow("en: en_US") << QStringList{"en_AU", "en_US"} << QByteArray("en") << QByteArray("de-de")
                                   << "en_US";
        QTest::newRow("language alone") << QStringList{"fr", "fr_BE"} << QByteArray("fr-CA") << QByteArray("fr-be")
                                        << "fr_BE";
        QTest::newRow("any region") << QStringList{"pt_BR"} << QByteArray("pt") << QByteArray("en-us") << "pt_BR";
        QTest::newRow("none installed") << de << QByteArray("nl") << QByteArray("en-us") << "";
        QTest::newRow("undeclared: desktop's") << de << QByteArray() << QByteArray("de-at") << "de_AT";
        QTest::newRow("not a language") << QStringList{"*"} << QByteArray("*") << QByteArray("en-us") << "";
    }
    void dictionaryChoice()
    {
        QFETCH(QStringList, installed);
        QFETCH(QByteArray, lang);
        QFETCH(QByteArray, desktop);
        QTemporaryDir folder;
        for (const QString &name : installed)
            for (const char *ext : {".aff", ".dic"})
                QFile(folder.filePath(name + ext)).open(QIODevice::WriteOnly);
        const QString chosen = dictionaryFor(lang, {folder.path()}, desktop);
        QTEST(chosen.isEmpty() ? QString() : QFileInfo(chosen).fileName(), "expected");
    }

    void verdicts_data()
    {
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("suggested");
        using V = SpellChecker::Verdict;
        QTest::newRow("right") << QByteArray("en") << "house" << int(V::Correct) << "house";
        QTest::newRow("misspelt") << QByteArray("en-us") << "huose" << int(V::Misspelt) << "house";
        QTest::newRow("other language") << QByteArray("de") << "Garden" << int(V::Misspelt) << "Garten";
        QTest::newRow("undeclared: the desktop's") << QByteArray() << "Haus" << int(V::Correct) << "Haus";
        QTest::newRow("Latin-1 dictionary") << QByteArray("zz") << "cafe" << int(V::Misspelt) << "caf\u00e9";
        QTest::newRow("Latin-1 word") << QByteArray("zz") << "caf\u00e9" << int(V::Correct) << "caf\u00e9";
        QTest::newRow("undetermined") << QByteArray("und") << "huose" << int(V::Unknown) << "";
        QTest::newRow("no dictionary") << QByteArray("qaa") << "huose" << int(V::Unknown) << "";
    }
    void verdicts()
    {
        QFETCH(QByteArray, lang);
        QFETCH(QString, word);
        SpellChecker checker(dictionaryFolders(), "de-de", testenv::root() + "/none.txt");
        QSignalSpy missing(&checker, &SpellChecker::missing);
        const Word w{0, 0, word, lang};
        checker.check(w);
        checker.waitForLoads();
        QTEST(int(checker.check(w)), "verdict");
        QCOMPARE(missing.size(), lang == "qaa" ? 1 : 0); // once, not per word
        QTEST(checker.suggestions(w).value(0), "suggested");
    }

    // Added words are kept in the file for the next run; ignored ones are not.
    void personalWords()
    {
        const QString file = testenv::root() + QStringLiteral("/data/velmora/words.txt");
        QCOMPARE(personalWordsFile(), file);
        const Word added{0, 0, QStringLiteral("Velmora"), "en"}, ignored{0, 0, QStringLiteral("Pagewisp"), "en"};
        {
            SpellChecker checker;
            checker.check(added);
            checker.waitForLoads();
            QCOMPARE(checker.addToPersonal(added.text), std::nullopt);
            QCOMPARE(checker.addToPersonal(added.text), std::nullopt); // kept once
            checker.ignore(ignored.text);
            QCOMPARE(checker.check(added), SpellChecker::Verdict::Correct);
            QCOMPARE(checker.check(ignored), SpellChecker::Verdict::Correct);
        }
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("Velmora\n"));
        SpellChecker next;
        next.check(added);
        next.waitForLoads();
        QCOMPARE(next.check(added), SpellChecker::Verdict::Correct);
        QCOMPARE(next.check(ignored), SpellChecker::Verdict::Misspelt);
        // A word list that cannot be written says so and adds nothing.
        SpellChecker broken(dictionaryFolders(), "en-us", file + QStringLiteral("/x"));
        const Word zork{0, 0, QStringLiteral("Zork"), "en"};
        broken.check(zork);
        broken.waitForLoads();
        QVERIFY(broken.addToPersonal(zork.text).has_value());
        QCOMPARE(broken.check(zork), SpellChecker::Verdict::Misspelt);
    }

    // A misspelt word is underlined on the pane; a suggestion replaces it as
    // one step of Ctrl+Z.
    void underlineAndReplace()
    {
        HTMLPane pane;
        SpellMarks marks(pane);
        const QString page = QStringLiteral("<p lang=\"en\">the <b>wndow</b> <!-- wndow --> garden</p>");
        pane.setWholeText(page);
        marks.setOn(true);
        QTRY_VERIFY(!marks.isBusy() && marks.checker());
        marks.checker()->waitForLoads();
        QTRY_VERIFY(!marks.isBusy());
        const long at = long(page.indexOf(QStringLiteral("wndow")));
        auto underlined = [&](long pos) {
            return pane.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT,
                                      static_cast<unsigned long>(SpellMarks::kIndicator), pos) != 0;
        };
        QVERIFY(underlined(at) && underlined(at + 4) && !underlined(at - 1) && !underlined(at + 5));
        QVERIFY(!underlined(long(page.lastIndexOf(QStringLiteral("wndow")))));
        const std::optional<Word> word = marks.wordAt(at + 5); // the caret just after it
        QVERIFY(word);
        QCOMPARE(marks.checker()->suggestions(*word).value(0), QStringLiteral("window"));
        marks.replace(*word, QStringLiteral("window"));
        QCOMPARE(pane.wholeText(), QString(page).replace(at, 5, QStringLiteral("window")));
        QTRY_VERIFY(!marks.isBusy());
        QVERIFY(!underlined(at));
        pane.undo();
        QCOMPARE(pane.wholeText(), page);
        QTRY_VERIFY(!marks.isBusy() && underlined(at));
    }
};

VELMORA_TEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
