#pragma once
// The two panes of the main window share its client area half and half, in
// one of four arrangements. The geometry is a pure function so it can be
// checked for every size.

#include <QRect>
#include <QSize>
#include <array>

struct PaneGeometry {
    QRect browser;
    QRect editor;
    bool operator==(const PaneGeometry &o) const
    {
        return browser == o.browser && editor == o.editor;
    }
};

// Which of the four arrangements are set: 1 browser top, 2 browser bottom,
// 3 browser left, 4 browser right.
using PaneArrangement = std::array<bool, 4>;

// Applies every arrangement whose flag is set, in the order 1 to 4, to
// `current` and returns the result (so with no flag set nothing moves, and
// with several the highest-numbered decides). Each half is the client size
// divided by two as a single-precision number; a widget's geometry is whole
// pixels, so each value lands as Qt rounds it, and the second pane starts
// where the first one actually ends.
PaneGeometry layoutPanes(QSize client, const PaneArrangement &arrangement,
                         PaneGeometry current);
