#pragma once
// The Insert menu's commands: each item opens its dialog (one instance per
// run, created on first use) or runs its prompt. The main window creates one
// InsertCommands, which enables and connects the items it serves.

#include <QObject>

class frmHTML;

class InsertCommands : public QObject {
    Q_OBJECT
public:
    explicit InsertCommands(frmHTML &main);

private:
    frmHTML &main_;
};
