#pragma once
// Starting the editor: the Vatro control first (without it the program
// cannot run), then the main window with its load step.

#include "editor/main_window.h"

#include <QString>
#include <QStringList>
#include <future>
#include <memory>
#include <utility>

// The Vatro control, or why it could not be made.
using MadeComponent = std::pair<std::unique_ptr<VatroControl>, QString>;

// Starts making the Vatro control on a thread of its own (it needs no Qt
// object), so that it is ready when the window is made. The class registry
// installed beside the program is searched after the user's and the
// machine's; the folder is the program's own, known before the application
// object exists.
std::future<MadeComponent> makeComponentAhead(const QString &hostRegistry);

// `arguments` are the program's arguments without the program name; they
// are joined by single spaces into the one command-line document path; a
// relative one is made absolute against the current folder. `component`,
// when valid, is the control made ahead; otherwise it is made now.
// Returns the shown main window, or nullptr after telling the user what is
// missing; `exitCode` is then the program's exit code.
std::unique_ptr<frmHTML> startPagewisp(Platform &platform, const QStringList &arguments,
                                       int *exitCode,
                                       std::future<MadeComponent> component = {});
