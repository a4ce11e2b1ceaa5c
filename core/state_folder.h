#pragma once
// The program's per-user state folder: $XDG_STATE_HOME/velmora, or
// ~/.local/state/velmora when XDG_STATE_HOME is unset or not absolute. It
// holds what must outlive a run without being a setting: backups of files
// being saved in place and the text of a session that ended unsaved. The
// component keeps its backups there too (vatro/savefile.h).

#include <QString>

QString stateFolder();

// Creates the folder (and its parents) with mode 0700; false with errno set
// when it cannot be made, or is not a real folder of this user's that
// nobody else may enter.
bool makeStateFolder();
