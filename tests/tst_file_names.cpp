// File names that are not UTF-8: the name's bytes survive the trip through
// the text, the component, the command line, Save, the recent files, a
// dropped URL and the recovery file.
#include "core/native_path.h"
#include "core/settings.h"
#include "editor/comforts.h"
#include "editor/file_drop.h"
#include "editor/recent_files.h"
#include "editor/session_guard.h"
#include "support/scripted_platform.h"
#include "support/test_env.h"
#include "widgets/common_dialogs.h"
#include "support/window_fixture.h"

namespace {

// A file at exactly `name`'s bytes (QFile would re-encode them).
void writeRaw(const QByteArray &name, const QByteArray &bytes)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size());
    ::close(fd);
}

QByteArray readRaw(const QByteArray &name)
{
    QByteArray out(4096, '\0');
    const int fd = ::open(name.constData(), O_RDONLY);
    const ssize_t n = fd < 0 ? -1 : ::read(fd, out.data(), size_t(out.size()));
    ::close(fd);
    return n < 0 ? QByteArray() : out.left(n);
}

} // namespace

class TestFileNames : public QObject {
    Q_OBJECT
    const QByteArray raw_ = QFile::encodeName(testenv::root()) + "/caf\xe9 \xff.htm";

private slots:
    void codec_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII, what a URL would cut") << QByteArray("a b#%?.htm") << QString("a b#%?.htm");
        QTest::newRow("UTF-8, two to four bytes")
            << QByteArray("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80") << QString::fromUtf8("é€😀");
        QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9.htm") << QString("caf") + QChar(0xDCE9) + ".htm";
        QTest::newRow("sequence cut short, then ASCII")
            << QByteArray("\xe2\x82x") << QString(QChar(0xDCE2)) + QChar(0xDC82) + "x";
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QString(QChar(0xDCC0)) + QChar(0xDCAF);
        QTest::newRow("encoded surrogate")
            << QByteArray("\xed\xb3\xbf") << QString(QChar(0xDCED)) + QChar(0xDCB3) + QChar(0xDCBF);
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80")
                                         << QString(QChar(0xDCF4)) + QChar(0xDC90) + QChar(0xDC80) + QChar(0xDC80);
    }
    void codec()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(pathFromNative(bytes), text);
        QCOMPARE(nativePath(text), bytes);
        QCOMPARE(hasRawBytes(text), bytes != QString(text).toUtf8());
        QCOMPARE(nativePath(pathFromUrl(urlFromPath("/d/" + text))), "/d/" + bytes);
    }

    // Opened from the command line, through the component's test that it
    // exists; saved under the same bytes; listed among the recent files
    // and chosen from there in the next run.
    void openSaveReopen()
    {
        writeRaw(raw_, "<p>old</p>");
        const QString path = pathFromNative(raw_);
        {
            WindowFixture fx;
            frmHTML &w = fx.start(path);
            QCOMPARE(w.HTML()->wholeText(), "<p>old</p>");
            QVERIFY(w.windowTitle().endsWith(QString::fromUtf8("caf\uFFFD \uFFFD.htm")));
            QCOMPARE(fx.platform.messages.size(), 0);
            w.HTML()->setWholeText("<p>new</p>");
            w.document().save();
            QCOMPARE(readRaw(raw_), "<p>new</p>\r\n");
            QCOMPARE(w.findChild<RecentFiles *>()->files().value(0), path);
            w.document().setLoading(true);
            w.HTML()->setWholeText(QString());
            w.document().setLoading(false);
        }
        QVERIFY(settings::Store().get("Recent1").value_or(QString()).startsWith("file:///"));
        WindowFixture fx;
        frmHTML &w = fx.start(QString(), false); // the store as the last run left it
        QCOMPARE(w.findChild<RecentFiles *>()->files().value(0), path);
        w.findChild<RecentFiles *>()->choose(0);
        QCOMPARE(w.HTML()->wholeText(), "<p>new</p>\r\n");
        QCOMPARE(fx.platform.messages.size(), 0);
        // Gone: the message shows the name as the caption does.
        ::unlink(raw_.constData());
        w.findChild<RecentFiles *>()->choose(0);
        QVERIFY(messageLine(fx.platform, 0).contains(QString::fromUtf8("caf\uFFFD \uFFFD.htm' could")));
    }

    // The file dialog, a dropped URL and the recovery file.
    void otherWaysIn()
    {
        writeRaw(raw_, "x");
        ScriptedPlatform platform;
        OpenSaveDialog files(platform);
        platform.fileAnswers << QString::fromUtf8(raw_) << testenv::root() + "/new \uFFFD.htm"; // as Qt lists them
        QVERIFY(files.showOpen(nullptr) && nativePath(files.fileName) == raw_);
        QVERIFY(files.showSave(nullptr) && files.fileName == testenv::root() + "/new \uFFFD.htm");
        QMimeData data;
        data.setData("text/uri-list", "file://" + raw_.toPercentEncoding("/") + "\r\n");
        QCOMPARE(nativePath(FileDrop::droppedFile(&data)), raw_);
        const std::optional<UnsavedText> back =
            decodeUnsavedText(encodeUnsavedText({pathFromNative(raw_), FileEncoding::Utf8, "t"}));
        QVERIFY(back);
        QCOMPARE(nativePath(back->fileName), raw_);
    }

    // The program itself takes the name from its arguments as bytes.
    void commandLine()
    {
        WindowFixture::seedSettings();
        writeRaw(raw_, "<p>from the command line</p>");
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start("sh", {"-c", "exec \"$0\" \"$(printf '%b' \"$1\")\"", VELMORA_PROGRAM,
                             QString::fromLatin1(QByteArray(raw_).replace("\xe9", "\\0351").replace("\xff", "\\0377"))});
        QVERIFY(program.waitForStarted());
        const QString preview = WindowFixture::previewFile();
        const bool shown = waitUntil([&] { return fileBytes(preview).contains("from the command line"); }, 60000);
        program.terminate();
        program.waitForFinished(30000);
        QVERIFY(shown);
    }
};

VELMORA_TEST_MAIN(TestFileNames)
#include "tst_file_names.moc"
