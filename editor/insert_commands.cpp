#include "editor/insert_commands.h"

#include "document_dialogs/cell_dialog.h"
#include "document_dialogs/table_dialog.h"
#include "editor/dialog_registry.h"
#include "editor/main_window.h"
#include "media_dialogs/image_dialog.h"
#include "media_dialogs/marquee_dialog.h"
#include "media_dialogs/script_dialog.h"
#include "text_dialogs/rule_dialog.h"
#include "text_dialogs/tag_dialog.h"

#include <QAction>

InsertCommands::InsertCommands(DialogHost &host, DialogRegistry &dialogs, const MainMenu &menu,
                               QObject *parent)
    : QObject(parent), host_(host), dialogs_(dialogs)
{
    auto serve = [this](QAction *item, void (InsertCommands::*command)()) {
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, command);
    };
    serve(menu.mnuTable, &InsertCommands::mnuTable_Click);
    serve(menu.mnuCell, &InsertCommands::mnuCell_Click);
    serve(menu.mnuImage, &InsertCommands::mnuImage_Click);
    serve(menu.mnuMarquee, &InsertCommands::mnuMarquee_Click);
    serve(menu.mnuScript, &InsertCommands::mnuScript_Click); // Ctrl+S: saving is F4
    serve(menu.mnuH, &InsertCommands::mnuH_Click);
    serve(menu.mnuST, &InsertCommands::mnuST_Click);
}

frmT &InsertCommands::tableDialog()
{
    return dialogs_.once<frmT>(host_);
}

frmC &InsertCommands::cellDialog()
{
    return dialogs_.once<frmC>(host_);
}

frmI &InsertCommands::imageDialog()
{
    return dialogs_.once<frmI>(host_);
}

frmM &InsertCommands::marqueeDialog()
{
    return dialogs_.once<frmM>(host_);
}

frmS &InsertCommands::scriptDialog()
{
    return dialogs_.once<frmS>(host_);
}

frmH &InsertCommands::ruleDialog()
{
    return dialogs_.once<frmH>(host_);
}

frmTag &InsertCommands::tagDialog()
{
    return dialogs_.once<frmTag>(host_);
}

void InsertCommands::mnuTable_Click()
{
    tableDialog().exec();
}

void InsertCommands::mnuCell_Click()
{
    if (host_.selectionLength() == 0)
        host_.platform().messageBox(host_.hostWindow(), kCellAdvice,
                                    QStringLiteral("Cell Properties"), MsgIcon::Exclamation,
                                    MsgButtons::OK);
    cellDialog().exec();
}

void InsertCommands::mnuImage_Click()
{
    imageDialog().exec();
}

void InsertCommands::mnuMarquee_Click()
{
    marqueeDialog().exec();
}

void InsertCommands::mnuScript_Click()
{
    scriptDialog().exec();
}

void InsertCommands::mnuH_Click()
{
    ruleDialog().exec();
}

void InsertCommands::mnuST_Click()
{
    tagDialog().showOrActivate();
}
