// The browser side of the start-up milestones: kept apart so that a program
// without a web engine can watch its window and text alone.

#include "widgets/startup_probe.h"

#include <QPointer>
#include <QWebEngineView>

namespace startup_probe {

void watchPage(QWebEngineView *view)
{
    if (!enabled())
        return;
    const QString marker = qEnvironmentVariable("VELMORA_STARTUP_MARKER");
    QObject::connect(view, &QWebEngineView::loadStarted, view, [] { mark("pagestart"); });
    QObject::connect(view, &QWebEngineView::loadFinished, view, [view = QPointer(view), marker] {
        mark("pageloaded");
        if (!view)
            return;
        view->page()->runJavaScript(
            QStringLiteral("document.documentElement.outerHTML.indexOf('%1') >= 0").arg(marker),
            [](const QVariant &found) {
                if (found.toBool())
                    mark("dom");
            });
    });
}

} // namespace startup_probe
