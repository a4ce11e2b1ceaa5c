#include "support/window_fixture.h"

#include "document_dialogs/new_dialog.h"
#include "editor/settings.h"

#include <QApplication>
#include <QtTest>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTimer>

void WindowFixture::seedSettings(const QStringList &extra)
{
    clearSettings();
    std::vector<std::pair<QString, QString>> values = {
        {"Auto-update", "False"}, {"Pos1", "True"},  {"Pos2", "False"},
        {"Pos3", "False"},        {"Pos4", "False"}, {"TempDir", qEnvironmentVariable("TEMP")}};
    for (const QString &kv : extra)
        values.emplace_back(kv.section('=', 0, 0), kv.section('=', 1));
    settings::Store().set(values);
}

void WindowFixture::clearSettings()
{
    QFile::remove(settings::Store::fileName());
}

QString WindowFixture::previewFile()
{
    return qEnvironmentVariable("TEMP") + QStringLiteral("/KV731504.htm");
}

void WindowFixture::start(const QString &commandLine, bool seed, bool show)
{
    if (seed)
        seedSettings();
    QFile::remove(previewFile());
    QString error;
    std::unique_ptr<VatroControl> vatro = VatroControl::create(&error);
    QVERIFY2(vatro, qPrintable(error));
    window = std::make_unique<frmHTML>(platform, std::move(vatro), commandLine);
    answerNewDialog(true);
    window->Form_Load();
    dropAnswer();
    if (show) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
}

void WindowFixture::answerNewDialog(bool ok)
{
    // Polls from inside the dialog's own event loop.
    dropAnswer();
    auto *timer = new QTimer(window.get());
    answer_ = timer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer, ok] {
        frmNew &dialog = window->newDialog();
        if (!dialog.isVisible())
            return;
        ++newDialogShown;
        timer->stop();
        timer->deleteLater();
        (ok ? dialog.cmdOK : dialog.cmdCancel)->click();
    });
    timer->start();
}

void WindowFixture::dropAnswer()
{
    delete answer_.data();
}

bool WindowFixture::close()
{
    return window->close();
}

WindowFixture::~WindowFixture()
{
    if (window)
        window->hide();
    window.reset();
}

bool waitUntil(const std::function<bool()> &predicate, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!predicate()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(10);
    }
    return true;
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
