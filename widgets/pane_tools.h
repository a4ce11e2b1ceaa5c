#pragma once
// Small services around the text pane that the editor's commands share:
// keys the window's shortcuts take from it, and places by line and column.

#include <QKeySequence>
#include <QList>

class HTMLPane;
class QWidget;

// The window's shortcuts `keys` win over the text pane's own bindings, as
// the menu keys do.
void reserveForWindow(HTMLPane &pane, const QList<QKeySequence> &keys);

// Number of lines of the text (an empty text has one).
int lineCount(const HTMLPane &pane);
// The caret's line, from 1.
int caretLine(const HTMLPane &pane);
// Puts the caret at `line` (from 1, kept within the text) and character
// `column` of that line (from 1; a surrogate pair is one character; past the
// end of the line: its end), nothing selected, and shows it.
void moveCaretTo(HTMLPane &pane, int line, int column);
