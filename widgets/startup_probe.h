#pragma once
// Start-up milestones for the launch benchmark (bench/launch.py). When the
// environment names a file in VELMORA_STARTUP_TRACE, each milestone appends
// one line "<name> <milliseconds>" to it, counted from the moment given in
// VELMORA_STARTUP_T0 (nanoseconds on the monotonic clock, set by whoever
// starts the program). Without the variable nothing is watched or written.
//
// Milestones: "window" (the main window first paints), "text" (the text
// pane first paints), "pagestart" and "pageloaded" (the view's first load
// starts and ends), "dom" (the page's DOM holds the text named in
// VELMORA_STARTUP_MARKER, checked after each load of the view), and any
// name passed to mark().

#include <QString>

class QWebEngineView;
class QWidget;

namespace startup_probe {

bool enabled();
void mark(const char *name);
// Watches `window` and the text pane's `textViewport`.
void watch(QWidget *window, QWidget *textViewport);
// Watches the page of `view` (startup_probe_page.cpp).
void watchPage(QWebEngineView *view);

} // namespace startup_probe
