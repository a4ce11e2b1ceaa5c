#pragma once
// The File menu's described items: New (the new-page dialog), Open, Save,
// Save As through the document, and Exit, which closes the window (the exit
// sequence runs from its close).

#include <QObject>

class DialogHost;
class DialogRegistry;
class Document;
class QWidget;
struct MainMenu;

class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(const MainMenu &menu, Document &document, DialogHost &host,
                 DialogRegistry &dialogs, QWidget &window);

    // File, New: the unsaved-changes question, then the new-page dialog.
    void mnuNew_Click();

private:
    Document &document_;
    DialogHost &host_;
    DialogRegistry &dialogs_;
};
