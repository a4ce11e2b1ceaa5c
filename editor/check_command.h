#pragma once
// HTML, Check page (Ctrl+K): the page goes through HTML Tidy and its
// warnings and errors fill the check panel under the text pane. Activating
// a message puts the caret where it points. The text is only read.

#include <QObject>

class CheckPanel;
class HTMLPane;
class QAction;
class QMenu;

class CheckCommand : public QObject {
    Q_OBJECT
public:
    CheckCommand(HTMLPane &pane, CheckPanel &panel, QMenu &mnuHTML);

    QAction *mnuCheck = nullptr;
    void mnuCheck_Click();

private:
    HTMLPane &pane_;
    CheckPanel &panel_;
};
