#pragma once
// The browser pane: shows the preview file rendered. Neither navigate nor
// refresh waits for the page; the pane never takes the keyboard focus from
// the text pane when a page loads. A refresh keeps the page's scroll position.
// The pane has a profile of its own, kept in memory only: what its pages may
// read of the disk is decided by PageFiles (page_files.h), their script
// dialogs show in a strip over the page (script_dialogs.h).

#include <QWebEngineView>
#include <cstdint>

class PageFiles;
class PreviewPage;
class QWebEngineProfile;
class ScriptDialogBar;

class BrowserPane : public QWebEngineView {
    Q_OBJECT
public:
    static constexpr std::int32_t kUnspecifiedFailure = static_cast<std::int32_t>(0x80004005);
    // How long a load counts as under way (see isBusy), in milliseconds.
    static constexpr int kBusyLimitMs = 2000;

    explicit BrowserPane(QWidget *parent = nullptr);
    ~BrowserPane() override;

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
    // The local file the page shown comes from.
    QString shownFile() const;

private:
    void started();
    void stopScripts();
    void runScripts();

    QWebEngineProfile *profile_;
    PageFiles *files_;
    ScriptDialogBar *dialogs_;
    PreviewPage *page_;
    QString baseFolder_;
    qint64 busySince_ = -1;       // ms on the monotonic clock, -1 when idle
    QPointF restoreScroll_;       // the page's scroll position before a refresh
    bool restorePending_ = false; // a refresh waits for its load to finish
    bool killing_ = false;        // the page's process is being ended
};
