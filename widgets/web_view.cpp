#include "widgets/web_view.h"

#include "widgets/page_files.h"
#include "widgets/script_dialogs.h"
#include "widgets/source_pointer.h"
#include "widgets/startup_probe.h"

#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QMenu>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include <csignal>
#include <utility>

WebView::WebView(QWidget *parent)
    // The scheme must be known before the first profile is made.
    : QWebEngineView((pagefiles::registerScheme(), parent)),
      profile_(new QWebEngineProfile(this)),
      files_(new PageFiles(*profile_)),
      dialogs_(new ScriptDialogBar(this)),
      page_(new PreviewPage(profile_, *dialogs_, this)),
      pointer_(new SourcePointer(*this))
{
    QWebEngineSettings *s = profile_->settings();
    // A page that loads must not take the keyboard from the text pane.
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    // Every local file comes through PageFiles; a "file:" page, should one
    // ever show, reads nothing else.
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    // The preview file is written in the locale's encoding, UTF-8.
    s->setDefaultTextEncoding(QStringLiteral("utf-8"));
    page_->scripts().insert(pagefiles::localFetch());
    setPage(page_);
    // Focus only by a click, never by a load or by tabbing through the window.
    setFocusPolicy(Qt::ClickFocus);
    startup_probe::watchPage(this);

    connect(this, &QWebEngineView::loadFinished, this, [this](bool) {
        busySince_ = -1;
        if (!restorePending_)
            return;
        restorePending_ = false;
        if (restoreScroll_.isNull())
            return;
        page()->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);")
                                  .arg(restoreScroll_.x())
                                  .arg(restoreScroll_.y()));
    });
    connect(pointer_, &SourcePointer::pointed, this, &WebView::sourceWanted);
    connect(page_, &PreviewPage::stopWanted, this, &WebView::stopScripts, Qt::QueuedConnection);
    connect(dialogs_, &ScriptDialogBar::runScriptsWanted, this, &WebView::runScripts);
    connect(page_, &QWebEnginePage::renderProcessTerminated, this, [this] {
        if (std::exchange(killing_, false))
            page_->triggerAction(QWebEnginePage::Reload);
    });
}

// The page goes before the profile it belongs to.
WebView::~WebView()
{
    delete page_;
}

void WebView::started()
{
    busySince_ = QDateTime::currentMSecsSinceEpoch();
    // The editor's own load answers an open question of the page, and goes
    // ahead without asking whether to leave it.
    dialogs_->cancel();
    page_->leaveWithoutAsking();
}

bool WebView::isBusy() const
{
    return busySince_ >= 0 && QDateTime::currentMSecsSinceEpoch() - busySince_ < kBusyLimitMs;
}

void WebView::setTextEncoding(const QString &encoding)
{
    settings()->setDefaultTextEncoding(encoding);
}

void WebView::navigate(const QString &address, const QString &baseFolder)
{
    started();
    restorePending_ = false;
    const QString file = pagefiles::pathOf(QUrl(address));
    load(file.isEmpty() ? QUrl(address) : files_->show(file, baseFolder));
}

bool WebView::reloadPage()
{
    const QUrl current = url();
    if (current.isEmpty() || current.toString() == QLatin1String("about:blank"))
        return false;
    // When reloads follow each other faster than the page loads, the page is
    // not laid out yet: keep the place read before the first of them.
    if (!restorePending_) {
        restoreScroll_ = page()->scrollPosition();
        restorePending_ = true;
    }
    started();
    reload();
    return true;
}

void WebView::outline(const QVariant &path, bool scroll)
{
    pointer_->outline(path, scroll);
}

void WebView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    pointer_->addToMenu(*menu, event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

QString WebView::shownFile() const
{
    return files_->fileOf(url());
}

// A page that keeps opening dialogs: its scripts are switched off and its
// process, which may be running a script that never ends, is ended; the
// page then loads again without them.
void WebView::stopScripts()
{
    page_->setStopping(true);
    page_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    dialogs_->showStopped(true);
    const qint64 pid = page_->renderProcessPid();
    killing_ = pid > 0 && pid != QCoreApplication::applicationPid() && ::kill(pid_t(pid), SIGKILL) == 0;
    if (!killing_)
        page_->triggerAction(QWebEnginePage::Reload);
}

void WebView::runScripts()
{
    page_->setStopping(false);
    page_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    dialogs_->showStopped(false);
    page_->triggerAction(QWebEnginePage::Reload);
}

// The module's entry point, the one name it makes known.
extern "C" Q_DECL_EXPORT BrowserEngine *velmoraCreateBrowserEngine(QWidget *parent)
{
    return new WebView(parent);
}
