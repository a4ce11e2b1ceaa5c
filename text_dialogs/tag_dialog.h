#pragma once
// frmTag, "Insert Special Character/Tag/Text": a modeless window owned by the
// main window, so it floats above the editor while the user types. Fifteen
// buttons insert a fixed entity or tag, the Styles frame the opening or
// closing markup of a block style, and the Text frame a run of styled text
// with a live sample. Every insertion goes through TagProc, which hands the
// keyboard back to the editor; only Close (or Enter, or Esc) hides the window.

#include "text_dialogs/text_builders.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class ColourSwatch;
class DialogHost;

class frmTag : public QDialog {
    Q_OBJECT
public:
    explicit frmTag(DialogHost &host);

    // Inserts `Txt` in place of the editor's selection with the action name
    // `Undotxt` and gives the keyboard back to the editor.
    void TagProc(const QString &Txt, const QString &Undotxt);

    // Insert special character/tag: the fifteen buttons, in the order of
    // fixedTags() (cmdLeft ... cmdTypewriter0).
    QGroupBox *fraTag = nullptr;
    QList<QPushButton *> fixedButtons;
    QPushButton *cmdLeft = nullptr, *cmdRight = nullptr, *cmdAmp = nullptr, *cmdQuot = nullptr,
                *cmdBlank = nullptr;
    QPushButton *cmdBold1 = nullptr, *cmdBold0 = nullptr, *cmdItalic1 = nullptr,
                *cmdItalic0 = nullptr, *cmdUnderline1 = nullptr, *cmdUnderline0 = nullptr,
                *cmdStrikethrough1 = nullptr, *cmdStrikethrough0 = nullptr,
                *cmdTypewriter1 = nullptr, *cmdTypewriter0 = nullptr;

    // Styles
    QGroupBox *fraStyle = nullptr;
    QRadioButton *optOpen = nullptr;
    QRadioButton *optClose = nullptr;
    QComboBox *cmbStyle = nullptr;
    QPushButton *cmdInsertStyle = nullptr;

    // Text
    QGroupBox *fraText = nullptr;
    QLabel *lblFont = nullptr;
    QListWidget *lstFont = nullptr;
    QPushButton *cmdRFL = nullptr;
    QLabel *lblSize = nullptr;
    QListWidget *lstSize = nullptr;
    QLabel *lblAlign = nullptr;
    QListWidget *lstAlign = nullptr;
    QPushButton *cmdTC = nullptr;
    QPushButton *cmdDef = nullptr;
    QPushButton *cmdBC = nullptr;
    QPushButton *cmdDefB = nullptr;
    QLabel *lblSample = nullptr;
    QLabel *lblText = nullptr;
    QLineEdit *txtText = nullptr;
    QPushButton *cmdInsertText = nullptr;
    ColourSwatch *picTC = nullptr;
    ColourSwatch *picBC = nullptr;

    QPushButton *cmdClose = nullptr;

    // The values of the Text frame, as the builder takes them.
    StyledTextFields textFields() const;

    void cmdInsertStyle_Click();
    void cmdInsertText_Click();
    void cmdRFL_Click();
    void cmdClose_Click();

    // Shows the window beside the editor, or only activates it when it is
    // already shown.
    void showOrActivate();

private:
    void createTagFrame();
    void createStyleFrame();
    void createTextFrame();
    void layOut();
    void Form_Load();
    // The sample shows the font, size, alignment, colours and text chosen.
    void updateSample();

    DialogHost &host_;
    bool placed_ = false;
};
