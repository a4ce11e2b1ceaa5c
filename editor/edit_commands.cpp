#include "editor/edit_commands.h"

#include "editor/main_menu.h"
#include "widgets/html_pane.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

EditCommands::EditCommands(const MainMenu &menu, HTMLPane &pane, QObject *parent)
    : QObject(parent), menu_(menu), pane_(pane)
{
    serveItem(menu.mnuCut, this, &EditCommands::mnuCut_Click);
    serveItem(menu.mnuCopy, this, &EditCommands::mnuCopy_Click);
    serveItem(menu.mnuPaste, this, &EditCommands::mnuPaste_Click);
    serveItem(menu.mnuSelectAll, this, &EditCommands::mnuSelectAll_Click);
    connect(&pane, &HTMLPane::rightButtonPressed, this, &EditCommands::HTML_MouseDown);
}

void EditCommands::HTML_MouseDown(const QPoint &globalPos)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    menu_.mnuPaste->setEnabled(data && data->hasText());
    const bool selection = pane_.selLength() != 0;
    menu_.mnuCopy->setEnabled(selection);
    menu_.mnuCut->setEnabled(selection);
    menu_.mnuSelectAll->setEnabled(pane_.selLength() != pane_.textLength());
    menu_.mnuHid->popup(globalPos);
}

void EditCommands::mnuCut_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(pane_.selText());
    pane_.setSelText(QString());
}

void EditCommands::mnuCopy_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(pane_.selText());
}

void EditCommands::mnuPaste_Click()
{
    pane_.setSelText(QGuiApplication::clipboard()->text());
}

void EditCommands::mnuSelectAll_Click()
{
    pane_.setSelStart(0);
    pane_.setSelLength(pane_.textLength());
}
