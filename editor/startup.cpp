#include "editor/startup.h"

#include <cstdio>

std::unique_ptr<frmHTML> startPagewisp(Platform &platform, const QStringList &arguments,
                                       int *exitCode)
{
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
    window->Form_Load();
    window->show();
    *exitCode = 0;
    return window;
}
