// Pagewisp: creates the application and the main window.

#include "core/native_path.h"
#include "widgets/platform.h"
#include "editor/startup.h"
#include "vatro/registry.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // Before anything writes a file (the toolkit's and the browser's caches
    // come first): a file-size limit makes a write fail with EFBIG, reported
    // like any other failure of a save or of the preview, instead of ending
    // the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // File names are taken as the bytes they are, UTF-8 or not.
    QStringList original;
    for (int i = 1; i < argc; ++i)
        original << pathFromNative(argv[i]);
    QApplication app(argc, argv);
    // What Qt left of them (it takes out its own options), as bytes too.
    QStringList left;
    for (int i = 1; i < argc; ++i)
        left << pathFromNative(argv[i]);
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    // The class registry installed beside the program, searched after the
    // user's and the machine's: a copy unpacked anywhere finds its component.
    vatro::addHostRegistry(nativePath(QCoreApplication::applicationDirPath()
                                             + QStringLiteral("/" VELMORA_HOST_REGISTRY))
                               .toStdString());
    QtPlatform platform;
    int exitCode = 0;
    const std::unique_ptr<frmHTML> window =
        startPagewisp(platform, fileArguments(original, left), &exitCode);
    if (!window)
        return exitCode;
    return app.exec();
}
