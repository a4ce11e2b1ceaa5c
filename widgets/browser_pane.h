#pragma once
// The browser pane: shows the preview file rendered. The web engine behind
// it starts right after its window is first drawn, so that the window and
// the text come up first; until then the pane keeps what it is asked to show
// and shows it once the engine is up (a refresh of a page not shown yet
// needs nothing more). Neither navigate nor refresh waits for the page; the
// pane never takes the keyboard focus from the text pane when a page loads.
// A refresh keeps the page's scroll position.

#include "widgets/browser_engine.h"

#include <QElapsedTimer>
#include <QWidget>
#include <cstdint>

class QLabel;

class BrowserPane : public QWidget {
    Q_OBJECT
public:
    static constexpr std::int32_t kUnspecifiedFailure = static_cast<std::int32_t>(0x80004005);
    // How long a load counts as under way (see isBusy), in milliseconds.
    static constexpr int kBusyLimitMs = BrowserEngine::kBusyLimitMs;

    explicit BrowserPane(QWidget *parent = nullptr);

    // Loads `address` (a "file://" address of a local file) from the top.
    void navigate(const QString &address);
    // Reloads the page shown; 0, or kUnspecifiedFailure when there is no page.
    std::int32_t refresh();

    // A navigation or reload asked for here has not finished loading yet.
    // A load that takes longer than two seconds no longer counts, so a page
    // that never finishes cannot hold the preview back for good.
    bool isBusy() const;

    // The pages navigate() shows from now on have their relative addresses
    // resolved in `folder`, whose files their scripts may read; empty: in
    // the page file's own folder, and none.
    void setBaseFolder(const QString &folder) { baseFolder_ = folder; }
    // The local file the page shown (or to be shown) comes from.
    QString shownFile() const;
    // The encoding of pages that do not name their own ("UTF-8", "ISO-8859-1").
    void setTextEncoding(const QString &encoding);

    // Starts the engine now, if it has not started; false, with the reason
    // shown in the pane, when it cannot be started.
    bool startEngine();
    // The engine's view (a QWebEngineView), or nullptr before it started.
    QWidget *engineView() const;

    // Outlines the element at `path` in the page (BrowserEngine::outline);
    // nothing before the engine is up.
    void outline(const QVariant &path, bool scroll);

signals:
    void loadFinished(bool ok);
    // The engine is up and shows (or loads) what it was asked to.
    void engineStarted();
    // Ctrl+click or "Go to Source" on the page: what was under the pointer,
    // "path" and on text "text" and "offset" (see source_pointer.h).
    void sourceWanted(const QVariantMap &where);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window has been drawn: the engine starts as soon as that is on
    // the screen.
    void startSoon();
    void startWhenDrawn();

    BrowserEngine *engine_ = nullptr; // owned through its view, a child
    QString pending_;                 // shown once the engine is up
    QString pendingBase_;
    QString baseFolder_;
    QString encoding_ = QStringLiteral("UTF-8");
    bool startAsked_ = false;
    QElapsedTimer asked_; // since the start was asked for
    QLabel *failure_ = nullptr;
};
