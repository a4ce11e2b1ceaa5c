#pragma once
// frmM, "Insert Marquee": builds a marquee element and puts it in place of
// the editor's selection. Shown modally by Insert, Marquee; OK and Cancel only
// hide it, so its controls keep their values for the run.

#include "media_dialogs/marquee_builder.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ColourSwatch;
class DialogHost;

class frmM : public QDialog {
    Q_OBJECT
public:
    explicit frmM(DialogHost &host);

    QLabel *lblText = nullptr;
    QLineEdit *txtText = nullptr;

    QGroupBox *fraDirection = nullptr;
    QRadioButton *optLeft = nullptr;
    QRadioButton *optRight = nullptr;

    QGroupBox *fraBehavior = nullptr;
    QLabel *lblDelay = nullptr;
    QLineEdit *txtDelay = nullptr;
    QLabel *lblPixels = nullptr;
    QLineEdit *txtPixels = nullptr;
    QLabel *lblBehaviour = nullptr;
    QComboBox *cmbBehave = nullptr;
    QLabel *lblAlign = nullptr;
    QComboBox *cmbAlign = nullptr;
    QRadioButton *optInfinite = nullptr;
    QRadioButton *optRepeat = nullptr;
    QLineEdit *txtRepeat = nullptr; // enabled exactly while optRepeat is selected

    // The width unit pair sits in the frame itself, the height pair in the
    // caption-less fraPer inside it: two independent groups.
    QGroupBox *fraShapeColour = nullptr;
    QLabel *lblWidth = nullptr;
    QLineEdit *txtWidth = nullptr;
    QRadioButton *optPixW = nullptr;
    QRadioButton *optPerW = nullptr;
    QLabel *lblHeight = nullptr;
    QLineEdit *txtHeight = nullptr;
    QFrame *fraPer = nullptr;
    QRadioButton *Option3 = nullptr; // height in pixels
    QRadioButton *optPerH = nullptr;
    QPushButton *cmdColour = nullptr;
    QPushButton *cmdDef = nullptr;
    ColourSwatch *picMC = nullptr;

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    // The values of the controls, as the builder takes them.
    MarqueeFields fields() const;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void layOut();
    void Form_Load();

    DialogHost &host_;
};
