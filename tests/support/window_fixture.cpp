#include "support/window_fixture.h"

#include <QWebEngineView>

#include "document_dialogs/new_dialog.h"
#include "core/settings.h"

void WindowFixture::seedSettings(const QStringList &extra)
{
    QFile::remove(settings::Store::fileName());
    std::vector<std::pair<QString, QString>> values = {
        {"Auto-update", "False"}, {"Pos1", "True"},  {"Pos2", "False"},
        {"Pos3", "False"},        {"Pos4", "False"}, {"TempDir", qEnvironmentVariable("TEMP")}};
    for (const QString &kv : extra)
        values.emplace_back(kv.section('=', 0, 0), kv.section('=', 1));
    settings::Store().set(values);
}

frmHTML &WindowFixture::start(const QString &commandLine, bool seed, bool waitForEngine)
{
    if (seed)
        seedSettings();
    QFile::remove(previewFile());
    QString error;
    std::unique_ptr<VatroControl> vatro = VatroControl::create(&error);
    if (!vatro)
        qFatal("The Vatro control cannot be created: %s", qPrintable(error));
    window = std::make_unique<frmHTML>(platform, std::move(vatro), commandLine);
    answerNewDialog(true);
    window->Form_Load();
    dropAnswer();
    window->show();
    if (!waitForEngine)
        return *window;
    QTest::qVerify(QTest::qWaitForWindowExposed(window.get()), "window exposed", "", __FILE__,
                   __LINE__);
    // The browser pane's engine starts once the window is drawn.
    QTest::qVerify(waitUntil([this] { return window->Browser()->engineView() != nullptr; }),
                   "browser engine started", "", __FILE__, __LINE__);
    return *window;
}

void WindowFixture::answerNewDialog(bool ok)
{
    answer_ = std::make_unique<ModalWatch<frmNew>>(
        [this, ok](frmNew &dialog) {
            ++newDialogShown;
            (ok ? dialog.cmdOK : dialog.cmdCancel)->click();
        },
        1);
}

void WindowFixture::dropAnswer()
{
    answer_.reset();
}

WindowFixture::~WindowFixture()
{
    if (window)
        window->hide();
}

QWebEngineView *webView(BrowserPane &pane)
{
    pane.startEngine();
    return qobject_cast<QWebEngineView *>(pane.engineView());
}

bool pageShows(BrowserPane &pane, const QString &script, const QVariant &expected, int ms)
{
    // Shared: an answer may come after the wait.
    const auto shown = std::make_shared<QVariant>();
    const auto asking = std::make_shared<bool>(false);
    return waitUntil([&] {
        if (!std::exchange(*asking, true))
            webView(pane)->page()->runJavaScript(script, [shown, asking](const QVariant &v) { *shown = v, *asking = false; });
        return *shown == expected;
    }, ms);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}
