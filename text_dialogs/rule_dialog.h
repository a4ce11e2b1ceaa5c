#pragma once
// frmH, "Insert Horizontal Rule": one hr element from a size, an alignment,
// the shading, a width in pixels or percent and an optional colour, in place
// of the editor's selection. Shown modally by Insert, Horizontal rule; OK and
// Cancel only hide it, so its fields keep their values for the run.

#include "text_dialogs/text_builders.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ColourSwatch;
class DialogHost;

class frmH : public QDialog {
    Q_OBJECT
public:
    explicit frmH(DialogHost &host);

    QLabel *lblSize = nullptr;
    QLineEdit *txtSize = nullptr;
    QLabel *lblAlign = nullptr;
    QComboBox *cmbAlign = nullptr;
    QCheckBox *chkShade = nullptr;
    QPushButton *cmdColour = nullptr;
    QPushButton *cmdDef = nullptr;
    QGroupBox *fraWidth = nullptr;
    QLineEdit *txtWidth = nullptr;
    QRadioButton *optPixels = nullptr;
    QRadioButton *optPercent = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *mnuCancel = nullptr;
    ColourSwatch *picLC = nullptr;

    // The values of the controls, as the builder takes them.
    RuleFields fields() const;
    // The element the controls describe.
    QString CodeSub() const;

    void cmdOK_Click();
    void mnuCancel_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();

    DialogHost &host_;
};
