// Pagewisp: creates the application and the main window.

#include "core/command_line.h"
#include "core/native_path.h"
#include "widgets/platform.h"
#include "widgets/startup_probe.h"
#include "editor/startup.h"
#include "vatro/registry.h"

#include <QApplication>
#include <QLoggingCategory>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Before anything writes a file (the toolkit's and the browser's caches
    // come first): a file-size limit makes a write fail with EFBIG, reported
    // like any other failure of a save or of the preview, instead of ending
    // the program.
    std::signal(SIGXFSZ, SIG_IGN);
    startup_probe::mark("main");
    // The web engine reports its set-up (graphics, the switches it gives
    // Chromium, a sandbox switched off) on standard error at every start,
    // Chromium adds its passing errors (a graphics context that needed a
    // second try), the pages their console messages: quiet unless asked
    // for. Rules in QT_LOGGING_RULES (or a logging configuration file)
    // speak over these, and QTWEBENGINE_CHROMIUM_FLAGS, when set, decides
    // Chromium's log alone.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false\n"
                                                    "default.info=false\n"
                                                    "js=false"));
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--log-level=3");
    // File names are taken as the bytes they are, UTF-8 or not.
    QStringList original;
    for (int i = 1; i < argc; ++i)
        original << pathFromNative(argv[i]);
    if (const std::optional<QString> text = informationRequest(original)) {
        std::fputs(text->toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    startup_probe::mark("application");
    // What Qt left of them (it takes out its own options), as bytes too.
    QStringList left;
    for (int i = 1; i < argc; ++i)
        left << pathFromNative(argv[i]);
    const CommandLine line = parseCommandLine(original, left);
    if (!line.unknown.isEmpty()) {
        std::fputs(usageError(line.unknown).toLocal8Bit().constData(), stderr);
        return 2;
    }
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    // The class registry installed beside the program, searched after the
    // user's and the machine's: a copy unpacked anywhere finds its component.
    vatro::addHostRegistry(nativePath(QCoreApplication::applicationDirPath()
                                             + QStringLiteral("/" VELMORA_HOST_REGISTRY))
                               .toStdString());
    QtPlatform platform;
    int exitCode = 0;
    const std::unique_ptr<frmHTML> window =
        startPagewisp(platform, line.files, &exitCode);
    if (!window)
        return exitCode;
    return app.exec();
}
