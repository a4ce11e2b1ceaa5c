#include "editor/startup.h"

#include "editor/splash_window.h"

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
    // The splash greets the start without holding it up; it closes itself.
    (new frmSplash(*vatro))->show();
    auto window = std::make_unique<frmHTML>(platform, std::move(vatro),
                                            arguments.join(QLatin1Char(' ')));
    window->Form_Load();
    window->show();
    *exitCode = 0;
    return window;
}
