#pragma once
// HTML, Find... (Ctrl+F), Replace... (Ctrl+R) and Go to line... (Ctrl+L),
// with Find next (Ctrl+G) and Find previous (Ctrl+Shift+G) anywhere in
// the window. Find and Replace open the find bar under the text pane.

#include <QObject>

class FindBar;
class HTMLPane;
class PaneFooter;
class Platform;
class QAction;
class QMenu;
class QWidget;

class FindCommands : public QObject {
    Q_OBJECT
public:
    FindCommands(HTMLPane &pane, PaneFooter &footer, Platform &platform, QMenu &mnuHTML,
                 QWidget &window);

    // The find bar, in the footer; made when first wanted (most runs never
    // search, and the start does not wait for it).
    FindBar &bar();

    QAction *mnuFind = nullptr, *mnuReplace = nullptr, *mnuGoToLine = nullptr;
    QAction *findNext = nullptr, *findPrevious = nullptr;

    void mnuGoToLine_Click();

private:
    HTMLPane &pane_;
    PaneFooter &footer_;
    FindBar *bar_ = nullptr;
    Platform &platform_;
    QWidget &window_;
};
