// The text dialogs and commands: frmTag and frmH against a fake host, the
// prompts and utilities with scripted answers. (Each command from its key in
// the real main window: tst_table_cell_dialogs.)
#include "editor/main_menu.h"
#include "editor/text_commands.h"
#include "support/fake_host.h"
#include "support/test_env.h"
#include "text_dialogs/rule_dialog.h"
#include "text_dialogs/tag_dialog.h"
#include "widgets/dialog_parts.h"
#include "widgets/font_dialog.h"
#include "widgets/html_pane.h"

namespace {
constexpr ColourValue kRed = 0x0000FF;
}

class TestTextDialogs : public QObject {
    Q_OBJECT
    FakeHost host;
    frmTag *tag = nullptr;
    HTMLPane pane;
    FontDialog font{host.scripted};
    QMainWindow menuOwner;
    const MainMenu menu = createMainMenu(menuOwner);
    TextCommands commands{menu, host, pane, font, nullptr};

    void document(const QString &text, int selStart = 0, int selLength = 0)
    {
        host.reset(text, selStart, selLength);
        host.scripted = ScriptedPlatform();
    }

private slots:
    void initTestCase()
    {
        tag = new frmTag(host);
        tag->showOrActivate();
    }
    void cleanupTestCase() { delete tag; }

    // Every fixed button inserts its own text at the caret, hands the
    // keyboard back and leaves the dialog open.
    void fixedButtons()
    {
        document("ab", 1);
        for (QPushButton *b : tag->fixedButtons)
            b->click();
        QCOMPARE(host.document, "a&lt;&gt;&amp;&quot;&nbsp;<b></b><i></i><u></u><s></s><tt></tt>b");
        QVERIFY(host.actions.first() == "Left Arrow" && host.actions.last() == "Close Typewriter");
        QVERIFY(host.editorFocused == 15 && tag->isVisible());
    }

    // Styles replace the selection; Close and reopening keep the choice.
    void styles()
    {
        document("xwordy", 1, 4);
        tag->cmbStyle->setCurrentIndex(8);
        tag->cmdInsertStyle->click();
        tag->optClose->click();
        tag->cmdInsertStyle->click();
        QCOMPARE(host.document, "x<ol>\r\n<li></li>\r\n</ol>y");
        tag->cmdClose->click();
        tag->showOrActivate();
        QVERIFY(tag->cmbStyle->currentIndex() == 8 && tag->optClose->isChecked());
        tag->cmbStyle->setCurrentIndex(13);
        tag->optOpen->click();
        tag->cmdInsertStyle->click();
        QVERIFY(host.actions.last() == "Style: Definition" && host.document.endsWith("<dd>y"));
    }

    // Enter, with the focus in the text box or a list, presses Close.
    void enterCloses()
    {
        for (QWidget *w : QList<QWidget *>{tag->txtText, tag->lstSize}) {
            tag->showOrActivate();
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            QVERIFY(!tag->isVisible());
        }
        tag->showOrActivate();
    }

    // The sample follows the lists, the text and the colours; a refresh of
    // the font list selects "(default)" again.
    void sample()
    {
        QLabel *sample = tag->lblSample;
        const auto font = [&] { return sample->font().family() + " " + QString::number(sample->font().pointSize()); };
        QCOMPARE(font(), "Times New Roman 12");
        tag->lstSize->setCurrentRow(7);
        const QFontMetrics at36(sample->font()); // the sample text whole at the largest size
        QVERIFY(sample->contentsRect().width() > at36.horizontalAdvance(sample->text()) && sample->contentsRect().height() > at36.height());
        tag->lstFont->setCurrentRow(2);
        QCOMPARE(font(), tag->lstFont->item(2)->text() + " 36");
        tag->lstSize->setCurrentRow(0);
        tag->lstFont->setCurrentRow(tag->lstFont->count() - 1);
        tag->cmdRFL->click();
        QVERIFY(tag->lstFont->currentRow() == 0 && tag->lstFont->item(0)->text() == "(default)");
        QCOMPARE(font(), "Times New Roman 12");
        for (int i = 2; i < tag->lstFont->count(); ++i)
            QVERIFY(tag->lstFont->item(i - 1)->text().compare(tag->lstFont->item(i)->text(), Qt::CaseInsensitive) < 0);
        tag->lstAlign->setCurrentRow(2);
        QVERIFY(sample->alignment() & Qt::AlignHCenter);
        tag->txtText->setText("a <b>");
        QCOMPARE(sample->text(), "a <b>");
        host.scripted.colourAnswers << kRed;
        tag->cmdTC->click();
        QCOMPARE(sample->palette().color(QPalette::WindowText), QColor(Qt::red));
        tag->cmdDef->click();
        QCOMPARE(sample->palette().color(QPalette::WindowText), tag->palette().color(QPalette::ButtonText));
    }

    // The controls reach the builder; its own cases are tested without
    // windows, the colour buttons' default with the shared parts.
    void styledTextInsert()
    {
        document("", 0);
        tag->lstFont->setCurrentRow(1);
        tag->lstSize->setCurrentRow(3);
        tag->lstAlign->setCurrentRow(2);
        host.scripted.colourAnswers << kRed << 0x00FFFF;
        tag->cmdTC->click();
        tag->cmdBC->click();
        tag->txtText->setText("Hi & bye");
        tag->cmdInsertText->click();
        const QString face = tag->lstFont->item(1)->text();
        QCOMPARE(host.document, "<div style=\"background-color: #FFFF00\"><p align=\"center\">"
                                "<font face=\"" + face + "\" size=\"3\" color=\"#FF0000\">Hi &amp; bye</font></p></div>");
        QVERIFY(host.actions == QStringList{"Text Insertion"} && host.editorFocused == 1);
    }

    void rule()
    {
        frmH dialog(host);
        document("ab", 1);
        dialog.show();
        dialog.txtSize->setText("2");
        dialog.cmbAlign->setCurrentIndex(0);
        dialog.chkShade->setChecked(false);
        dialog.txtWidth->setText("50");
        host.scripted.colourAnswers << kRed;
        dialog.cmdColour->click();
        dialog.cmdOK->click();
        QVERIFY(!dialog.isVisible() && host.actions == QStringList{"Horizontal Rule"});
        QCOMPARE(host.document, "a<hr size=\"2\" align=\"Left\" noshade  width=\"50%\" color=\"#FF0000\">b");
        // Cancel keeps what was typed; the default colour removes the colour.
        dialog.show();
        dialog.optPixels->click();
        dialog.mnuCancel->click();
        QVERIFY(!dialog.isVisible() && host.actions.size() == 1);
        dialog.show();
        QVERIFY(dialog.optPixels->isChecked() && dialog.txtSize->text() == "2");
        dialog.cmdDef->click();
        QCOMPARE(dialog.CodeSub(), "<hr size=\"2\" align=\"Left\" noshade  width=\"50\">");
        dialog.hide();
    }

    // The prompts with scripted answers: `inputs` are the answers in order,
    // `quit` the answers to the quit question; `asked` lists each prompt as
    // "prompt=default".
    void prompts_data()
    {
        QTest::addColumn<bool>("bookmark");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QList<MsgResult>>("quit");
        QTest::addColumn<QString>("fragment"); // empty: nothing inserted
        QTest::addColumn<QStringList>("asked");
        const QStringList link = {"Enter hyperlink name (optional)=", "Enter hyperlink address=http://",
                                  "Enter target frame (optional)=", "Enter hyperlink title (optional)="};
        QTest::newRow("hyperlink: name, escaped address") << false << "" << QStringList{"Home", "page.htm?x=1&y=2", "", ""}
            << QList<MsgResult>{} << "<a href=\"page.htm?x=1&amp;y=2\">Home</a>" << link;
        QTest::newRow("hyperlink: selection, no name prompt") << false << "Click <here>" << QStringList{"http://", "_blank", "Go"}
            << QList<MsgResult>{} << "<a href=\"http://\" target=\"_blank\" title=\"Go\">Click &lt;here&gt;</a>" << link.mid(1);
        QTest::newRow("hyperlink: cancelled, Yes quits") << false << "x" << QStringList{""}
            << QList<MsgResult>{MsgResult::Yes} << "" << QStringList{link[1]};
        QTest::newRow("bookmark: escaped default accepted, escaped again") << true << "A & B"
            << QStringList{"", "A &amp; B", ""} << QList<MsgResult>{MsgResult::No}
            << "<a name=\"A &amp;amp; B\">A &amp; B</a>"
            << QStringList{"Enter bookmark name=A &amp; B", "Enter bookmark name=A &amp; B", "Enter bookmark title (optional)="};
    }
    void prompts()
    {
        QFETCH(bool, bookmark);
        QFETCH(QString, selected);
        QFETCH(QStringList, inputs);
        QFETCH(QList<MsgResult>, quit);
        QFETCH(QString, fragment);
        QFETCH(QStringList, asked);
        document("(" + selected + ")", 1, int(selected.size()));
        host.scripted.inputAnswers = inputs;
        host.scripted.messageAnswers = quit;
        bookmark ? commands.mnuBookmark_Click() : commands.mnuHyperlink_Click();
        const QString title = bookmark ? "Insert Bookmark" : "Insert Hyperlink";
        QStringList shown;
        for (const auto &in : host.scripted.inputs)
            shown << in.prompt + "=" + in.defaultText + (in.title == title ? "" : " in " + in.title);
        QCOMPARE(shown, asked);
        QCOMPARE(host.scripted.messages.size(), quit.size());
        for (int i = 0; i < quit.size(); ++i)
            QCOMPARE(messageLine(host.scripted, i), title + "|Question|YesNo|" + kQuitQuestion);
        QCOMPARE(host.document, fragment.isEmpty() ? "(" + selected + ")" : "(" + fragment + ")");
        QCOMPARE(host.actions, fragment.isEmpty() ? QStringList() : QStringList{bookmark ? "Bookmark" : "Hyperlink"});
    }

    // The three utilities that insert do so through TagProc; the file name
    // gives the file dialog back with the document filter either way.
    void utilities()
    {
        document("<b>A & B</b>", 0, 12);
        commands.mnuHTML2text_Click();
        host.files.title = "Open";
        host.scripted.fileAnswers << QStringLiteral("/home/u/a.htm") << std::nullopt;
        host.scripted.colourAnswers << kRed << std::nullopt;
        for (int i = 0; i < 2; ++i) {
            commands.mnuFN_Click();
            commands.mnuHTMLcolour_Click();
        }
        commands.mnuHTML2text_Click(); // nothing selected
        QCOMPARE(host.document, "&lt;b&gt;A &amp; B&lt;/b&gt;\"file:///home/u/a.htm\"\"#FF0000\"");
        QCOMPARE(host.actions, QStringList({"Convert HTML to Text", "File Name", "HTML Colour"}));
        QCOMPARE(host.editorFocused, 3);
        QVERIFY(host.scripted.fileRequests.value(1).filter == kFileNameFilter && host.scripted.fileRequests.value(1).title == kFileNameTitle);
        QCOMPARE(host.files.title, kFileNameTitle);
        QCOMPARE(messageLine(host.scripted, 0), "Convert HTML to Text|Exclamation|OK|Please select some text to convert");
    }
};

VELMORA_TEST_MAIN(TestTextDialogs)
#include "tst_text_dialogs.moc"
