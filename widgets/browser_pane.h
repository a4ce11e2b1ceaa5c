#pragma once
// The browser pane: shows the preview file rendered. Neither navigate nor
// refresh waits for the page; the pane never takes the keyboard focus from
// the text pane when a page loads. A refresh keeps the page's scroll position.

#include <QWebEngineView>
#include <cstdint>

class BrowserPane : public QWebEngineView {
    Q_OBJECT
public:
    static constexpr std::int32_t kUnspecifiedFailure = static_cast<std::int32_t>(0x80004005);
    // How long a load counts as under way (see isBusy), in milliseconds.
    static constexpr int kBusyLimitMs = 2000;

    explicit BrowserPane(QWidget *parent = nullptr);

    // Loads `address` (a "file://" address of a local file) from the top.
    void navigate(const QString &address);
    // Reloads the page shown; 0, or kUnspecifiedFailure when there is no page.
    std::int32_t refresh();

    // A navigation or reload asked for here has not finished loading yet.
    // A load that takes longer than two seconds no longer counts, so a page
    // that never finishes cannot hold the preview back for good.
    bool isBusy() const;

private:
    void started();

    qint64 busySince_ = -1;       // ms on the monotonic clock, -1 when idle
    QPointF restoreScroll_;       // the page's scroll position before a refresh
    bool restorePending_ = false; // a refresh waits for its load to finish
};
