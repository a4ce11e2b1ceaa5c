#pragma once
// A main window for tests: the scripted platform, the real Vatro control,
// a settings store seeded so that no first-run message appears (unless a
// test wants one), and the new-document dialog answered when it shows.

#include "editor/document.h"
#include "editor/insertion_undo.h"
#include "editor/main_window.h"
#include "editor/preview.h"
#include "widgets/browser_pane.h"
#include "widgets/html_pane.h"
#include "document_dialogs/new_dialog.h"
#include "support/modal_watch.h"
#include "support/scripted_platform.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

class QWebEngineView;

struct WindowFixture {
    ScriptedPlatform platform;
    std::unique_ptr<frmHTML> window;
    int newDialogShown = 0;

    // A complete store as a normal exit leaves it, plus `extra` "key=value"
    // entries that replace or add keys.
    static void seedSettings(const QStringList &extra = {});
    // The preview file of the test's temporary folder.
    static QString previewFile() { return qEnvironmentVariable("TEMP") + "/KV731504.htm"; }

    // Creates the window, runs the load step (the new-document dialog, if it
    // shows, is answered OK), shows it and waits for the browser pane's
    // engine to start (`waitForEngine` false: returns at once after show()).
    // `seed` false keeps the store as is.
    frmHTML &start(const QString &commandLine = QString(), bool seed = true, bool waitForEngine = true);
    // Answers the new-document dialog once, the next time it shows;
    // dropAnswer() forgets an answer that was not used.
    void answerNewDialog(bool ok);
    void dropAnswer();
    ~WindowFixture();

private:
    std::unique_ptr<ModalWatch<frmNew>> answer_;
};

// Makes `window` the active window: offscreen, a hidden dialog keeps the
// activation that a window manager would hand back to its owner.
inline void activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

// Waits until `predicate` holds (events processed meanwhile) or `ms` pass.
inline bool waitUntil(const std::function<bool()> &predicate, int ms = 10000)
{
    return QTest::qWaitFor(predicate, ms);
}

// Waits until `script` gives `expected` in the page `pane` shows. One
// question to the page at a time: a pile of them holds up its reload.
// The web engine's view behind `pane`, started if it had not.
QWebEngineView *webView(BrowserPane &pane);
bool pageShows(BrowserPane &pane, const QString &script, const QVariant &expected, int ms = 20000);

// The whole content of a file, or an empty array.
QByteArray fileBytes(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
