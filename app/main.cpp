// Pagewisp: creates the application and the main window.

#include "widgets/platform.h"
#include "editor/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPlatform platform;
    int exitCode = 0;
    const std::unique_ptr<frmHTML> window =
        startPagewisp(platform, app.arguments().mid(1), &exitCode);
    if (!window)
        return exitCode;
    return app.exec();
}
