#pragma once
// frmI, "Insert Image": builds an image element, in a hyperlink when a link is
// given, and puts it in place of the editor's selection. Shown modally by
// Insert, Image; OK and Cancel only hide it, so its fields keep their values
// for the run.

#include "media_dialogs/image_builder.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class DialogHost;

class frmI : public QDialog {
    Q_OBJECT
public:
    explicit frmI(DialogHost &host);

    // Left column.
    QLabel *lblLink = nullptr;
    QLineEdit *txtLink = nullptr;
    QLabel *lblTarget = nullptr;
    QLineEdit *txtTarget = nullptr;
    QLabel *lblImage = nullptr;
    QLineEdit *txtImage = nullptr;
    QLabel *lblLow = nullptr;
    QLineEdit *txtLow = nullptr;
    QLabel *lblAlt = nullptr;
    QLineEdit *txtAlt = nullptr;
    QLabel *lblAlign = nullptr;
    QComboBox *cmbAlign = nullptr;
    // Right column.
    QLabel *lblBorder = nullptr;
    QLineEdit *txtBorder = nullptr;
    QLabel *lblHspc = nullptr;
    QLineEdit *txtHspc = nullptr;
    QLabel *lblVspc = nullptr;
    QLineEdit *txtVspc = nullptr;
    QLabel *lblWidth = nullptr;
    QLineEdit *txtWidth = nullptr;
    QLabel *lblHeight = nullptr;
    QLineEdit *txtHeight = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    // Beside the two source boxes.
    QPushButton *cmdBrowse1 = nullptr;
    QPushButton *cmdBrowse2 = nullptr;

    // The values of the controls, as the builder takes them.
    ImageFields fields() const;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Form_Load();

    DialogHost &host_;
};
