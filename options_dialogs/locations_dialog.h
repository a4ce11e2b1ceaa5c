#pragma once
// frmLoc, "Locations": the external browser's command line, the folder it
// starts in, and the temporary directory of the preview file. The values
// belong to a LocationsOwner; edits take effect at once and there is no
// Cancel. Close stores the three values in the settings and hides the dialog,
// so it lives for the whole run.

#include <QDialog>

class DialogHost;
class LocationsOwner;
class QLabel;
class QLineEdit;
class QPushButton;

// The filter Browse1 borrows the file dialog with: programs, or every file.
extern const QString kProgramFilter;

class frmLoc : public QDialog {
    Q_OBJECT
public:
    frmLoc(DialogHost &host, LocationsOwner &owner);

    QLabel *lblBrowser = nullptr;
    QLineEdit *txtBrowser = nullptr;
    QPushButton *Browse1 = nullptr;
    QLabel *lblBrowserStartIn = nullptr;
    QLineEdit *txtBrowserStartIn = nullptr;
    QPushButton *Browse2 = nullptr;
    QLabel *lbllblTD = nullptr;
    QLabel *lblTD = nullptr; // bordered, not editable: Browse3 changes it
    QPushButton *Browse3 = nullptr;
    QPushButton *cmdClose = nullptr;

    // The Locations command and the preview's failures: returns when the
    // dialog is closed.
    void showModal();
    // After a failed View in Browser: returns at once.
    // Either one only brings the dialog to the front when it is up already.
    void showModeless();

    // The focusable controls in tab order (the labels are their buddies).
    QList<QWidget *> tabChain() const;

    void Browse1_Click();
    void Browse2_Click();
    void Browse3_Click();
    void cmdClose_Click();

public slots:
    // Esc and the close box close the dialog as Close does: every edit has
    // taken effect already, so it is stored too.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    // The close box acts as Close; the exit sequence closing the dialog
    // stores nothing (the locations are stored only by the user).
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void layOut();
    // The owner's values into the controls.
    void loadValues();
    bool bringToFront();
    void storeSettings();

    DialogHost &host_;
    LocationsOwner &owner_;
    bool loading_ = false;
};
