#pragma once
// What the browser pane asks of the web engine behind it. The engine lives
// in the module libvelmora_web.so (widgets/web_view.*), which the pane loads
// once the window has been drawn; its view is a QWebEngineView with the
// usual loadFinished(bool) signal, and sourceWanted(QVariantMap) for a
// Ctrl+click or "Go to Source" on the page (see source_pointer.h).

#include <QString>
#include <QVariant>
#include <cstdint>

class QWidget;

class BrowserEngine {
public:
    virtual ~BrowserEngine() = default;
    // The widget that shows the page.
    virtual QWidget *view() = 0;
    // Shows the local file or address from the top, relative addresses
    // resolved in `baseFolder` (empty: the file's own folder).
    virtual void navigate(const QString &address, const QString &baseFolder) = 0;
    // Reloads the page shown, keeping its scroll position; false when no
    // page is shown.
    virtual bool reloadPage() = 0;
    // A load asked for here has not finished, for at most kBusyLimitMs.
    virtual bool isBusy() const = 0;
    virtual QString shownFile() const = 0;
    // The encoding of pages that do not name their own.
    virtual void setTextEncoding(const QString &encoding) = 0;
    // Outlines the element at `path` (child-element indices from the
    // document element), scrolled into view when `scroll` and out of view;
    // a null path takes the outline away.
    virtual void outline(const QVariant &path, bool scroll) = 0;

    static constexpr int kBusyLimitMs = 2000;
};

// The module's entry point: a new engine whose view is a child of `parent`.
using CreateBrowserEngine = BrowserEngine *(*)(QWidget *parent);
inline constexpr char kWebModule[] = "libvelmora_web.so";
inline constexpr char kCreateBrowserEngine[] = "velmoraCreateBrowserEngine";
