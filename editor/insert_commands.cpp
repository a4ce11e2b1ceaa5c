#include "editor/insert_commands.h"

#include "document_dialogs/cell_dialog.h"
#include "document_dialogs/table_dialog.h"
#include "editor/dialog_registry.h"
#include "editor/main_menu.h"
#include "widgets/dialog_host.h"
#include "media_dialogs/image_dialog.h"
#include "media_dialogs/marquee_dialog.h"
#include "media_dialogs/script_dialog.h"
#include "text_dialogs/rule_dialog.h"
#include "text_dialogs/tag_dialog.h"


InsertCommands::InsertCommands(const MainMenu &menu, DialogHost &host, DialogRegistry &dialogs,
                               QObject *parent)
    : QObject(parent), host_(host), dialogs_(dialogs)
{
    serveItem(menu.mnuTable, this, &InsertCommands::mnuTable_Click);
    serveItem(menu.mnuCell, this, &InsertCommands::mnuCell_Click);
    serveItem(menu.mnuImage, this, &InsertCommands::mnuImage_Click);
    serveItem(menu.mnuMarquee, this, &InsertCommands::mnuMarquee_Click);
    serveItem(menu.mnuScript, this, &InsertCommands::mnuScript_Click); // Ctrl+S: saving is F4
    serveItem(menu.mnuH, this, &InsertCommands::mnuH_Click);
    serveItem(menu.mnuST, this, &InsertCommands::mnuST_Click);
}

void InsertCommands::mnuTable_Click()
{
    dialogs_.once<frmT>(host_).exec();
}

void InsertCommands::mnuCell_Click()
{
    if (host_.selectionLength() == 0)
        host_.platform().messageBox(host_.hostWindow(), kCellAdvice,
                                    QStringLiteral("Cell Properties"), MsgIcon::Exclamation,
                                    MsgButtons::OK);
    dialogs_.once<frmC>(host_).exec();
}

void InsertCommands::mnuImage_Click()
{
    dialogs_.once<frmI>(host_).exec();
}

void InsertCommands::mnuMarquee_Click()
{
    dialogs_.once<frmM>(host_).exec();
}

void InsertCommands::mnuScript_Click()
{
    dialogs_.once<frmS>(host_).exec();
}

void InsertCommands::mnuH_Click()
{
    dialogs_.once<frmH>(host_).exec();
}

void InsertCommands::mnuST_Click()
{
    dialogs_.once<frmTag>(host_).showOrActivate();
}
