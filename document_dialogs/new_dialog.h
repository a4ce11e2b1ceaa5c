#pragma once
// frmNew, "Startup HTML": builds the skeleton of a new page and makes it the
// whole text of the editor. Shown modally by the New command; OK and Cancel
// only hide it, so its fields keep their values for the run.

#include <QDialog>

class QPushButton;
class frmHTML;

class frmNew : public QDialog {
    Q_OBJECT
public:
    explicit frmNew(frmHTML &main);

    // Disabled at creation; only the New command enables it.
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdOK = nullptr;

private:
    frmHTML &main_;
};
