#include "insert/insertion.h"

#include "editor/main_window.h"

void insertFragment(frmHTML &main, const QString &fragment, const QString &actionName,
                    const std::function<void()> &betweenReplaceAndUndo)
{
    main.Undotxt = main.HTML->wholeText();
    main.Undoloc = main.HTML->selStart();
    main.HTML->setSelText(fragment);
    if (betweenReplaceAndUndo)
        betweenReplaceAndUndo();
    main.Undo(actionName);
}
