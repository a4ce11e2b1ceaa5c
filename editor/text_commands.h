#pragma once
// The HTML menu's commands that need no dialog window of their own: the
// hyperlink and bookmark prompts, the file name, HTML colour and convert
// utilities (which insert through TagProc), and the HTML font and background
// colour commands (which change how the source looks, not the document).

#include <QObject>

class DialogHost;
class FontDialog;
class HTMLPane;
struct MainMenu;

class TextCommands : public QObject {
    Q_OBJECT
public:
    // `pane` and `ctlFont` are the text pane and the shared font dialog the
    // look commands change; everything else goes through `host`.
    TextCommands(const MainMenu &menu, DialogHost &host, HTMLPane &pane, FontDialog &ctlFont,
                 QObject *parent);

    // Insert, Hyperlink / Bookmark: prompts, then the anchor.
    void mnuHyperlink_Click();
    void mnuBookmark_Click();
    // Insert, File name: a chosen file as a quoted file URL.
    void mnuFN_Click();
    // Insert, HTML colour: a chosen colour as quoted HTML colour text.
    void mnuHTMLcolour_Click();
    // Insert, Convert HTML to text: the selection escaped.
    void mnuHTML2text_Click();
    // HTML, HTML font: the font of the whole source; the selection is kept.
    void mnuFont_Click();
    // HTML, HTML background colour: the text pane's background.
    void mnuColour_Click();

private:
    QString ask(const QString &prompt, const QString &title, const QString &defaultText = {});
    // Asks for a required value until one is given; false when the user
    // answers the quit question with anything but No.
    bool askRequired(const QString &prompt, const QString &title, const QString &defaultText,
                     QString &answer);

    DialogHost &host_;
    HTMLPane &pane_;
    FontDialog &ctlFont_;
};
