#include "editor/comforts.h"

#include "editor/check_command.h"
#include "editor/desktop_keys.h"
#include "editor/disk_watch.h"
#include "editor/document.h"
#include "editor/file_drop.h"
#include "editor/find_commands.h"
#include "editor/main_menu.h"
#include "editor/markup_commands.h"
#include "editor/recent_files.h"
#include "editor/spell_commands.h"
#include "editor/status_line.h"
#include "editor/tidy_command.h"
#include "editor/view_options.h"
#include "widgets/check_panel.h"
#include "widgets/find_bar.h"
#include "widgets/pane_footer.h"

#include <QMainWindow>

Comforts::Comforts(QWidget &window, HTMLPane &pane, PaneFooter &footer, Document &document,
                   Platform &platform, const MainMenu &menu)
    : QObject(&window),
      find_(new FindCommands(pane, footer, platform, *menu.mnuHTML, window)),
      check_(new CheckCommand(pane, footer, *menu.mnuHTML)),
      view_(new ViewOptions(pane, *menu.mnuOptions)),
      recent_(new RecentFiles(document, platform, *menu.mnuFile, menu.mnuExit, window)),
      drop_(new FileDrop(window, [&document](const QString &path) { document.openPath(path); })),
      diskWatch_(new DiskWatch(document, pane, platform, window)),
      markup_(new MarkupCommands(menu, pane, platform, window)),
      tidy_(new TidyCommand(menu, pane, platform, window)),
      status_(new StatusLine(menu, static_cast<QMainWindow &>(window), pane, document)),
      desktopKeys_(new DesktopKeys(menu, pane, &window)),
      spelling_(new SpellCommands(menu, pane, footer, platform, window))
{
}

FindBar &Comforts::findBar()
{
    return find_->bar();
}

CheckPanel &Comforts::checkPanel()
{
    return check_->panel();
}
