#pragma once
// frmS, "Insert Script": wraps a typed script in the element of its language
// (or in server delimiters) and puts it in place of the editor's selection.
// Shown modally by Insert, Script; OK and Cancel only hide it, so the script,
// the language and the server tick are kept for the run. OK is not the
// default button: Enter in the script box starts a new line.

#include "media_dialogs/script_builder.h"

#include <QDialog>

class QCheckBox;
class QFont;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class DialogHost;

class frmS : public QDialog {
    Q_OBJECT
public:
    explicit frmS(DialogHost &host);

    QPlainTextEdit *txtScript = nullptr;
    QRadioButton *optJS = nullptr;
    QRadioButton *optVBS = nullptr;
    QCheckBox *chkServer = nullptr; // enabled with VBScript only; keeps its tick
    QRadioButton *optOther = nullptr;
    QLineEdit *txtOther = nullptr; // enabled with Other only
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    // The values of the controls, as the builder takes them. Line breaks
    // typed in the script box are CR LF, as everywhere in generated text.
    ScriptFields fields() const;

    void cmdOK_Click();
    void cmdCancel_Click();

    // Courier New 9.75 pt as the font configuration resolves that name, or
    // the system's fixed-width font at that size when it resolves to a
    // proportional font.
    static QFont scriptFont();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void languageChanged();

    DialogHost &host_;
};
