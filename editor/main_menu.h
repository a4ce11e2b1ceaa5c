#pragma once
// The menu bar and the text pane's pop-up Edit menu (names as in the menu
// table of docs/ARCHITECTURE.md). The menus are made with their captions and
// shortcuts and every item disabled; each command object takes the menu in
// its constructor, then enables and connects the items it serves.

#include <QAction>

class QMainWindow;
class QMenu;

struct MainMenu {
    QMenu *mnuFile = nullptr, *mnuHid = nullptr, *mnuBrowser = nullptr, *mnuHTML = nullptr,
          *mnuInsert = nullptr, *mnuOptions = nullptr, *mnuPos = nullptr, *mnuHelp = nullptr;
    QAction *mnuNew = nullptr, *mnuOpen = nullptr, *mnuSave = nullptr, *mnuSaveAs = nullptr,
            *mnuExit = nullptr;
    QAction *mnuCut = nullptr, *mnuCopy = nullptr, *mnuPaste = nullptr, *mnuSelectAll = nullptr;
    QAction *mnuAU = nullptr, *mnuUpdate = nullptr, *mnuVIB = nullptr;
    QAction *mnuUndo = nullptr, *mnuFont = nullptr, *mnuColour = nullptr;
    QAction *mnuBookmark = nullptr, *mnuCell = nullptr, *mnuH = nullptr, *mnuHyperlink = nullptr,
            *mnuImage = nullptr, *mnuMarquee = nullptr, *mnuTable = nullptr, *mnuScript = nullptr,
            *mnuST = nullptr, *mnuHTMLcolour = nullptr, *mnuFN = nullptr, *mnuHTML2text = nullptr;
    QAction *mnuPos1 = nullptr, *mnuPos2 = nullptr, *mnuPos3 = nullptr, *mnuPos4 = nullptr,
            *mnuLoc = nullptr;
    QAction *mnuContents = nullptr, *mnuAbout = nullptr, *mnuSendFeedback = nullptr;
};

// Makes the menus of `window`: the menu bar's and the pop-up Edit menu.
MainMenu createMainMenu(QMainWindow &window);

// The one way a command serves an item: enabled, and its trigger connected
// to `command` (a member function of `receiver`, or a function object that
// lives as long as `receiver`).
template <class Receiver, class Command>
void serveItem(QAction *item, Receiver *receiver, Command command)
{
    item->setEnabled(true);
    QObject::connect(item, &QAction::triggered, receiver, command);
}
