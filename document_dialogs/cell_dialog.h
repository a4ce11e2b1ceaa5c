#pragma once
// frmC, "Cell Properties": builds one table cell from its fields and puts it
// in place of the editor's selection (meant to be a whole existing cell).
// Shown modally by Insert, Cell properties; OK and Cancel only hide it, so
// its fields keep their values for the run.

#include "document_dialogs/cell_builder.h"
#include "document_dialogs/table_cell_layout.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class DialogHost;

// The advice the dialog shows, and the cell item gives when nothing is selected.
inline const QString kCellAdvice = QStringLiteral(
    "It is recommended that you select <td> and </td> and any text in between for this to work properly");

// The size, colour and picture controls (fraSize, cmdBGc ... cmdBdCld,
// Pic1 ... Pic4, txtBackground, Browse1) come from SizeColourControls.
class frmC : public QDialog, public SizeColourControls {
    Q_OBJECT
public:
    explicit frmC(DialogHost &host);

    QLabel *lblHAlign = nullptr;
    QComboBox *cmbHAlign = nullptr;
    QLabel *lblVAlign = nullptr;
    QComboBox *cmbVAlign = nullptr;
    QLabel *lblR = nullptr;
    QLineEdit *txtR = nullptr; // rows spanned
    QLabel *lblC = nullptr;
    QLineEdit *txtH = nullptr; // columns spanned
    QCheckBox *chkHeader = nullptr;
    QCheckBox *chkWrap = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblInfo = nullptr;

    // The values of the controls, as the builder takes them.
    CellFields fields() const;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Form_Load();

    DialogHost &host_;
};
