#include "insert/insert_commands.h"

#include "document_dialogs/cell_dialog.h"
#include "document_dialogs/table_dialog.h"
#include "editor/main_window.h"

#include <QAction>

InsertCommands::InsertCommands(frmHTML &main) : QObject(&main), main_(main)
{
    main_.mnuTable->setEnabled(true);
    connect(main_.mnuTable, &QAction::triggered, this, &InsertCommands::mnuTable_Click);
    main_.mnuCell->setEnabled(true);
    connect(main_.mnuCell, &QAction::triggered, this, &InsertCommands::mnuCell_Click);
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
