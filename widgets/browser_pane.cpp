#include "widgets/browser_pane.h"

#include "widgets/composition.h"
#include "widgets/private_module.h"
#include "widgets/startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QOpenGLContext>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QWindow>

// Qt's own hook (exported by Qt GUI) for the context that every OpenGL
// context of the program shares with, which the web engine needs before it
// loads.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// The web engine composites its pages through OpenGL contexts that share
// with one global context. A program that links the engine has it made
// before its first window (Qt::AA_ShareOpenGLContexts), at the cost of an
// OpenGL set-up before anything is drawn; the engine loaded afterwards gets
// it here, just before it loads.
void makeGlobalShareContext()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto *context = new QOpenGLContext(QGuiApplication::instance());
    if (context->create())
        qt_gl_set_global_share_context(context);
    else
        delete context; // the engine draws without one
}

} // namespace

BrowserPane::BrowserPane(QWidget *parent) : QWidget(parent)
{
    // Focus only by a click, never by a load or by tabbing through the window.
    setFocusPolicy(Qt::ClickFocus);
}

void BrowserPane::paintEvent(QPaintEvent *)
{
    // A blank page until the engine's view covers the pane.
    QPainter(this).fillRect(rect(), Qt::white);
    startSoon();
}

void BrowserPane::showEvent(QShowEvent *)
{
    // A window is drawn as it is first exposed (the pane itself may have no
    // room in it to be drawn).
    if (QWindow *w = window()->windowHandle(); w && !startAsked_)
        w->installEventFilter(this);
}

bool BrowserPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
        watched->removeEventFilter(this);
        if (startAsked_)
            QTimer::singleShot(0, this, &BrowserPane::startWhenDrawn);
        else
            startSoon();
    }
    return QWidget::eventFilter(watched, event);
}

void BrowserPane::startSoon()
{
    if (std::exchange(startAsked_, true))
        return;
    asked_.start();
    // After the paint under way, the window's first, has reached the screen.
    QTimer::singleShot(0, this, &BrowserPane::startWhenDrawn);
}

// Loading the engine holds the program up for a moment: a window shown
// just now (the splash) is drawn first, unless the system does not draw it
// within a moment.
void BrowserPane::startWhenDrawn()
{
    if (engine_ || failure_)
        return;
    constexpr qint64 kLongestWait = 300;
    if (asked_.elapsed() < kLongestWait) {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            QWindow *w = top->windowHandle();
            if (top->isVisible() && w && !w->isExposed() && !top->isMinimized()) {
                w->installEventFilter(this);
                QTimer::singleShot(kLongestWait, this, &BrowserPane::startWhenDrawn);
                return;
            }
        }
    }
    startEngine();
}

void BrowserPane::resizeEvent(QResizeEvent *)
{
    if (engine_)
        engine_->view()->setGeometry(rect());
    if (failure_)
        failure_->setGeometry(rect());
}

bool BrowserPane::startEngine()
{
    startAsked_ = true;
    if (engine_)
        return true;
    if (failure_)
        return false;
    if (composeInSoftware(currentGraphicsFacts())) {
        // Read by Qt Quick and by the web engine when they start. The
        // engine, started after the application, looks for shared OpenGL
        // contexts (and warns without them): there is no OpenGL to share.
        qputenv("QT_QUICK_BACKEND", "software");
        quietSoftwareCompositionNotices();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    } else {
        makeGlobalShareContext();
    }
    QString error;
    const auto create = reinterpret_cast<CreateBrowserEngine>(
        privateModuleEntry(kWebModule, kCreateBrowserEngine, &error));
    engine_ = create ? create(this) : nullptr;
    if (!engine_) {
        failure_ = new QLabel(QStringLiteral("The preview cannot be shown: its web engine could "
                                             "not be started.\n")
                                  + error,
                              this);
        failure_->setTextFormat(Qt::PlainText);
        failure_->setWordWrap(true);
        failure_->setAlignment(Qt::AlignCenter);
        failure_->setGeometry(rect());
        failure_->show();
        return false;
    }
    startup_probe::mark("engine");
    QWidget *view = engine_->view();
    connect(view, SIGNAL(loadFinished(bool)), this, SIGNAL(loadFinished(bool)));
    connect(view, SIGNAL(sourceWanted(QVariantMap)), this, SIGNAL(sourceWanted(QVariantMap)));
    view->setGeometry(rect());
    view->setFocusPolicy(Qt::ClickFocus);
    // The page starts loading while the view takes its place in the window.
    engine_->setTextEncoding(encoding_);
    if (!pending_.isEmpty())
        engine_->navigate(std::exchange(pending_, QString()), pendingBase_);
    view->show();
    emit engineStarted();
    return true;
}

QWidget *BrowserPane::engineView() const
{
    return engine_ ? engine_->view() : nullptr;
}

void BrowserPane::outline(const QVariant &path, bool scroll)
{
    if (engine_)
        engine_->outline(path, scroll);
}

void BrowserPane::navigate(const QString &address)
{
    if (engine_)
        return engine_->navigate(address, baseFolder_);
    pending_ = address;
    pendingBase_ = baseFolder_;
}

std::int32_t BrowserPane::refresh()
{
    if (engine_)
        return engine_->reloadPage() ? 0 : kUnspecifiedFailure;
    // The page to come is read when the engine is up: nothing is lost.
    return pending_.isEmpty() ? kUnspecifiedFailure : 0;
}

bool BrowserPane::isBusy() const
{
    return engine_ && engine_->isBusy();
}

QString BrowserPane::shownFile() const
{
    return engine_ ? engine_->shownFile() : QUrl(pending_).toLocalFile();
}

void BrowserPane::setTextEncoding(const QString &encoding)
{
    encoding_ = encoding;
    if (engine_)
        engine_->setTextEncoding(encoding);
}
