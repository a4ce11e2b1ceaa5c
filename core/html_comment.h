#pragma once
// Comment toggling: a piece of markup (a selection, or a line without its
// line end) made into a comment, or a comment made back into markup. The
// white space around it stays where it is.

#include <QString>

// `region` as one comment "<!-- ... -->"; or, when all it holds is
// comments, those comments opened. Comments inside a region that holds
// markup as well stay as they are and the markup around them is put in
// comments of its own, so that no comment ends inside another.
QString toggleComment(const QString &region);
