#pragma once
// The text pane's pop-up Edit menu: Cut, Copy, Paste and Select All on the
// system clipboard, shown on the pane's right button with its items enabled
// as the selection and the clipboard allow.

#include <QObject>

class HTMLPane;
class QPoint;
struct MainMenu;

class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(const MainMenu &menu, HTMLPane &pane, QObject *parent);

    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuSelectAll_Click();

private:
    void HTML_MouseDown(const QPoint &globalPos);

    const MainMenu &menu_;
    HTMLPane &pane_;
};
