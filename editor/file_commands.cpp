#include "editor/file_commands.h"

#include "document_dialogs/new_dialog.h"
#include "editor/dialog_registry.h"
#include "editor/document.h"
#include "editor/main_menu.h"

#include <QWidget>

FileCommands::FileCommands(const MainMenu &menu, Document &document, DialogHost &host,
                           DialogRegistry &dialogs, QWidget &window)
    : QObject(&window), document_(document), host_(host), dialogs_(dialogs)
{
    serveItem(menu.mnuNew, this, &FileCommands::mnuNew_Click);
    serveItem(menu.mnuOpen, &document, &Document::open);
    serveItem(menu.mnuSave, &document, &Document::save);
    serveItem(menu.mnuSaveAs, &document, &Document::saveAs);
    serveItem(menu.mnuExit, &window, &QWidget::close);
}

void FileCommands::mnuNew_Click()
{
    document_.newDocument(dialogs_.once<frmNew>(host_));
}
