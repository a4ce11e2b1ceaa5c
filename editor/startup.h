#pragma once
// Starting the editor: the Vatro control first (without it the program
// cannot run), then the main window with its load step.

#include "editor/main_window.h"

#include <QStringList>
#include <memory>

// `arguments` are the program's arguments without the program name; they
// are joined by single spaces into the one command-line document path; a
// relative one is made absolute against the current folder.
// Returns the shown main window, or nullptr after telling the user what is
// missing; `exitCode` is then the program's exit code.
std::unique_ptr<frmHTML> startPagewisp(Platform &platform, const QStringList &arguments,
                                       int *exitCode);
