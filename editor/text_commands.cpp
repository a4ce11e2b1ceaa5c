#include "editor/text_commands.h"

#include "core/conversions.h"
#include "editor/main_menu.h"
#include "text_dialogs/tag_proc.h"
#include "text_dialogs/text_builders.h"
#include "widgets/dialog_host.h"
#include "widgets/font_dialog.h"
#include "widgets/html_pane.h"


TextCommands::TextCommands(const MainMenu &menu, DialogHost &host, HTMLPane &pane,
                           FontDialog &ctlFont, QObject *parent)
    : QObject(parent), host_(host), pane_(pane), ctlFont_(ctlFont)
{
    serveItem(menu.mnuHyperlink, this, &TextCommands::mnuHyperlink_Click);
    serveItem(menu.mnuBookmark, this, &TextCommands::mnuBookmark_Click);
    serveItem(menu.mnuFN, this, &TextCommands::mnuFN_Click);
    serveItem(menu.mnuHTMLcolour, this, &TextCommands::mnuHTMLcolour_Click);
    serveItem(menu.mnuHTML2text, this, &TextCommands::mnuHTML2text_Click);
    serveItem(menu.mnuFont, this, &TextCommands::mnuFont_Click);
    serveItem(menu.mnuColour, this, &TextCommands::mnuColour_Click);
}

QString TextCommands::ask(const QString &prompt, const QString &title, const QString &defaultText)
{
    return host_.platform().inputBox(host_.hostWindow(), prompt, title, defaultText);
}

bool TextCommands::askRequired(const QString &prompt, const QString &title,
                               const QString &defaultText, QString &answer)
{
    for (;;) {
        answer = ask(prompt, title, defaultText);
        if (!answer.isEmpty())
            return true;
        // Only a No asks again: a box closed some other way quits, so the
        // question can never come back without the user saying so.
        if (host_.platform().messageBox(host_.hostWindow(), kQuitQuestion, title, MsgIcon::Question,
                                        MsgButtons::YesNo)
            != MsgResult::No)
            return false;
    }
}

void TextCommands::mnuHyperlink_Click()
{
    const QString &title = kHyperlinkTitle;
    QString text = host_.selectedText();
    if (text.isEmpty())
        text = ask(QStringLiteral("Enter hyperlink name (optional)"), title);
    QString address;
    if (!askRequired(QStringLiteral("Enter hyperlink address"), title, kAddressDefault, address))
        return;
    const QString target = ask(QStringLiteral("Enter target frame (optional)"), title);
    const QString linkTitle = ask(QStringLiteral("Enter hyperlink title (optional)"), title);
    host_.insertFragment(buildHyperlink(text, address, target, linkTitle),
                         QStringLiteral("Hyperlink"));
}

void TextCommands::mnuBookmark_Click()
{
    const QString &title = kBookmarkTitle;
    QString text = host_.selectedText();
    if (text.isEmpty())
        text = ask(QStringLiteral("Enter bookmark text (optional)"), title);
    QString name;
    if (!askRequired(QStringLiteral("Enter bookmark name"), title, bookmarkNameDefault(text), name))
        return;
    const QString nameTitle = ask(QStringLiteral("Enter bookmark title (optional)"), title);
    host_.insertFragment(buildBookmark(text, name, nameTitle), QStringLiteral("Bookmark"));
}

void TextCommands::mnuFN_Click()
{
    // Chosen or not, the dialog goes back with the document filter; the
    // title stays.
    const std::optional<QString> chosen =
        host_.fileDialog().borrowOpen(host_.hostWindow(), kFileNameFilter, kFileNameTitle);
    if (chosen)
        TagProc(host_, fileNameFragment(*chosen), QStringLiteral("File Name"));
}

void TextCommands::mnuHTMLcolour_Click()
{
    ColourDialog &colour = host_.colourDialog();
    if (!colour.show(host_.hostWindow()))
        return;
    TagProc(host_, htmlColourFragment(colour.colour), QStringLiteral("HTML Colour"));
}

void TextCommands::mnuHTML2text_Click()
{
    const QString selected = host_.selectedText();
    if (selected.isEmpty()) {
        host_.platform().messageBox(host_.hostWindow(), kConvertAdvice, kConvertTitle,
                                    MsgIcon::Exclamation, MsgButtons::OK);
        return;
    }
    TagProc(host_, HTMLtext(selected), kConvertTitle);
}

void TextCommands::mnuFont_Click()
{
    if (!ctlFont_.show(host_.hostWindow()))
        return;
    const int start = pane_.selStart();
    const int length = pane_.selLength();
    // The whole text takes the font; the text itself does not change.
    pane_.setSelStart(0);
    pane_.setSelLength(pane_.textLength());
    pane_.setSelFormat(ctlFont_.font);
    pane_.setSelStart(start);
    pane_.setSelLength(length);
}

void TextCommands::mnuColour_Click()
{
    ColourDialog &colour = host_.colourDialog();
    colour.colour = pane_.backColour(); // the dialog opens on the current background
    if (!colour.show(host_.hostWindow()))
        return;
    pane_.setBackColour(colour.colour);
}
