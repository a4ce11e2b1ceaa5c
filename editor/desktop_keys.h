#pragma once
// Options, Desktop Keys (off by default, kept as "DesktopKeys"): New, Open,
// Save and Save As answer Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+Shift+S, which
// their menu items then show (F2 to F5 still work). Insert, Script gives
// Ctrl+S up and takes Ctrl+J. Off, every key is as designed.

#include <QObject>

class HTMLPane;
class QAction;
struct MainMenu;

class DesktopKeys : public QObject {
    Q_OBJECT
public:
    DesktopKeys(const MainMenu &menu, HTMLPane &pane, QObject *parent);

    QAction *mnuDesktopKeys = nullptr;
    void setOn(bool on);

private:
    const MainMenu &menu_;
};
