#pragma once
// frmNew, "Startup HTML": builds the skeleton of a new page and makes it the
// whole text of the editor. Shown modally by the New command; OK and Cancel
// only hide it, so its fields keep their values for the run.

#include "document_dialogs/new_page_builder.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ColourSwatch;
class DialogHost;

class frmNew : public QDialog {
    Q_OBJECT
public:
    explicit frmNew(DialogHost &host);

    // Disabled at creation; only the New command enables it.
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdOK = nullptr;

    // Main
    QGroupBox *fraMain = nullptr;
    QLabel *lblTitle = nullptr;
    QLineEdit *txtTitle = nullptr;
    QPushButton *cmdBC = nullptr;
    QPushButton *cmdDef = nullptr;
    ColourSwatch *picBC = nullptr;
    QLabel *lblST = nullptr;
    QLineEdit *txtST = nullptr;
    QLabel *lblBase = nullptr;
    QLineEdit *txtBase = nullptr;
    QLabel *lblTarget = nullptr;
    QLineEdit *txtTarget = nullptr;

    // Colours: text, hyperlink, visited link, active link.
    QGroupBox *fraColours = nullptr;
    QPushButton *cmdC1 = nullptr, *cmdC2 = nullptr, *cmdC3 = nullptr, *cmdC4 = nullptr;
    QPushButton *Def1 = nullptr, *Def2 = nullptr, *Def3 = nullptr, *Def4 = nullptr;
    ColourSwatch *Pic1 = nullptr, *Pic2 = nullptr, *Pic3 = nullptr, *Pic4 = nullptr;

    // Background sound (the sound frame is fraBackground).
    QGroupBox *fraBackground = nullptr;
    QLabel *lblSnd = nullptr;
    QLineEdit *txtSound = nullptr;
    QPushButton *Browse1 = nullptr;
    QCheckBox *chkLoop = nullptr;
    QLabel *lblLoop = nullptr;
    QLineEdit *txtLoop = nullptr;

    // Background image (the image frame is fraSound).
    QGroupBox *fraSound = nullptr;
    QLabel *lblImage = nullptr;
    QLineEdit *txtImage = nullptr;
    QPushButton *Browse2 = nullptr;
    QCheckBox *chkWater = nullptr;

    // Margins (in pixels)/Stylesheet
    QGroupBox *fraMargins = nullptr;
    QLabel *lblMarginT = nullptr;
    QLineEdit *txtMarginT = nullptr;
    QLabel *lblMarginL = nullptr;
    QLineEdit *txtMarginL = nullptr;
    QLabel *lblCSS = nullptr;
    QLineEdit *txtCSS = nullptr;
    QPushButton *Browse3 = nullptr;

    QPushButton *cmdReset = nullptr;

    // The values of the fields, as the page builder takes them.
    NewPageFields fields() const;

    // The focusable controls in tab order.
    QList<QWidget *> tabChain() const;

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdReset_Click();
    void chkLoop_Click();

public slots:
    // Esc and the close box: Cancel while Cancel is enabled; at start-up,
    // when there is nothing to go back to, they do nothing.
    void reject() override;

private:
    void buildControls();
    void layOut();

    DialogHost &host_;
};
