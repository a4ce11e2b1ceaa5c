#include "editor/startup.h"

#include "core/document_file.h"
#include "editor/session_guard.h"
#include "editor/splash_window.h"
#include "widgets/html_pane.h"
#include "widgets/startup_probe.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QtGlobal>

#include <cstdio>
#include <unistd.h>

// The pictures compiled into this library (splash logo, program icon); a
// static library's resources are registered only when asked for.
static void initResources()
{
    Q_INIT_RESOURCE(velmora);
}

std::unique_ptr<frmHTML> startPagewisp(Platform &platform, const QStringList &arguments,
                                       int *exitCode)
{
    initResources();
    // The desktop's icon for the program, else the one it carries.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.velmora.Pagewisp"),
                                                 QIcon(QStringLiteral(":/velmora/velmora.svg"))));

    // Chromium's sandbox refuses to run for root, and the browser pane would
    // not start at all; root gets the pane without it.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    QString error;
    std::unique_ptr<VatroControl> vatro = VatroControl::create(&error);
    startup_probe::mark("component");
    if (!vatro) {
        std::fprintf(stderr, "Pagewisp: %s\n", qPrintable(error));
        platform.messageBox(nullptr, error, QStringLiteral("Pagewisp"), MsgIcon::Critical,
                            MsgButtons::OK);
        *exitCode = 1;
        return nullptr;
    }
    // The splash greets the start without holding it up; it closes itself.
    (new frmSplash(*vatro))->show();
    // A relative path names a file in the folder the program was started in.
    QString commandLine = arguments.join(QLatin1Char(' '));
    if (!commandLine.isEmpty() && QDir::isRelativePath(commandLine))
        commandLine = QDir::current().absoluteFilePath(commandLine);
    auto window = std::make_unique<frmHTML>(platform, std::move(vatro), commandLine);
    startup_probe::mark("built");
    // From here on a termination signal or the end of the session runs the
    // exit sequence; the text a previous run could not save is offered once
    // the first document is made.
    auto *guard = new SessionGuard(*window);
    startup_probe::watch(window.get(), window->HTML()->viewport());
    window->Form_Load();
    startup_probe::mark("loaded");
    guard->offerRecovery();
    window->show();
    startup_probe::mark("shown");
    *exitCode = 0;
    return window;
}
