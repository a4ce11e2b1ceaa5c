#include "widgets/help_window.h"

#include "widgets/private_module.h"

#include <QCoreApplication>
#include <QFileInfo>

HelpWindow *HelpWindow::create(const QString &helpFile, QString *error)
{
    const auto create =
        reinterpret_cast<CreateHelpWindow>(privateModuleEntry(kHelpModule, kCreateHelpWindow, error));
    return create ? create(helpFile) : nullptr;
}

QString defaultHelpFile()
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString candidates[] = {dir + QStringLiteral("/../help/velmora.qch"),
                                  dir + QStringLiteral("/../share/velmora/velmora.qch")};
    for (const QString &c : candidates)
        if (QFileInfo(c).isFile())
            return QFileInfo(c).canonicalFilePath();
    return QFileInfo(candidates[1]).absoluteFilePath();
}
