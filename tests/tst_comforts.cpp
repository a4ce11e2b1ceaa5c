// The conveniences in the real main window: their keys from the text pane
// (and no key used twice), commands that must leave the document alone, go
// to line, the check panel's way to a message, the recent files, dropped
// files and text, the watch on the open file, and the settings they keep
// beside the design's.
#include "core/settings.h"
#include "editor/check_command.h"
#include "editor/comforts.h"
#include "editor/disk_watch.h"
#include "editor/find_commands.h"
#include "editor/recent_files.h"
#include "editor/view_options.h"
#include "support/test_env.h"
#include "support/window_fixture.h"
#include "widgets/check_panel.h"
#include "widgets/find_bar.h"
#include "widgets/pane_decor.h"
#include "widgets/pane_tools.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>

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
        if (main->documentChanged())
            platform.messageAnswers << MsgResult::No;
        main->document().openPath(path);
    }

private slots:
    void initTestCase()
    {
        fx.start();
        main = fx.window.get();
        c = &main->comforts();
        activate(main);
    }

    void noKeyServesTwoCommands()
    {
        QMap<QString, QString> seen;
        for (QAction *a : main->findChildren<QAction *>()) {
            if (a->shortcut().isEmpty())
                continue;
            const QString key = a->shortcut().toString();
            QVERIFY2(!seen.contains(key), qPrintable(key + ": " + seen.value(key) + ", " + a->text()));
            seen.insert(key, a->text());
        }
        QVERIFY(seen.contains("Ctrl+F") && seen.contains("Ctrl+K") && seen.contains("Ctrl+Shift+G"));
    }

    void keysFromTheTextPane_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("Ctrl+F") << int(Qt::Key_F) << int(Qt::ControlModifier) << "find bar";
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << int(Qt::ControlModifier) << "replace row";
        QTest::newRow("Ctrl+K") << int(Qt::Key_K) << int(Qt::ControlModifier) << "check panel";
        QTest::newRow("Ctrl+L (not the pane's line cut)") << int(Qt::Key_L) << int(Qt::ControlModifier)
                                                          << "go to line";
        QTest::newRow("Ctrl+G with nothing to find") << int(Qt::Key_G) << int(Qt::ControlModifier)
                                                     << "find bar";
    }
    void keysFromTheTextPane()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, outcome);
        document();
        const bool changed = main->documentChanged();
        c->findBar().txtFind->clear();
        platform.inputAnswers << QString(); // Go to line is cancelled
        main->HTML()->setFocus();
        QTest::keyClick(main->HTML(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QString got;
        if (c->findBar().isVisible())
            got = c->findBar().txtReplace->isVisible() ? "replace row" : "find bar";
        else if (c->checkPanel().isVisible())
            got = "check panel";
        else if (platform.inputs.size() == 1)
            got = "go to line";
        QCOMPARE(got, outcome);
        QCOMPARE(main->HTML()->wholeText(), kPage);
        QCOMPARE(main->documentChanged(), changed);
    }

    // The footer takes room from the text pane only while it shows.
    void footerSharesTheEditorsPlace()
    {
        document();
        const QRect full = main->HTML()->geometry();
        c->find().mnuFind->trigger();
        QTRY_VERIFY(main->HTML()->geometry().height() < full.height());
        QCOMPARE(main->HTML()->geometry().top(), full.top());
        const int findOnly = main->HTML()->geometry().height();
        c->find().mnuReplace->trigger(); // the replace row needs more room
        QTRY_VERIFY(main->HTML()->geometry().height() < findOnly);
        c->findBar().close();
        QTRY_COMPARE(main->HTML()->geometry(), full);
    }

    void replaceAllRefreshesThePreview()
    {
        document();
        if (!main->menu().mnuAU->isChecked())
            main->menu().mnuAU->trigger();
        c->find().mnuReplace->trigger();
        c->findBar().setOptions(SearchOptions{QStringLiteral("<p>"), false, false, false, true});
        c->findBar().setReplaceText(QStringLiteral("<P>"));
        QCOMPARE(c->findBar().replaceAll(), 2); // what it makes of the text: tst_text_search
        QTRY_COMPARE(fileBytes(WindowFixture::previewFile()), (main->HTML()->wholeText() + "\r\n").toUtf8());
        QVERIFY(main->documentChanged());
        main->menu().mnuAU->trigger();
    }

    void goToLine_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("caret");   // -1: where it was
        QTest::addColumn<int>("messages");
        QTest::newRow("line 3") << "3" << 16 << 0;
        QTest::newRow("beyond the end: the last line") << "99" << int(kPage.size() - 7) << 0;
        QTest::newRow("not a number") << "three" << -1 << 1;
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
        QCOMPARE(platform.inputs.value(0).prompt, QStringLiteral("Line number (1 - 6):"));
        QCOMPARE(platform.inputs.value(0).defaultText, QStringLiteral("1"));
        QCOMPARE(main->HTML()->selStart(), caret < 0 ? 2 : caret);
        QTEST(int(platform.messages.size()), "messages");
        QCOMPARE(main->HTML()->wholeText(), kPage);
    }

    void checkPanelLeadsToTheFault()
    {
        document();
        const bool changed = main->documentChanged();
        c->check().mnuCheck->trigger();
        QVERIFY(c->checkPanel().isVisible());
        QTreeWidget *list = c->checkPanel().list();
        QTreeWidgetItem *missing = nullptr;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(3) == QStringLiteral("missing </b> before </p>"))
                missing = list->topLevelItem(i);
        QVERIFY(missing);
        QCOMPARE(missing->text(0), QStringLiteral("3"));
        QCOMPARE(missing->text(1), QStringLiteral("8")); // at the <b>
        emit list->itemActivated(missing, 0);
        QCOMPARE(main->HTML()->selStart(), 16 + 7);
        QCOMPARE(main->HTML()->wholeText(), kPage);
        QCOMPARE(main->documentChanged(), changed);
    }

    void optionsKeptBesideTheDesignsKeys()
    {
        const settings::Store store;
        const std::optional<QString> autoUpdate = store.get("Auto-update");
        QVERIFY(!c->view().mnuSyntax->isChecked()); // off on a first run
        QVERIFY(!c->view().mnuLineNumbers->isChecked());
        c->view().mnuSyntax->trigger();
        c->view().mnuLineNumbers->trigger();
        QVERIFY(c->view().colouring().isOn() && c->view().lineNumbers().isOn());
        QCOMPARE(store.get("SyntaxColouring"), std::optional<QString>("True"));
        QCOMPARE(store.get("LineNumbers"), std::optional<QString>("True"));
        QCOMPARE(store.get("Auto-update"), autoUpdate);
        QVERIFY(!store.get("FontName")); // the design's keys are still written at exit only
        c->view().mnuSyntax->trigger();
        c->view().mnuLineNumbers->trigger();
        QCOMPARE(store.get("SyntaxColouring"), std::optional<QString>("False"));
    }

    void recentFiles()
    {
        RecentFiles &recent = c->recent();
        QStringList paths;
        for (int i = 1; i <= 9; ++i)
            paths << file(QStringLiteral("r%1.htm").arg(i));
        for (const QString &p : paths)
            open(p);
        open(paths[3]); // again: to the top, once
        QStringList expected = {paths[3], paths[8], paths[7], paths[6], paths[5], paths[4], paths[2], paths[1]};
        QCOMPARE(recent.files(), expected);
        QCOMPARE(recent.items().first()->text(), "&1 " + paths[3]);
        QCOMPARE(recent.items().last()->text(), "&8 " + paths[1]);
        QCOMPARE(settings::Store().get("Recent8"), std::optional<QString>(paths[1]));

        // The unsaved-changes question comes first; Cancel opens nothing.
        main->HTML()->setSelText("x");
        platform = ScriptedPlatform();
        platform.messageAnswers << MsgResult::Cancel;
        recent.items()[2]->trigger();
        QCOMPARE(messageLine(platform, 0).section('|', 0, 0), QStringLiteral("File Changed"));
        QCOMPARE(main->documentFileName(), paths[3]);
        platform.messageAnswers << MsgResult::No;
        recent.items()[2]->trigger();
        QCOMPARE(main->documentFileName(), paths[7]);
        QCOMPARE(recent.files().first(), paths[7]);

        // A file that is gone: a message, and off the list.
        QFile::remove(paths[6]);
        platform = ScriptedPlatform();
        platform.messageAnswers << MsgResult::OK;
        recent.items()[3]->trigger();
        QCOMPARE(messageLine(platform, 0),
                 "Open Error|Exclamation|OK|The file '" + paths[6]
                     + "' could not be found. It has been removed from the list of recent files.");
        QVERIFY(!recent.files().contains(paths[6]));
        QCOMPARE(recent.items().size(), 7);
        QCOMPARE(main->documentFileName(), paths[7]);
    }

    void dropAFileOrText()
    {
        const QString path = file("dropped.htm", "<p>dropped</p>");
        document(QStringLiteral("<p>ab</p>"));
        if (main->documentChanged())
            platform.messageAnswers << MsgResult::No;
        auto *files = new QMimeData;
        files->setUrls({QUrl::fromLocalFile(path)});
        files->setText(path);
        dropOn(main->HTML()->viewport(), files, QPoint(5, 5));
        QTRY_COMPARE(main->documentFileName(), path);
        QCOMPARE(main->HTML()->wholeText(), QStringLiteral("<p>dropped</p>"));
        delete files;

        document(QStringLiteral("<p>ab</p>"));
        auto *text = new QMimeData;
        text->setText(QStringLiteral("<b>in</b>"));
        const long pos = 3; // between "<p>" and "ab"
        const QPoint at(int(main->HTML()->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, pos)),
                        int(main->HTML()->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, pos)) + 2);
        dropOn(main->HTML()->viewport(), text, at);
        QCOMPARE(main->HTML()->wholeText(), QStringLiteral("<p><b>in</b>ab</p>"));
        QVERIFY(main->documentChanged());
        main->HTML()->undo(); // one step of the pane's history
        QCOMPARE(main->HTML()->wholeText(), QStringLiteral("<p>ab</p>"));
        delete text;
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
    }
    void changedOnDisk()
    {
        QFETCH(QString, how);
        QFETCH(MsgResult, answer);
        static int row = 0;
        const QString path = file(QStringLiteral("watched%1.htm").arg(++row), "a\r\nb\r\nc");
        platform = ScriptedPlatform();
        open(path);
        QCOMPARE(c->diskWatch().watchedFile(), path);
        moveCaretTo(*main->HTML(), 3, 1);
        platform = ScriptedPlatform();

        // The editor's own save is no change.
        main->menu().mnuSave->trigger();
        QTest::qWait(300);
        QCOMPARE(platform.messages.size(), 0);

        platform.messageAnswers << answer;
        if (how == "write") {
            writeFile(path, "new\r\nB\r\nC");
        } else if (how == "rename") {
            writeFile(path + ".tmp", "new\r\nB\r\nC");
            QVERIFY(::rename(QFile::encodeName(path + ".tmp"), QFile::encodeName(path)) == 0);
        } else {
            QFile::remove(path);
        }
        QTRY_COMPARE(platform.messages.size(), 1);
        const QString expected = how == "delete"
            ? "File Changed on Disk|Exclamation|OK|The file '" + path
                  + "' has been deleted or moved by another program. Its text stays open here; Save writes it again."
            : "File Changed on Disk|Question|YesNo|The file '" + path
                  + "' has been changed by another program. Reload it?";
        QCOMPARE(messageLine(platform, 0), expected);
        QTEST(main->HTML()->wholeText(), "text");
        QTEST(main->documentChanged(), "changed");
        if (answer == MsgResult::Yes)
            QCOMPARE(caretLine(*main->HTML()), 3);
        QTest::qWait(300);
        QCOMPARE(platform.messages.size(), 1); // asked once
        if (how != "delete" && answer == MsgResult::No) {
            // A later Save writes the user's text over the other program's.
            main->menu().mnuSave->trigger();
            QCOMPARE(fileBytes(path), QByteArray("a\r\nb\r\nc\r\n"));
        }
    }
};

VELMORA_TEST_MAIN(TestComforts)
#include "tst_comforts.moc"
