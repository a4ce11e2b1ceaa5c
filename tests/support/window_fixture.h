#pragma once
// A main window for tests: the scripted platform, the real Vatro control,
// a settings store seeded so that no first-run message appears (unless a
// test wants one), and the new-document dialog answered when it shows.

#include "editor/main_window.h"
#include "support/scripted_platform.h"

#include <QPointer>
#include <QStringList>
#include <functional>
#include <QTimer>
#include <memory>

struct WindowFixture {
    ScriptedPlatform platform;
    std::unique_ptr<frmHTML> window;

    // A complete store as a normal exit leaves it, plus `extra` "key=value"
    // entries that replace or add keys.
    static void seedSettings(const QStringList &extra = {});
    static void clearSettings();
    // The preview file of the test's temporary folder.
    static QString previewFile();

    // Creates the window and runs the load step; the new-document dialog, if
    // it shows, is answered OK. Shows the window unless `show` is false.
    void start(const QString &commandLine = QString(), bool seed = true, bool show = true);
    // Answers the new-document dialog once, the next time it shows.
    void answerNewDialog(bool ok);
    // Forgets an answer that was not used.
    void dropAnswer();
    // Closes the window through the exit sequence; true when it closed.
    bool close();
    ~WindowFixture();

    int newDialogShown = 0;

private:
    QPointer<QTimer> answer_;
};

// Waits until `predicate` holds (events processed meanwhile) or `ms` pass.
bool waitUntil(const std::function<bool()> &predicate, int ms = 10000);

// The whole content of a file, or an empty array.
QByteArray fileBytes(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
