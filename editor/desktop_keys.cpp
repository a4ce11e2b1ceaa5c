#include "editor/desktop_keys.h"

#include "editor/kept_option.h"
#include "editor/main_menu.h"
#include "widgets/pane_tools.h"

#include <QAction>
#include <QMenu>

namespace {

struct Key {
    QAction *MainMenu::*item;
    QKeySequence designed;
    QKeySequence desktop;
};

const Key kKeys[] = {
    {&MainMenu::mnuNew, Qt::Key_F2, Qt::CTRL | Qt::Key_N},
    {&MainMenu::mnuOpen, Qt::Key_F3, Qt::CTRL | Qt::Key_O},
    {&MainMenu::mnuSave, Qt::Key_F4, Qt::CTRL | Qt::Key_S},
    {&MainMenu::mnuSaveAs, Qt::Key_F5, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    {&MainMenu::mnuScript, Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_J},
};

} // namespace

DesktopKeys::DesktopKeys(const MainMenu &menu, HTMLPane &pane, QObject *parent)
    : QObject(parent), menu_(menu)
{
    QList<QKeySequence> desktop;
    for (const Key &k : kKeys)
        desktop << k.desktop;
    reserveForWindow(pane, desktop);
    mnuDesktopKeys = addKeptOption(*menu.mnuOptions, QStringLiteral("&Desktop Keys"),
                                   QStringLiteral("DesktopKeys"), [this](bool on) { setOn(on); });
}

void DesktopKeys::setOn(bool on)
{
    for (const Key &k : kKeys) {
        QAction *item = menu_.*k.item;
        // The menu shows the first key. Script keeps no second key: Ctrl+S
        // is Save's while this is on.
        if (!on)
            item->setShortcut(k.designed);
        else if (k.item == &MainMenu::mnuScript)
            item->setShortcut(k.desktop);
        else
            item->setShortcuts({k.desktop, k.designed});
    }
}
