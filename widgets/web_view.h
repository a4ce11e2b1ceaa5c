#pragma once
// The web engine behind the browser pane (BrowserPane loads it from the
// module libvelmora_web.so): a QWebEngineView with a profile of its own,
// kept in memory only. What its pages may read of the disk is decided by
// PageFiles (page_files.h); their script dialogs show in a strip over the
// page (script_dialogs.h).

#include "widgets/browser_engine.h"

#include <QWebEngineView>

class PageFiles;
class PreviewPage;
class QWebEngineProfile;
class ScriptDialogBar;
class SourcePointer;

class WebView : public QWebEngineView, public BrowserEngine {
    Q_OBJECT
public:
    explicit WebView(QWidget *parent);
    ~WebView() override;

    QWidget *view() override { return this; }
    void navigate(const QString &address, const QString &baseFolder) override;
    bool reloadPage() override;
    bool isBusy() const override;
    QString shownFile() const override;
    void setTextEncoding(const QString &encoding) override;
    void outline(const QVariant &path, bool scroll) override;

signals:
    void sourceWanted(const QVariantMap &where);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void started();
    void stopScripts();
    void runScripts();

    QWebEngineProfile *profile_;
    PageFiles *files_;
    ScriptDialogBar *dialogs_;
    PreviewPage *page_;
    SourcePointer *pointer_;
    qint64 busySince_ = -1;       // ms on the monotonic clock, -1 when idle
    QPointF restoreScroll_;       // the page's scroll position before a refresh
    bool restorePending_ = false; // a refresh waits for its load to finish
    bool killing_ = false;        // the page's process is being ended
};
