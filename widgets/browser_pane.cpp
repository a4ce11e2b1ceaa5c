#include "widgets/browser_pane.h"

#include <QDateTime>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>

BrowserPane::BrowserPane(QWidget *parent) : QWebEngineView(parent)
{
    QWebEngineSettings *s = settings();
    // A page that loads must not take the keyboard from the text pane.
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    // The preview file is written in the locale's encoding, UTF-8.
    s->setDefaultTextEncoding(QStringLiteral("utf-8"));
    // Focus only by a click, never by a load or by tabbing through the window.
    setFocusPolicy(Qt::ClickFocus);

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
}

void BrowserPane::started()
{
    busySince_ = QDateTime::currentMSecsSinceEpoch();
}

bool BrowserPane::isBusy() const
{
    return busySince_ >= 0 && QDateTime::currentMSecsSinceEpoch() - busySince_ < kBusyLimitMs;
}

void BrowserPane::navigate(const QString &address)
{
    started();
    restorePending_ = false;
    load(QUrl(address));
}

std::int32_t BrowserPane::refresh()
{
    const QUrl current = url();
    if (current.isEmpty() || current.toString() == QLatin1String("about:blank"))
        return kUnspecifiedFailure;
    // When reloads follow each other faster than the page loads, the page is
    // not laid out yet: keep the place read before the first of them.
    if (!restorePending_) {
        restoreScroll_ = page()->scrollPosition();
        restorePending_ = true;
    }
    started();
    reload();
    return 0;
}
