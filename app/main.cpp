// Pagewisp: creates the application and the main window.

#include "widgets/platform.h"
#include "editor/startup.h"
#include "vatro/registry.h"

#include <QApplication>
#include <QFile>

int main(int argc, char *argv[])
{
    QStringList original;
    for (int i = 1; i < argc; ++i)
        original << QFile::decodeName(argv[i]);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    // The class registry installed beside the program, searched after the
    // user's and the machine's: a copy unpacked anywhere finds its component.
    vatro::addHostRegistry(QFile::encodeName(QCoreApplication::applicationDirPath()
                                             + QStringLiteral("/" VELMORA_HOST_REGISTRY))
                               .toStdString());
    QtPlatform platform;
    int exitCode = 0;
    const std::unique_ptr<frmHTML> window =
        startPagewisp(platform, fileArguments(original, app.arguments().mid(1)), &exitCode);
    if (!window)
        return exitCode;
    return app.exec();
}
