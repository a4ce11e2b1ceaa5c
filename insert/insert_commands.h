#pragma once
// The Insert menu's commands: each item opens its dialog (one instance per
// run, created on first use) or runs its prompt. The main window creates one
// InsertCommands, which enables and connects the items it serves.

#include <QObject>
#include <QPointer>

class frmHTML;
class frmT;
class frmC;

class InsertCommands : public QObject {
    Q_OBJECT
public:
    explicit InsertCommands(frmHTML &main);

    // Insert, Table: the table dialog, modal.
    void mnuTable_Click();
    // Insert, Cell properties: advice when nothing is selected, then the
    // cell-properties dialog, modal.
    void mnuCell_Click();

    // The dialog instances, created (hidden) on first use.
    frmT &tableDialog();
    frmC &cellDialog();

private:
    frmHTML &main_;
    QPointer<frmT> frmT_;
    QPointer<frmC> frmC_;
};
