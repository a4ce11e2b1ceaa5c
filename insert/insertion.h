#pragma once
// The insertion protocol, the one way generated HTML enters the document:
//   1. record the undo state: Undotxt = the whole text of HTML, Undoloc = its
//      selection start;
//   2. replace the selection of HTML with the fragment (the text pane's change
//      notification runs here: preview refresh, Undo disabled, changed flag);
//   3. call Undo with the action name, enabling "&Undo <name>".
// Nothing else writes the undo store.

#include <QString>
#include <functional>

class frmHTML;

// Runs steps 1 to 3. `betweenReplaceAndUndo`, when given, runs after step 2
// and before step 3: the image and marquee dialogs hide themselves there.
// Dialogs that hide before inserting (the horizontal rule) simply hide first;
// the table, cell and script dialogs hide after this returns.
void insertFragment(frmHTML &main, const QString &fragment, const QString &actionName,
                    const std::function<void()> &betweenReplaceAndUndo = {});
