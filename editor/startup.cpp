#include "editor/startup.h"

#include "core/document_file.h"
#include "core/settings.h"
#include "editor/session_guard.h"
#include "core/native_path.h"
#include "editor/splash_window.h"
#include "vatro/registry.h"
#include "widgets/html_pane.h"
#include "widgets/later_icons.h"
#include "widgets/startup_probe.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <QWindow>
#include <QtGlobal>

#include <cstdio>
#include <unistd.h>

// The pictures compiled into this library (splash logo, program icon); a
// static library's resources are registered only when asked for.
static void initResources()
{
    Q_INIT_RESOURCE(velmora);
}

namespace {

// Runs `then` once, right after `window` has first been drawn.
class FirstFrame : public QObject {
public:
    FirstFrame(QWindow *window, std::function<void()> then)
        : QObject(window), then_(std::move(then))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            QTimer::singleShot(0, watched, then_);
            deleteLater();
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    std::function<void()> then_;
};

void afterFirstFrame(QWidget &window, std::function<void()> then)
{
    new FirstFrame(window.windowHandle(), std::move(then));
}

} // namespace

std::future<MadeComponent> makeComponentAhead(const QString &hostRegistry)
{
    vatro::addHostRegistry(nativePath(hostRegistry).toStdString());
    return std::async(std::launch::async, [] {
        QString error;
        std::unique_ptr<VatroControl> vatro = VatroControl::create(&error);
        return MadeComponent(std::move(vatro), error);
    });
}

std::unique_ptr<frmHTML> startPagewisp(Platform &platform, const QStringList &arguments,
                                       int *exitCode, std::future<MadeComponent> component)
{
    initResources();

    // Chromium's sandbox refuses to run for root, and the browser pane would
    // not start at all; root gets the pane without it.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    QString error;
    std::unique_ptr<VatroControl> vatro;
    if (component.valid())
        std::tie(vatro, error) = component.get();
    else
        vatro = VatroControl::create(&error);
    startup_probe::mark("component");
    if (!vatro) {
        std::fprintf(stderr, "Pagewisp: %s\n", qPrintable(error));
        platform.messageBox(nullptr, error, QStringLiteral("Pagewisp"), MsgIcon::Critical,
                            MsgButtons::OK);
        *exitCode = 1;
        return nullptr;
    }
    // A relative path names a file in the folder the program was started in.
    QString commandLine = arguments.join(QLatin1Char(' '));
    if (!commandLine.isEmpty() && QDir::isRelativePath(commandLine))
        commandLine = QDir::current().absoluteFilePath(commandLine);
    readExtensionIconsLater();
    // The window's parts and the load step read the settings in one go.
    std::optional<settings::ReadBatch> reads(std::in_place);
    auto window = std::make_unique<frmHTML>(platform, std::move(vatro), commandLine);
    startup_probe::mark("built");
    // From here on a termination signal or the end of the session runs the
    // exit sequence; the text a previous run could not save is offered once
    // the first document is made.
    auto *guard = new SessionGuard(*window);
    startup_probe::watch(window.get(), window->HTML()->viewport());
    window->Form_Load();
    reads.reset();
    startup_probe::mark("loaded");
    guard->offerRecovery();
    window->show();
    startup_probe::mark("shown");
    // The splash greets the start without holding it up: it comes right
    // after the window's first frame (the text is there to be read and
    // typed into at once), before the browser pane's engine loads; it
    // closes itself.
    afterFirstFrame(*window, [window = window.get()] {
        // The desktop's icon for the program, else the one it carries: a
        // look through the icon themes and a picture to draw, which can
        // wait for the text.
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.velmora.Pagewisp"),
                                                     QIcon(QStringLiteral(":/velmora/velmora.svg"))));
        (new frmSplash(window->Vatro()))->show();
    });
    *exitCode = 0;
    return window;
}
