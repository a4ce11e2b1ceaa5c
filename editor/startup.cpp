#include "editor/startup.h"

#include "editor/session_guard.h"

#include <QtGlobal>

#include <cstdio>
#include <unistd.h>

std::unique_ptr<frmHTML> startPagewisp(Platform &platform, const QStringList &arguments,
                                       int *exitCode)
{
    // Chromium's sandbox refuses to run for root, and the browser pane would
    // not start at all; root gets the pane without it.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    QString error;
    std::unique_ptr<VatroControl> vatro = VatroControl::create(&error);
    if (!vatro) {
        std::fprintf(stderr, "Pagewisp: %s\n", qPrintable(error));
        platform.messageBox(nullptr, error, QStringLiteral("Pagewisp"), MsgIcon::Critical,
                            MsgButtons::OK);
        *exitCode = 1;
        return nullptr;
    }
    auto window = std::make_unique<frmHTML>(platform, std::move(vatro),
                                            arguments.join(QLatin1Char(' ')));
    // From here on a termination signal or the end of the session runs the
    // exit sequence; the text a previous run could not save is offered once
    // the first document is made.
    auto *guard = new SessionGuard(*window);
    window->Form_Load();
    guard->offerRecovery();
    window->show();
    *exitCode = 0;
    return window;
}
