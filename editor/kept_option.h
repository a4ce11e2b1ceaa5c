#pragma once
// A check mark in a menu for an option beside the design: kept in the
// settings under its own key, off when the key is missing, and written as
// soon as it changes (the exit sequence writes the design's keys only).

#include <QString>
#include <functional>

class QAction;
class QMenu;

// Adds the item; `apply` runs at once with the stored state and again at
// every change of the check mark.
QAction *addKeptOption(QMenu &menu, const QString &caption, const QString &key,
                       const std::function<void(bool)> &apply);
