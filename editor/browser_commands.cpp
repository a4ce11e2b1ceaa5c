#include "editor/browser_commands.h"

#include "editor/dialog_registry.h"
#include "editor/main_menu.h"
#include "editor/preview.h"
#include "options_dialogs/locations_dialog.h"

BrowserCommands::BrowserCommands(const MainMenu &menu, Preview &preview, DialogHost &host,
                                 DialogRegistry &dialogs, QObject *parent)
    : QObject(parent), preview_(preview), host_(host), dialogs_(dialogs)
{
    // The check mark shows the state; the preview owns it.
    menu.mnuAU->setChecked(preview.autoUpdate());
    connect(&preview, &Preview::autoUpdateChanged, menu.mnuAU, &QAction::setChecked);
    serveItem(menu.mnuAU, &preview, &Preview::toggleAutoUpdate);
    serveItem(menu.mnuUpdate, &preview, &Preview::refreshOnRequest);
    serveItem(menu.mnuVIB, &preview, &Preview::viewInBrowser);
    // The locations: modal from the menu and the preview's failures, without
    // waiting after a browser that could not be started.
    serveItem(menu.mnuLoc, this, [this] { locationsDialog().showModal(); });
    connect(&preview, &Preview::locationsWanted, this, [this] { locationsDialog().showModal(); });
    connect(&preview, &Preview::launchFailed, this, [this] { locationsDialog().showModeless(); });
}

frmLoc &BrowserCommands::locationsDialog()
{
    return dialogs_.once<frmLoc>(host_, preview_);
}
