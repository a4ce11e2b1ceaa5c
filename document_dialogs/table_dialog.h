#pragma once
// frmT, "Table Creation": builds an empty table from its fields and puts it in
// place of the editor's selection. Shown modally by Insert, Table; OK and
// Cancel only hide it, so its fields keep their values for the run.

#include "document_dialogs/table_builder.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ColourSwatch;
class SizeFrame;
class frmHTML;

class frmT : public QDialog {
    Q_OBJECT
public:
    explicit frmT(frmHTML &main);

    QLabel *lblAlign = nullptr;
    QComboBox *cmbAlign = nullptr;
    QLabel *lblBorderSize = nullptr;
    QLineEdit *txtBorderSize = nullptr;
    QLabel *lblCellPadding = nullptr;
    QLineEdit *txtCellPadding = nullptr;
    QLabel *lblCellSpacing = nullptr;
    QLineEdit *txtCellSpacing = nullptr;
    SizeFrame *fraSize = nullptr; // txtWidth, optPercent, ..., fraOpts, optPixelsH
    QPushButton *cmdBGc = nullptr, *cmdBGd = nullptr;
    QPushButton *cmdBdCc = nullptr, *cmdBdCd = nullptr;
    QPushButton *cmdBdCdc = nullptr, *cmdBdCdd = nullptr;
    QPushButton *cmdBdClc = nullptr, *cmdBdCld = nullptr;
    ColourSwatch *Pic1 = nullptr, *Pic2 = nullptr, *Pic3 = nullptr, *Pic4 = nullptr;
    QLabel *lblBackground = nullptr;
    QLineEdit *txtBackground = nullptr;
    QPushButton *Browse1 = nullptr;
    QLabel *lblColumns = nullptr;
    QLineEdit *txtColumns = nullptr;
    QLabel *lblRows = nullptr;
    QLineEdit *txtRows = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    // The values of the controls, as the builder takes them.
    TableFields fields() const;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Form_Load();

    frmHTML &main_;
};
