#include "insert/insert_commands.h"

#include "document_dialogs/cell_dialog.h"
#include "document_dialogs/table_dialog.h"
#include "editor/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

namespace {

// The text pane binds some keys that belong to the menus (Scintilla's
// Ctrl+T transposes lines, Ctrl+Y redoes) and would take them before the
// menu sees them. Unbind every key a menu item of the menu bar uses.
void freeMenuKeys(const QList<QAction *> &actions, QsciCommandSet &commands)
{
    for (QAction *action : actions) {
        if (action->menu())
            freeMenuKeys(action->menu()->actions(), commands);
        for (const QKeySequence &shortcut : action->shortcuts()) {
            if (shortcut.isEmpty())
                continue;
            const int key = shortcut[0].toCombined();
            for (QsciCommand *command : commands.commands()) {
                if (command->key() == key)
                    command->setKey(0);
                if (command->alternateKey() == key)
                    command->setAlternateKey(0);
            }
        }
    }
}

} // namespace

InsertCommands::InsertCommands(frmHTML &main) : QObject(&main), main_(main)
{
    main_.mnuTable->setEnabled(true);
    connect(main_.mnuTable, &QAction::triggered, this, &InsertCommands::mnuTable_Click);
    main_.mnuCell->setEnabled(true);
    connect(main_.mnuCell, &QAction::triggered, this, &InsertCommands::mnuCell_Click);
    freeMenuKeys(main_.menuBar()->actions(), *main_.HTML->standardCommands());
}

frmT &InsertCommands::tableDialog()
{
    if (!frmT_) {
        frmT_ = new frmT(main_);
        main_.registerDialog(frmT_);
    }
    return *frmT_;
}

frmC &InsertCommands::cellDialog()
{
    if (!frmC_) {
        frmC_ = new frmC(main_);
        main_.registerDialog(frmC_);
    }
    return *frmC_;
}

void InsertCommands::mnuTable_Click()
{
    tableDialog().exec();
}

void InsertCommands::mnuCell_Click()
{
    if (main_.HTML->selLength() == 0)
        main_.platform().messageBox(&main_, kCellAdvice, QStringLiteral("Cell Properties"),
                                    MsgIcon::Exclamation, MsgButtons::OK);
    cellDialog().exec();
}
