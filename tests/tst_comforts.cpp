// The conveniences in the real main window: no key used twice (each key
// from the text pane: tst_table_cell_dialogs), the footer's room, go to
// line, the check panel's way to a message (the document left alone), the
// recent files, dropped files and text, the watch on the open file, and the
// settings they keep beside the design's.
#include "core/page_checker.h"
#include "core/settings.h"
#include "editor/check_command.h"
#include "editor/comforts.h"
#include "editor/find_commands.h"
#include "editor/recent_files.h"
#include "editor/spell_commands.h"
#include "editor/view_options.h"
#include "support/test_env.h"
#include "support/window_fixture.h"
#include "widgets/check_panel.h"
#include "widgets/find_bar.h"
#include "widgets/pane_decor.h"
#include "widgets/pane_tools.h"
#include "widgets/spell_marks.h"

Q_DECLARE_METATYPE(MsgResult)

namespace {

const QString kPage = QStringLiteral("<html>\r\n<body>\r\n<p>one <b>x</p>\r\n<p>two</p>\r\n</body>\r\n</html>");

QString file(const QString &name, const QByteArray &bytes = "<p>file</p>")
{
    const QString path = testenv::root() + QStringLiteral("/docs/") + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFile(path, bytes);
    return path;
}

// Sends a drag of `data` onto `target` at `pos` and drops it.
void dropOn(QWidget *target, QMimeData *data, QPoint pos)
{
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(pos, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(pos, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

class TestComforts : public QObject {
    Q_OBJECT
    WindowFixture fx;
    ScriptedPlatform &platform = fx.platform;
    frmHTML *main = nullptr;
    Comforts *c = nullptr;

    void document(const QString &text = kPage)
    {
        main->document().setLoading(true);
        main->HTML()->setWholeText(text);
        main->document().setLoading(false);
        platform = ScriptedPlatform();
        c->findBar().close();
        c->checkPanel().hide();
    }

    // Opens `path` as a recent file is opened, saying No to the question.
    void open(const QString &path)
    {
        if (main->document().isChanged())
            platform.messageAnswers << MsgResult::No;
        main->document().openPath(path);
    }

private slots:
    void initTestCase()
    {
        fx.start();
        main = fx.window.get();
        c = main->findChild<Comforts *>();
        activate(main);
    }

    void noKeyServesTwoCommands()
    {
        QMap<QString, QString> seen;
        for (QAction *a : main->findChildren<QAction *>()) {
            const QString key = a->shortcut().toString();
            QVERIFY2(key.isEmpty() || !seen.contains(key), qPrintable(key + ": " + seen.value(key) + ", " + a->text()));
            seen.insert(key, a->text());
        }
        QVERIFY(seen.contains("Ctrl+F") && seen.contains("Ctrl+K") && seen.contains("Ctrl+Shift+G"));
    }

    // The footer takes room from the text pane only while it shows. Find next
    // with nothing to find (Ctrl+G, which no menu holds) opens the find bar.
    void footerSharesTheEditorsPlace()
    {
        document();
        const QRect full = main->HTML()->geometry();
        c->findBar().txtFind->clear();
        main->HTML()->setFocus();
        QTest::keyClick(main->HTML(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(c->findBar().isVisible() && !c->findBar().txtReplace->isVisible());
        QTRY_VERIFY(main->HTML()->geometry().height() < full.height());
        QCOMPARE(main->HTML()->geometry().top(), full.top());
        const int findOnly = main->HTML()->geometry().height();
        c->find().mnuReplace->trigger(); // the replace row needs more room
        QTRY_VERIFY(main->HTML()->geometry().height() < findOnly);
        c->findBar().close();
        QTRY_COMPARE(main->HTML()->geometry(), full);
    }

    void goToLine_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("caret");   // -1: where it was
        QTest::addColumn<int>("messages");
        QTest::newRow("line 3") << "3" << 16 << 0;
        QTest::newRow("beyond the end: the last line") << "99" << int(kPage.size() - 7) << 0;
        QTest::newRow("zero") << "0" << -1 << 1;
        QTest::newRow("cancelled") << "" << -1 << 0;
    }
    void goToLine()
    {
        QFETCH(QString, answer);
        QFETCH(int, caret);
        document();
        main->HTML()->setSelStart(2);
        platform.inputAnswers << answer;
        c->find().mnuGoToLine->trigger();
        QCOMPARE(platform.inputs.value(0).prompt + platform.inputs.value(0).defaultText, "Line number (1 - 6):1");
        QCOMPARE(main->HTML()->selStart(), caret < 0 ? 2 : caret);
        QTEST(int(platform.messages.size()), "messages");
    }

    // The check runs while the user types: lines typed above a fault before
    // its result lands move the fault's place with them.
    void checkPanelLeadsToTheFault_data()
    {
        QTest::addColumn<int>("linesTyped");
        QTest::newRow("text as it was") << 0;
        QTest::newRow("two lines typed above while it runs") << 2;
    }
    void checkPanelLeadsToTheFault()
    {
        QFETCH(int, linesTyped);
        document();
        c->check().mnuCheck->trigger();
        for (int i = 0; i < linesTyped; ++i)
            QTest::keyClick(main->HTML(), Qt::Key_Return);
        QVERIFY(c->checkPanel().isVisible());
        QTreeWidget *list = c->checkPanel().list();
        QTRY_VERIFY(!c->check().checker().isRunning());
        const QList<QTreeWidgetItem *> missing = list->findItems("missing </b> before </p>", Qt::MatchExactly, 3);
        QCOMPARE(missing.size(), 1);
        QCOMPARE(missing[0]->text(0) + ":" + missing[0]->text(1), QString::number(3 + linesTyped) + ":8"); // at the <b>
        emit list->itemActivated(missing[0], 0);
        QCOMPARE(main->HTML()->selStart(), 2 * linesTyped + 16 + 7);
        QCOMPARE(main->HTML()->wholeText(), QString("\r\n").repeated(linesTyped) + kPage);
    }

    // A page nested deeper than a thread's usual stack takes (and minutes of
    // Tidy's time): the text pane takes keys while it is checked, and the
    // check can be cancelled.
    void deepPageCheckedBesideTyping_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << Qt::KeyboardModifiers();
        QTest::newRow("Ctrl+K again cancels") << int(Qt::Key_K) << Qt::KeyboardModifiers(Qt::ControlModifier);
    }
    void deepPageCheckedBesideTyping()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        document("<html><body>" + QString("<div>").repeated(200000));
        QTest::keyClick(main->HTML(), Qt::Key_K, Qt::ControlModifier);
        QTest::qWait(200);
        QTest::keyClick(main->HTML(), Qt::Key_X);
        QVERIFY(main->HTML()->wholeText().startsWith("x<html>"));
        QVERIFY(c->check().checker().isRunning());
        QTest::keyClick(main->HTML(), Qt::Key(key), modifiers);
        QVERIFY(!c->check().checker().isRunning());
        QCOMPARE(c->checkPanel().summary(), "Check page: cancelled.");
    }

    void optionsKeptBesideTheDesignsKeys()
    {
        const settings::Store store;
        const std::optional<QString> autoUpdate = store.get("Auto-update");
        for (const bool on : {true, false}) { // off on a first run
            c->view().mnuSyntax->trigger();
            c->view().mnuLineNumbers->trigger();
            QVERIFY(c->view().colouring().isOn() == on && c->view().lineNumbers().isOn() == on);
            QCOMPARE(store.get("SyntaxColouring"), std::optional<QString>(on ? "True" : "False"));
            QCOMPARE(store.get("LineNumbers"), std::optional<QString>(on ? "True" : "False"));
        }
        QCOMPARE(store.get("Auto-update"), autoUpdate);
        QVERIFY(!store.get("FontName")); // the design's keys are still written at exit only
    }

    // Check Spelling, kept under its own key: the pop-up menu on an
    // underlined word begins with the spelling items, and a suggestion
    // replaces the word; elsewhere, or with the check off, the Edit items
    // alone. A language without a dictionary is named under the text.
    void spellingInThePopUp()
    {
        const QString page = QStringLiteral("<p lang=\"en\">Hello wrld</p><p lang=\"qaa\">x y</p>");
        const long misspelt = page.indexOf("wrld"), fine = page.indexOf("Hello");
        HTMLPane *pane = main->HTML();
        QMenu *popUp = main->menu().mnuHid;
        auto popUpAt = [&](long byte) {
            const QPoint at(int(pane->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, byte)) + 2,
                            int(pane->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, byte)) + 5);
            QTest::mousePress(pane->viewport(), Qt::RightButton, {}, at);
            QStringList captions;
            if (waitUntil([&] { return popUp->isVisible(); }))
                for (QAction *a : popUp->actions())
                    captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
            return captions;
        };
        auto hide = [&] {
            popUp->hide();
            QCoreApplication::processEvents();
        };
        const QStringList edit{"Cu&t", "&Copy", "&Paste", "-", "Select &All"};
        SpellCommands &spelling = c->spelling();
        document(page);
        spelling.mnuSpelling->trigger();
        QCOMPARE(settings::Store().get("CheckSpelling"), std::optional<QString>("True"));
        QVERIFY(waitUntil([&] { return spelling.marks().wordAt(misspelt) && !spelling.marks().isBusy(); }));
        QCOMPARE(spelling.noticeText().count("\"qaa\""), 1);
        QCOMPARE(popUpAt(fine), edit);
        hide();
        const QStringList items = popUpAt(misspelt);
        QCOMPARE(items.mid(items.size() - 8), QStringList({"Add to Dictionary", "Ignore", "-"}) + edit);
        QVERIFY(items.size() > 8 && items.size() <= 16);
        popUp->actions().first()->trigger();
        hide();
        QCOMPARE(pane->wholeText(), QString(page).replace(misspelt, 4, items.first()));
        pane->undo();
        QCOMPARE(pane->wholeText(), page);
        QCOMPARE(popUp->actions().size(), edit.size());
        spelling.mnuSpelling->trigger();
        QCOMPARE(settings::Store().get("CheckSpelling"), std::optional<QString>("False"));
        QCOMPARE(popUpAt(misspelt), edit);
        hide();
        QVERIFY(spelling.noticeText().isEmpty());
    }

    void recentFiles()
    {
        RecentFiles &recent = c->recent();
        QStringList paths;
        for (int i = 1; i <= 9; ++i) {
            paths << file(QStringLiteral("r%1.htm").arg(i));
            open(paths.last());
        }
        open(paths[3]); // again: to the top, once
        QCOMPARE(recent.files(), QStringList({paths[3], paths[8], paths[7], paths[6], paths[5], paths[4], paths[2], paths[1]}));
        QVERIFY(recent.items().first()->text() == "&1 " + paths[3] && recent.items().last()->text() == "&8 " + paths[1]);
        // Written a moment later, not in the middle of the Open.
        QTRY_COMPARE(settings::Store().get("Recent8"), std::optional<QString>(paths[1]));

        // The unsaved-changes question comes first; Cancel opens nothing.
        main->HTML()->setSelText("x");
        platform = ScriptedPlatform();
        platform.messageAnswers << MsgResult::Cancel << MsgResult::No << MsgResult::OK;
        recent.items()[2]->trigger();
        QVERIFY(platform.messages.value(0).title == "File Changed" && main->document().fileName() == paths[3]);
        recent.items()[2]->trigger();
        QVERIFY(main->document().fileName() == paths[7] && recent.files().first() == paths[7]);

        // A file that is gone, a folder or a FIFO in its place: a message
        // that says which, and off the list.
        QVERIFY(QFile::remove(paths[6]) && QFile::remove(paths[5]) && QFile::remove(paths[4]));
        QVERIFY(QDir().mkdir(paths[5]) && ::mkfifo(QFile::encodeName(paths[4]), 0600) == 0);
        const QStringList why = {"The file '" + paths[6] + "' could not be found.", "'" + paths[5] + "' is a folder, not a file.",
                                 "'" + paths[4] + "' is a named pipe (FIFO), not a file that can be edited."};
        for (int i = 0; i < 3; ++i) {
            recent.items()[3]->trigger();
            QCOMPARE(messageLine(platform, 2 + i), "Open Error|Exclamation|OK|" + why[i] + " It has been removed from the list of recent files.");
        }
        QVERIFY(!recent.files().contains(paths[6]) && recent.items().size() == 5);
        QCOMPARE(main->document().fileName(), paths[7]);
    }

    void dropAFileOrText()
    {
        const QString path = file("dropped.htm", "<p>dropped</p>");
        document(QStringLiteral("<p>ab</p>"));
        if (main->document().isChanged())
            platform.messageAnswers << MsgResult::No;
        QMimeData files, text;
        files.setUrls({QUrl::fromLocalFile(path)});
        files.setText(path);
        dropOn(main->HTML()->viewport(), &files, QPoint(5, 5));
        QTRY_COMPARE(main->document().fileName(), path);
        QCOMPARE(main->HTML()->wholeText(), QStringLiteral("<p>dropped</p>"));

        document(QStringLiteral("<p>ab</p>"));
        text.setText(QStringLiteral("<b>in</b>"));
        using SB = QsciScintillaBase; // at position 3, between "<p>" and "ab"
        dropOn(main->HTML()->viewport(), &text, QPoint(int(main->HTML()->SendScintilla(SB::SCI_POINTXFROMPOSITION, 0UL, 3L)),
                                                       int(main->HTML()->SendScintilla(SB::SCI_POINTYFROMPOSITION, 0UL, 3L)) + 2));
        QCOMPARE(main->HTML()->wholeText(), QStringLiteral("<p><b>in</b>ab</p>"));
        QVERIFY(main->document().isChanged());
        main->HTML()->undo(); // one step of the pane's history
        QCOMPARE(main->HTML()->wholeText(), QStringLiteral("<p>ab</p>"));
    }

    void changedOnDisk_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<MsgResult>("answer");
        QTest::addColumn<QString>("text");   // the document afterwards
        QTest::addColumn<bool>("changed");
        QTest::newRow("written, reloaded") << "write" << MsgResult::Yes << "new\r\nB\r\nC" << false;
        QTest::newRow("written, kept") << "write" << MsgResult::No << "a\r\nb\r\nc" << true;
        QTest::newRow("renamed over, reloaded") << "rename" << MsgResult::Yes << "new\r\nB\r\nC" << false;
        QTest::newRow("deleted") << "delete" << MsgResult::OK << "a\r\nb\r\nc" << true;
        QTest::newRow("replaced by a link: not followed") << "link" << MsgResult::OK << "a\r\nb\r\nc" << true;
    }
    void changedOnDisk()
    {
        QFETCH(QString, how);
        QFETCH(MsgResult, answer);
        static int row = 0;
        const QString path = file(QStringLiteral("watched%1.htm").arg(++row), "a\r\nb\r\nc");
        open(path);
        moveCaretTo(*main->HTML(), 3, 1);
        platform = ScriptedPlatform();

        // The editor's own save is no change.
        main->menu().mnuSave->trigger();
        QTest::qWait(300);
        QCOMPARE(platform.messages.size(), 0);

        platform.messageAnswers << answer;
        const QString written = how == "rename" ? path + ".tmp" : path;
        const QString other = file("other.txt", "someone else's");
        if (how == "delete" || how == "link")
            QVERIFY(QFile::remove(path) && (how == "delete" || QFile::link(other, path)));
        else
            writeFile(written, "new\r\nB\r\nC");
        QVERIFY(written == path || ::rename(QFile::encodeName(written), QFile::encodeName(path)) == 0);
        QTRY_COMPARE(platform.messages.size(), 1);
        QCOMPARE(messageLine(platform, 0), how == "delete"
            ? "File Changed on Disk|Exclamation|OK|The file '" + path
                  + "' has been deleted or moved by another program. Its text stays open here; Save writes it again."
            : how == "link" ? "File Changed on Disk|Exclamation|OK|The file '" + path + "' has been replaced by a symbolic link to '"
                  + other + "'. It was not reloaded: the link is not followed, and the text stays open here."
            : "File Changed on Disk|Question|YesNo|The file '" + path
                  + "' has been changed by another program. Reload it?");
        QTEST(main->HTML()->wholeText(), "text");
        QTEST(main->document().isChanged(), "changed");
        QVERIFY(answer != MsgResult::Yes || caretLine(*main->HTML()) == 3);
        QTest::qWait(300);
        QCOMPARE(platform.messages.size(), 1); // asked once
        if ((how == "write" && answer == MsgResult::No) || how == "link") {
            // A later Save writes the user's text over the other program's;
            // a link is asked about and replaced, its target left alone.
            platform.messageAnswers << MsgResult::Yes;
            main->menu().mnuSave->trigger();
            QCOMPARE(platform.messages.size(), 1 + int(how == "link"));
            QCOMPARE(fileBytes(path), QByteArray("a\r\nb\r\nc\r\n"));
            QVERIFY(fileBytes(other) == "someone else's" && !QFileInfo(path).isSymLink());
        }
    }
};

VELMORA_TEST_MAIN(TestComforts)
#include "tst_comforts.moc"
