#pragma once
// frmT, "Table Creation": builds an empty table from its fields and puts it in
// place of the editor's selection. Shown modally by Insert, Table; OK and
// Cancel only hide it, so its fields keep their values for the run.

#include "document_dialogs/table_builder.h"
#include "document_dialogs/table_cell_layout.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class DialogHost;

// The size, colour and picture controls (fraSize, cmdBGc ... cmdBdCld,
// Pic1 ... Pic4, txtBackground, Browse1) come from SizeColourControls.
class frmT : public QDialog, public SizeColourControls {
    Q_OBJECT
public:
    explicit frmT(DialogHost &host);

    QLabel *lblAlign = nullptr;
    QComboBox *cmbAlign = nullptr;
    QLabel *lblBorderSize = nullptr;
    QLineEdit *txtBorderSize = nullptr;
    QLabel *lblCellPadding = nullptr;
    QLineEdit *txtCellPadding = nullptr;
    QLabel *lblCellSpacing = nullptr;
    QLineEdit *txtCellSpacing = nullptr;
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

    DialogHost &host_;
};
