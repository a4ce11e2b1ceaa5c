#pragma once
// The parts of the program kept out of its start: the browser pane's web
// engine and the help window live in shared libraries of the program's
// private folder, loaded when they are first needed, so the window and the
// text come up without them.

#include <QString>

// The entry point `symbol` of the module `library` ("libvelmora_web.so")
// of the private folder, loading it if need be; nullptr, with `error` set,
// when the module or the entry point cannot be found.
void *privateModuleEntry(const char *library, const char *symbol, QString *error);
