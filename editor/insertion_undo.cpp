#include "editor/insertion_undo.h"

#include "editor/main_menu.h"
#include "widgets/html_pane.h"

#include <QAction>

InsertionUndo::InsertionUndo(const MainMenu &menu, HTMLPane &pane, QObject *parent)
    : QObject(parent), pane_(pane), undoItem_(*menu.mnuUndo)
{
    // Enabled only while there is an insertion to take back.
    connect(&undoItem_, &QAction::triggered, this, &InsertionUndo::restore);
}

void InsertionUndo::insert(const QString &fragment, const QString &actionName,
                           const std::function<void()> &betweenReplaceAndUndo)
{
    Undotxt = pane_.wholeText();
    Undoloc = pane_.selStart();
    pane_.setSelText(fragment);
    if (betweenReplaceAndUndo)
        betweenReplaceAndUndo();
    Undo(actionName);
}

void InsertionUndo::Undo(const QString &Desc)
{
    undoItem_.setEnabled(true);
    undoItem_.setText(QStringLiteral("&Undo ") + Desc);
}

void InsertionUndo::restore()
{
    undoItem_.setEnabled(false);
    // The restored text takes the uniform format of the pane.
    pane_.setWholeText(Undotxt);
    pane_.setSelStart(qBound(0, int(Undoloc), pane_.textLength()));
    undoItem_.setText(QStringLiteral("&Undo"));
}

void InsertionUndo::withdraw()
{
    // Every keystroke comes here; only the first after an insertion changes
    // the menu item.
    if (!undoItem_.isEnabled())
        return;
    undoItem_.setEnabled(false);
    undoItem_.setText(QStringLiteral("&Undo"));
}
