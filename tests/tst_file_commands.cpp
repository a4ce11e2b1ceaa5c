// Documents on disk and the File menu: encodings kept byte for byte, the
// atomic save, and New, Open, Save and Save As with their prompts, messages,
// cancel paths and the Save/Save As chain.

#include "document_dialogs/new_dialog.h"
#include "editor/document_file.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <unistd.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

Q_DECLARE_METATYPE(FileEncoding)

class TestFileCommands : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString &name) const { return dir_.filePath(name); }

private slots:
    void encodingRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<FileEncoding>("encoding");
        QTest::addColumn<int>("length");
        QTest::newRow("ascii, every line end kept") << QByteArray("a\r\nb\nc\rd") << FileEncoding::Utf8 << 8;
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << FileEncoding::Utf8 << 6;
        QTest::newRow("byte-order mark kept") << QByteArray("\xef\xbb\xbfx") << FileEncoding::Utf8 << 2;
        QTest::newRow("latin-1 bytes") << QByteArray("caf\xe9 \xff\x80") << FileEncoding::Latin1 << 7;
        QTest::newRow("truncated utf-8") << QByteArray("ab\xe2\x82") << FileEncoding::Latin1 << 4;
        QTest::newRow("nul byte") << QByteArray("a\0b", 3) << FileEncoding::Utf8 << 3;
        QTest::newRow("empty") << QByteArray() << FileEncoding::Utf8 << 0;
    }
    void encodingRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(FileEncoding, encoding);
        QFETCH(int, length);
        const DecodedDocument doc = decodeDocument(bytes);
        QCOMPARE(doc.encoding, encoding);
        QCOMPARE(int(doc.text.size()), length);
        // Written back: the same bytes and one CR LF.
        QCOMPARE(encodeDocument(doc.text, doc.encoding), bytes + "\r\n");
    }

    void unencodable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<FileEncoding>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("euro in latin-1") << QString::fromUtf8("1\xe2\x82\xac") << FileEncoding::Latin1
                                         << QByteArray("1?\r\n");
        QTest::newRow("emoji in latin-1 is one ?")
            << QString::fromUtf8("a\xf0\x9f\x98\x80" "b\xc3\xa9") << FileEncoding::Latin1
            << QByteArray("a?b\xe9\r\n");
        QTest::newRow("lone surrogate in utf-8") << (QString("a") + QChar(0xD800)) << FileEncoding::Utf8
                                                 << QByteArray("a?\r\n");
    }
    void unencodable()
    {
        QFETCH(QString, text);
        QFETCH(FileEncoding, encoding);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeDocument(text, encoding), bytes);
    }

    void atomicSave()
    {
        const QString file = path("perm.htm");
        writeFile(file, "old");
        QVERIFY(::chmod(QFile::encodeName(file), 0640) == 0);
        QVERIFY(!saveDocumentFile(file, "new"));
        QCOMPARE(fileBytes(file), QByteArray("new"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(file), &st) == 0);
        QCOMPARE(int(st.st_mode & 0777), 0640);

        // A read-only file is refused and left as it was.
        QVERIFY(::chmod(QFile::encodeName(file), 0444) == 0);
        const auto readOnly = saveDocumentFile(file, "lost");
        QVERIFY(readOnly);
        QVERIFY(!readOnly->description.isEmpty());
        QCOMPARE(fileBytes(file), QByteArray("new"));

        // A write that fails half-way (here the file size limit, which
        // holds for every user): the old file stays intact.
        QVERIFY(::chmod(QFile::encodeName(file), 0644) == 0);
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit small = old;
        small.rlim_cur = 8;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        const auto tooBig = saveDocumentFile(file, QByteArray(4096, 'z'));
        ::setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(tooBig);
        QCOMPARE(fileBytes(file), QByteArray("new"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).filter("perm").size(), 1);
    }

    // New: the unsaved-changes prompt and the dialog's Cancel.
    void newCommand_data()
    {
        QTest::addColumn<int>("answer"); // MsgResult; -1: no changes, no prompt
        QTest::addColumn<bool>("dialogOK");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged, OK") << -1 << true << true << false;
        QTest::newRow("unchanged, Cancel in the dialog") << -1 << false << false << false;
        QTest::newRow("prompt Cancel") << int(MsgResult::Cancel) << true << false << false;
        QTest::newRow("prompt No") << int(MsgResult::No) << true << true << false;
        QTest::newRow("prompt Yes saves first") << int(MsgResult::Yes) << true << true << true;
    }
    void newCommand()
    {
        QFETCH(int, answer);
        QFETCH(bool, dialogOK);
        QFETCH(bool, replaced);
        QFETCH(bool, saved);
        const QString file = path("new.htm");
        writeFile(file, "doc");
        WindowFixture fx;
        fx.start(file);
        frmHTML &w = *fx.window;
        if (answer >= 0) {
            w.HTML->setSelText("x");
            fx.platform.messageAnswers << MsgResult(answer);
        }
        const QString before = w.HTML->wholeText();
        fx.answerNewDialog(dialogOK);
        w.mnuNew->trigger();
        fx.dropAnswer();
        QCOMPARE(fx.platform.messages.size(), answer >= 0 ? 1 : 0);
        if (answer >= 0)
            QCOMPARE(fx.platform.messages[0].title, QString("File Changed"));
        QCOMPARE(fx.newDialogShown, answer == int(MsgResult::Cancel) ? 0 : 1);
        QVERIFY(w.newDialog().cmdCancel->isEnabled());
        QCOMPARE(w.HTML->wholeText().startsWith("<html>"), replaced);
        QCOMPARE(w.windowTitle(), replaced ? QString("Velmora - New File") : "Velmora - " + file);
        QCOMPARE(w.documentFileName(), replaced ? QString() : file);
        QCOMPARE(w.documentChanged(), !replaced && answer >= 0);
        QCOMPARE(fileBytes(file), saved ? before.toUtf8() + "\r\n" : QByteArray("doc"));
        QVERIFY(!w.isLoading());
        // Change tracking goes on.
        w.HTML->setSelText("y");
        QVERIFY(w.documentChanged());
    }

    // Open: every way out.
    void openCommand_data()
    {
        QTest::addColumn<QString>("name"); // in the test folder; "" cancels the dialog
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("opened");
        QTest::newRow("cancelled") << "" << "" << false;
        QTest::newRow("missing") << "missing.htm" << "The file '%1' could not be found." << false;
        QTest::newRow("a folder") << "folder" << "The file '%1' could not be found." << false;
        QTest::newRow("unreadable") << "secret.htm" << "Can't open file: %1" << false;
        QTest::newRow("readable") << "page.htm" << "" << true;
    }
    void openCommand()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(bool, opened);
        if (name == "secret.htm" && ::geteuid() == 0)
            QSKIP("root reads every file");
        QDir(dir_.path()).mkpath("folder");
        writeFile(path("page.htm"), "<p>page</p>");
        writeFile(path("secret.htm"), "x");
        ::chmod(QFile::encodeName(path("secret.htm")), 0);
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        const QString before = w.HTML->wholeText();
        const QString full = name.isEmpty() ? QString() : path(name);
        fx.platform.fileAnswers << (name.isEmpty() ? std::nullopt : std::optional<QString>(full));
        w.mnuOpen->trigger();
        QCOMPARE(fx.platform.fileRequests.size(), 1);
        QCOMPARE(fx.platform.fileRequests[0].title, QString("Open an HTML file"));
        QVERIFY(!fx.platform.fileRequests[0].save);
        QCOMPARE(fx.platform.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(fx.platform.messages[0].text, message.arg(full));
            QCOMPARE(fx.platform.messages[0].title, QString("Open Error"));
            QCOMPARE(fx.platform.messages[0].icon, MsgIcon::Critical);
        }
        QCOMPARE(w.HTML->wholeText(), opened ? QString("<p>page</p>") : before);
        QCOMPARE(w.documentFileName(), opened ? full : QString());
        QCOMPARE(w.windowTitle(), opened ? "Velmora - " + full : QString("Velmora - New File"));
        QVERIFY(!w.documentChanged());
        QVERIFY(!w.isLoading());
        ::chmod(QFile::encodeName(path("secret.htm")), 0600);
    }

    // Save and Save As, the chain between them and the save-failed flag.
    void saveChain()
    {
        WindowFixture fx;
        fx.start();
        frmHTML &w = *fx.window;
        w.HTML->setWholeText("body");
        QVERIFY(w.documentChanged());

        // Untitled: Save runs Save As; cancelling it fails the save.
        fx.platform.fileAnswers << std::nullopt;
        w.mnuSave->trigger();
        QCOMPARE(fx.platform.fileRequests.last().title, QString("Save the HTML file"));
        QVERIFY(fx.platform.fileRequests.last().save);
        QCOMPARE(w.saveFailed(), 1);
        QVERIFY(w.documentChanged());
        QCOMPARE(w.windowTitle(), QString("Velmora - New File"));

        // A read-only file: "Save Error" names it, then Save As; a writable
        // name ends the chain and clears the flag.
        const QString locked = path("locked.htm");
        const QString good = path("good.htm");
        writeFile(locked, "old");
        ::chmod(QFile::encodeName(locked), 0444);
        fx.platform.fileAnswers << locked << good;
        fx.platform.messageAnswers << MsgResult::OK;
        w.mnuSaveAs->trigger();
        QCOMPARE(fx.platform.messages.size(), 1);
        const auto &m = fx.platform.messages[0];
        QCOMPARE(m.title, QString("Save Error"));
        QCOMPARE(m.icon, MsgIcon::Critical);
        QVERIFY(m.text.startsWith("An error occured when attempting to save the file: "));
        QVERIFY(m.text.endsWith("\r\n\r\nMake sure the file '" + locked
                                + "' is not set to read-only or it is not currently in use"));
        QCOMPARE(fileBytes(locked), QByteArray("old"));
        QCOMPARE(fileBytes(good), QByteArray("body\r\n"));
        QCOMPARE(w.saveFailed(), 0);
        QVERIFY(!w.documentChanged());
        QCOMPARE(w.windowTitle(), "Velmora - " + good);

        // Save writes to the named file without asking.
        w.HTML->setSelText("more ");
        w.mnuSave->trigger();
        QCOMPARE(fx.platform.fileRequests.size(), 3);
        QCOMPARE(fileBytes(good), QByteArray("more body\r\n"));
        QCOMPARE(fx.platform.unexpectedCalls, 0);
    }

    // Opening and saving keeps the file's encoding; each round adds one CR LF.
    void reopenKeepsBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("utf-8") << QByteArray("<p>caf\xc3\xa9</p>\n");
        QTest::newRow("not utf-8") << QByteArray("<p>caf\xe9 \x80\xff</p>\r\n");
    }
    void reopenKeepsBytes()
    {
        QFETCH(QByteArray, bytes);
        const QString file = path("enc.htm");
        writeFile(file, bytes);
        WindowFixture fx;
        fx.start(file);
        frmHTML &w = *fx.window;
        w.mnuSave->trigger();
        QCOMPARE(fileBytes(file), bytes + "\r\n");
        // The preview file holds the same encoding.
        w.mnuUpdate->trigger();
        QCOMPARE(fileBytes(WindowFixture::previewFile()), bytes + "\r\n");
        fx.platform.fileAnswers << file;
        w.mnuOpen->trigger();
        w.mnuSave->trigger();
        QCOMPARE(fileBytes(file), bytes + "\r\n\r\n");
    }
};

VELMORA_TEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
