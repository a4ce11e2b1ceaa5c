#include "core/pane_layout.h"

#include <QtGlobal>

namespace {

// A floating-point position or size handed to a widget, which holds pixels.
int toPixels(float value)
{
    return qRound(value);
}

} // namespace

PaneGeometry layoutPanes(QSize client, const PaneArrangement &arrangement,
                         PaneGeometry current)
{
    QRect &b = current.browser;
    QRect &e = current.editor;
    const float halfW = float(client.width()) / 2.0f;
    const float halfH = float(client.height()) / 2.0f;
    const int W = client.width();
    const int H = client.height();

    // Each assignment moves one edge or size and keeps the others, as the
    // properties top, left, width and height do.
    auto setTop = [](QRect &r, int v) { r.moveTop(v); };
    auto setLeft = [](QRect &r, int v) { r.moveLeft(v); };
    auto setWidth = [](QRect &r, int v) { r.setWidth(v); };
    auto setHeight = [](QRect &r, int v) { r.setHeight(v); };

    if (arrangement[0]) { // browser top, editor bottom
        setTop(b, 0); setLeft(b, 0); setWidth(b, W); setHeight(b, toPixels(halfH));
        setLeft(e, 0); setTop(e, b.height()); setWidth(e, W); setHeight(e, toPixels(halfH));
    }
    if (arrangement[1]) { // editor top, browser bottom
        setTop(e, 0); setLeft(e, 0); setWidth(e, W); setHeight(e, toPixels(halfH));
        setLeft(b, 0); setTop(b, e.height()); setWidth(b, W); setHeight(b, toPixels(halfH));
    }
    if (arrangement[2]) { // browser left, editor right
        setTop(b, 0); setLeft(b, 0); setWidth(b, toPixels(halfW)); setHeight(b, H);
        setTop(e, 0); setLeft(e, b.width()); setWidth(e, toPixels(halfW)); setHeight(e, H);
    }
    if (arrangement[3]) { // editor left, browser right
        setTop(e, 0); setLeft(e, 0); setWidth(e, toPixels(halfW)); setHeight(e, H);
        setTop(b, 0); setLeft(b, e.width()); setWidth(b, toPixels(halfW)); setHeight(b, H);
    }
    return current;
}
