#include "editor/check_command.h"

#include "core/page_check.h"
#include "widgets/check_panel.h"
#include "widgets/html_pane.h"
#include "widgets/pane_tools.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

CheckCommand::CheckCommand(HTMLPane &pane, CheckPanel &panel, QMenu &mnuHTML)
    : QObject(&panel), pane_(pane), panel_(panel)
{
    mnuHTML.addSeparator();
    mnuCheck = mnuHTML.addAction(QStringLiteral("Chec&k page"));
    mnuCheck->setShortcut(Qt::CTRL | Qt::Key_K);
    mnuCheck->setShortcutContext(Qt::WindowShortcut);
    reserveForWindow(pane_, {mnuCheck->shortcut()});
    connect(mnuCheck, &QAction::triggered, this, &CheckCommand::mnuCheck_Click);
    connect(&panel_, &CheckPanel::messageActivated, this, [this](int line, int column) {
        moveCaretTo(pane_, line, column);
        pane_.setFocus();
    });
}

void CheckCommand::mnuCheck_Click()
{
    panel_.setMessages(checkPage(pane_.wholeText()));
    panel_.show();
    panel_.list()->setFocus();
}
