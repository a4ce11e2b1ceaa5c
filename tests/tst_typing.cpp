// Typing HTML in the real main window, key by key: each typing option off
// (nothing added, no list, every designed key and caption as it was) and on
// (completion as you type, closing tags with one Ctrl+Z to take them back,
// auto-indent, the matching-tag mark, the tab width, the status bar, the
// desktop keys), and the HTML menu's tag and comment commands on text with
// characters beyond ASCII. "|" marks the caret, "[...]" a selection.
#include "core/settings.h"
#include "editor/comforts.h"
#include "editor/desktop_keys.h"
#include "editor/markup_commands.h"
#include "editor/status_line.h"
#include "support/test_env.h"
#include "support/window_fixture.h"
#include "widgets/tag_completion.h"
#include "widgets/tag_matching.h"

using SB = QsciScintillaBase;

class TestTyping : public QObject {
    Q_OBJECT
    WindowFixture fx;
    frmHTML *main = nullptr;
    HTMLPane *pane = nullptr;
    Comforts &comforts() const { return *main->findChild<Comforts *>(); }
    MarkupCommands *m = nullptr;

    // `marked` as the document: "|" the caret, "[" and "]" a selection.
    void document(const QString &marked)
    {
        QString text = marked;
        const int open = int(text.indexOf('[')), caret = int(text.indexOf('|'));
        text.remove('[').remove(']').remove('|');
        main->document().setLoading(true);
        pane->setWholeText(text);
        main->document().setLoading(false);
        pane->setSelStart(open >= 0 ? open : caret);
        if (open >= 0)
            pane->setSelLength(int(marked.indexOf(']')) - open - 1);
        fx.platform = ScriptedPlatform();
    }
    QString shown() const
    {
        QString text = pane->wholeText();
        const int s = pane->selStart(), n = pane->selLength();
        return n ? text.insert(s + n, ']').insert(s, '[') : text.insert(s, '|');
    }
    // Keys: "\n" Enter, "^x" Ctrl+x ("^ " Ctrl+Space), any other character itself.
    void type(const QString &keys)
    {
        for (int i = 0; i < keys.size(); ++i) {
            const QChar c = keys.at(i);
            if (c == '\n')
                QTest::keyClick(pane, Qt::Key_Return);
            else if (c == '^' && i + 1 < keys.size())
                QTest::keyClick(pane, keys.at(++i) == ' ' ? Qt::Key_Space : Qt::Key(Qt::Key_A + keys.at(i).unicode() - 'a'),
                                Qt::ControlModifier);
            else
                QTest::keyClick(pane, c.toLatin1());
            QCoreApplication::processEvents(); // as between a user's keys
        }
    }
    QList<QAction *> options() const
    {
        return {m->mnuCompleteAsYouType, m->mnuCloseTags, m->mnuMarkTags, m->mnuAutoIndent,
                comforts().statusLine().mnuStatusBar, comforts().desktopKeys().mnuDesktopKeys};
    }

    // The keys of the items Desktop Keys changes: how many, and the one shown.
    QString designedKeys() const
    {
        const MainMenu &menu = main->menu();
        QStringList keys;
        for (QAction *a : {menu.mnuNew, menu.mnuOpen, menu.mnuSave, menu.mnuSaveAs, menu.mnuScript})
            keys << QString::number(a->shortcuts().size()) + a->shortcut().toString();
        return keys.join(' ');
    }

private slots:
    void initTestCase()
    {
        fx.start();
        main = fx.window.get();
        pane = main->HTML();
        m = &comforts().markup();
        activate(main);
        pane->setFocus();
    }

    void everythingOffAtFirst()
    {
        for (QAction *o : options())
            QVERIFY2(o->isCheckable() && !o->isChecked(), qPrintable(o->text()));
        QCOMPARE(pane->tabWidth(), 8);
        QVERIFY(!main->findChild<QStatusBar *>());
        QCOMPARE(designedKeys(), "1F2 1F3 1F4 1F5 1Ctrl+S");
    }

    void keys_data()
    {
        QTest::addColumn<QString>("on"); // the options switched on
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("list");
        QTest::newRow("all off") << "" << "|" << "<b>&" << "<b>&|" << false;
        QTest::newRow("list after <") << "complete" << "<p>|" << "<" << "<p><|" << true;
        QTest::newRow("element chosen") << "complete" << "|" << "<div\n" << "<div|" << false;
        QTest::newRow("attribute, then its values") << "complete" << "<p|>" << " di\nr\n" << "<p dir=\"rtl\"|>" << false;
        QTest::newRow("value after =") << "complete" << "<input type|>" << "=em\n" << "<input type=\"email\"|>" << false;
        QTest::newRow("reference") << "complete" << "\u00e9|" << "&amp\n" << "\u00e9&amp;|" << false;
        QTest::newRow("Ctrl+Space, option off") << "" << "<p cl|" << "^ \n" << "<p class=\"|\"" << false;
        QTest::newRow("start tag closed") << "close" << "\u00e9|" << "<b>" << "\u00e9<b>|</b>" << false;
        QTest::newRow("one Ctrl+Z takes it away") << "close" << "|" << "<b>^z" << "<b>|" << false;
        QTest::newRow("</ finished") << "close" << "<i>x|" << "</" << "<i>x</i>|" << false;
        QTest::newRow("</ finished, no list") << "complete close" << "<i>x|" << "</" << "<i>x</i>|" << false;
        QTest::newRow("indent kept") << "indent" << "\t <p>|" << "\n" << "\t <p>\r\n\t |" << false;
        QTest::newRow("indent not kept") << "" << "\t <p>|" << "\n" << "\t <p>\r\n|" << false;
    }
    void keys()
    {
        QFETCH(QString, on);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        const QList<QAction *> items = {m->mnuCompleteAsYouType, m->mnuCloseTags, m->mnuAutoIndent};
        const QStringList names = {"complete", "close", "indent"};
        for (int i = 0; i < items.size(); ++i)
            items[i]->setChecked(on.contains(names[i]));
        document(before);
        type(keys);
        QTEST(shown(), "after");
        QTEST(m->completion().isListShown(), "list");
        pane->SendScintilla(SB::SCI_AUTOCCANCEL);
        for (QAction *item : items)
            item->setChecked(false);
    }

    void matchingTagMarked()
    {
        const unsigned long indicator = 11;
        document("<d|iv><p>\u00e9</p></div>");
        auto marked = [&](int at) { return pane->SendScintilla(SB::SCI_INDICATORVALUEAT, indicator, static_cast<long>(at)); };
        m->mnuMarkTags->trigger();
        QTRY_VERIFY(marked(0) && marked(4) && marked(14) && marked(19) && !marked(5) && !marked(13));
        pane->setSelStart(10); // in </p>, after the two bytes of the é
        QTRY_VERIFY(marked(5) && marked(10) && marked(13) && !marked(0));
        m->mnuMarkTags->trigger();
        QTRY_VERIFY(!marked(5) && !marked(10));
        QCOMPARE(settings::Store().get("MarkMatchingTags"), std::optional<QString>("False"));
    }

    void commands_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("after");
        QTest::newRow("matching tag") << "<d|iv><p>\u00e9</p></div>" << "match" << "<div><p>\u00e9</p><|/div>";
        QTest::newRow("and back") << "<div><p>\u00e9</p><|/div>" << "match" << "<|div><p>\u00e9</p></div>";
        QTest::newRow("in no tag") << "<p>\u00e9|x</p>" << "match" << "<p>\u00e9|x</p>";
        QTest::newRow("element") << "<div><p>\u00e9|</p></div>" << "select" << "<div>[<p>\u00e9</p>]</div>";
        QTest::newRow("its parent") << "<div>[<p>\u00e9</p>]</div>" << "select" << "[<div><p>\u00e9</p></div>]";
        QTest::newRow("comment a line") << "a\r\n  <p>\u00e9|</p>\r\nb" << "comment" << "a\r\n  <!-- <p>\u00e9</p> -->|\r\nb";
        QTest::newRow("comment a selection") << "<p>[\u00e9 x]</p>" << "comment" << "<p>[<!-- \u00e9 x -->]</p>";
        QTest::newRow("uncomment") << "<!-- \u00e9 -->|" << "comment" << "\u00e9|";
    }
    void commands()
    {
        QFETCH(QString, before);
        QFETCH(QString, command);
        document(before);
        const QString original = pane->wholeText();
        (command == "match" ? m->mnuMatchingTag : command == "select" ? m->mnuSelectElement : m->mnuToggleComment)->trigger();
        QTEST(shown(), "after");
        if (command == "comment") {
            pane->undo(); // one step
            QCOMPARE(pane->wholeText(), original);
        }
    }

    void tabWidth()
    {
        fx.platform.inputAnswers << "4" << "0";
        m->mnuTabWidth->trigger();
        QCOMPARE(fx.platform.inputs.value(0).prompt + fx.platform.inputs.value(0).defaultText, "Tab width (1 - 32):8");
        QCOMPARE(pane->tabWidth(), 4);
        QCOMPARE(settings::Store().get("TabWidth"), std::optional<QString>("4"));
        m->mnuTabWidth->trigger();
        QCOMPARE(messageLine(fx.platform, 0), "Tab Width|Exclamation|OK|Enter a tab width from 1 to 32.");
        QCOMPARE(pane->tabWidth(), 4);
    }

    void statusBar()
    {
        document("\u00e9|");
        fx.platform.fileAnswers << testenv::root() + "/status.htm";
        main->menu().mnuSaveAs->trigger();
        StatusLine &status = comforts().statusLine();
        status.mnuStatusBar->trigger();
        QVERIFY(main->findChild<QStatusBar *>());
        QCOMPARE(status.texts(), QStringList({"Ln 1, Col 2", "UTF-8", "CR LF", ""}));
        type("\nx");
        QTRY_COMPARE(status.texts(), QStringList({"Ln 2, Col 2", "UTF-8", "CR LF", "Modified"}));
        status.mnuStatusBar->trigger();
        QTRY_VERIFY(!main->findChild<QStatusBar *>());
        QVERIFY(status.texts().isEmpty());
    }

    void desktopKeys()
    {
        const MainMenu &menu = main->menu();
        QSignalSpy saved(menu.mnuSave, &QAction::triggered);
        comforts().desktopKeys().mnuDesktopKeys->trigger();
        QStringList keys;
        for (QAction *a : {menu.mnuNew, menu.mnuOpen, menu.mnuSave, menu.mnuSaveAs, menu.mnuScript})
            keys << a->shortcut().toString();
        QCOMPARE(keys.join(' '), "Ctrl+N Ctrl+O Ctrl+S Ctrl+Shift+S Ctrl+J");
        QSet<QString> seen;
        for (QAction *a : main->findChildren<QAction *>())
            for (const QKeySequence &k : a->shortcuts()) {
                QVERIFY2(!seen.contains(k.toString()), qPrintable(k.toString()));
                seen.insert(k.toString());
            }
        fx.platform.fileAnswers << std::nullopt; // the untitled page's Save As, cancelled
        QTest::keyClick(pane, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(saved.size(), 1);
        comforts().desktopKeys().mnuDesktopKeys->trigger();
        QCOMPARE(designedKeys(), "1F2 1F3 1F4 1F5 1Ctrl+S");
    }
};

VELMORA_TEST_MAIN(TestTyping)
#include "tst_typing.moc"
