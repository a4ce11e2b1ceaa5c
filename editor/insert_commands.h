#pragma once
// The Insert menu's commands: each item opens its dialog (one instance per
// run, created on first use) or runs its prompt. The main window creates one
// InsertCommands, which enables and connects the items it serves.

#include <QObject>

class DialogHost;
class DialogRegistry;
struct MainMenu;

class InsertCommands : public QObject {
    Q_OBJECT
public:
    InsertCommands(const MainMenu &menu, DialogHost &host, DialogRegistry &dialogs,
                   QObject *parent);

    // Insert, Table: the table dialog, modal.
    void mnuTable_Click();
    // Insert, Cell properties: advice when nothing is selected, then the
    // cell-properties dialog, modal.
    void mnuCell_Click();
    // Insert, Image / Marquee / Script: the dialog, modal.
    void mnuImage_Click();
    void mnuMarquee_Click();
    void mnuScript_Click();

    // Insert, Horizontal rule: the rule dialog, modal.
    void mnuH_Click();
    // Insert, Special character/tag/text: the dialog shown modeless above
    // the main window, or only activated when it is already shown.
    void mnuST_Click();

private:
    DialogHost &host_;
    DialogRegistry &dialogs_;
};
