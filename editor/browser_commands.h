#pragma once
// The Browser menu (Auto-update, Update, View in Browser) and Options,
// Locations: the preview does the work; the locations dialog also comes up
// when the preview cannot write its file or start the external browser.

#include <QObject>

class DialogHost;
class DialogRegistry;
class Preview;
class frmLoc;
struct MainMenu;

class BrowserCommands : public QObject {
    Q_OBJECT
public:
    BrowserCommands(const MainMenu &menu, Preview &preview, DialogHost &host,
                    DialogRegistry &dialogs, QObject *parent);

    // The locations dialog, made on first use.
    frmLoc &locationsDialog();

private:
    Preview &preview_;
    DialogHost &host_;
    DialogRegistry &dialogs_;
};
