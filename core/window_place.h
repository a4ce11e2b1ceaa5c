#pragma once
// Where the main window was when it closed: its frame's top left, its size
// and whether it was maximised, kept in the settings under keys of their own
// ("WindowLeft", "WindowTop", "WindowWidth", "WindowHeight",
// "WindowMaximised") and put back at the next start on a screen that can
// show it.

#include "core/settings.h"

#include <QList>
#include <QRect>
#include <optional>
#include <utility>
#include <vector>

struct WindowPlace {
    QRect frame; // top left of the frame, size of the window (unmaximised)
    bool maximised = false;
};

// The keys and their text, in the order they are written.
std::vector<std::pair<QString, QString>> windowPlaceValues(const WindowPlace &place);

// The place the settings hold, when every key is there and readable and the
// size is not empty.
std::optional<WindowPlace> readWindowPlace(const settings::Lookup &lookup);

// `frame` moved and shrunk as little as possible so that it lies on the
// available area of one of `screens`: the one it overlaps most, else (it is
// off every screen) the first, at that screen's top left.
QRect placeOnScreens(const QRect &frame, const QList<QRect> &screens);
