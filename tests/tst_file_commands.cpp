// Documents on disk and the File menu: encodings kept byte for byte, and
// New, Open, Save and Save As with their prompts, messages, cancel paths
// and the Save/Save As chain.

#include "document_dialogs/new_dialog.h"
#include "core/document_file.h"
#include "widgets/html_pane.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QSignalSpy>

Q_DECLARE_METATYPE(FileEncoding)

// New: the answer to the unsaved-changes question (a MsgResult; -1: no
// changes, no question), OK or Cancel in the dialog, a save that fails, and
// whether the document was replaced.
struct NewCase { int answer; bool dialogOK, saveFails, replaced; };
Q_DECLARE_METATYPE(NewCase)
// Save: what happens to the file after it was opened ("append", "link" or
// "euro" typed into Latin-1), its first bytes, the answer, its bytes after.
struct AskCase { QString change; QByteArray original; MsgResult answer; QByteArray saved; };
Q_DECLARE_METATYPE(AskCase)

class TestFileCommands : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString &name) const { return dir_.filePath(name); }

private slots:
    // Read and written back: the same bytes and one CR LF (the encoding
    // has no other flag, so a byte-order mark must stay in the text). Only
    // what Qt's UTF-8 decoder takes whole counts as UTF-8.
    void encodingRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<FileEncoding>("encoding");
        QTest::newRow("ascii, every line end and a nul kept") << QByteArray("a\r\nb\nc\rd\0e", 10) << FileEncoding::Utf8;
        QTest::newRow("utf-8, byte-order mark kept") << QByteArray("\xef\xbb\xbf" "caf\xc3\xa9 \xe2\x82\xac") << FileEncoding::Utf8;
        QTest::newRow("truncated utf-8") << QByteArray("ab\xe2\x82") << FileEncoding::Latin1;
        QTest::newRow("encoded surrogate") << QByteArray("a\xed\xa0\x80") << FileEncoding::Latin1;
        QTest::newRow("overlong") << QByteArray("a\xc0\xaf") << FileEncoding::Latin1;
        QTest::newRow("beyond U+10FFFF") << QByteArray("a\xf4\x90\x80\x80") << FileEncoding::Latin1;
        QTest::newRow("empty") << QByteArray() << FileEncoding::Utf8;
    }
    void encodingRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(FileEncoding, encoding);
        const DecodedDocument doc = decodeDocument(bytes);
        QCOMPARE(doc.encoding, encoding);
        QCOMPARE(encodeDocument(doc.text, doc.encoding), bytes + "\r\n");
        // Open puts UTF-8 into the text pane as it is: the same text.
        HTMLPane pane;
        if (encoding == FileEncoding::Utf8) {
            pane.setWholeUtf8(bytes);
            QCOMPARE(pane.wholeText(), doc.text);
        }
    }

    // What Latin-1 cannot hold is written as one "?", a character outside
    // the basic plane too.
    void unencodable()
    {
        QCOMPARE(encodeDocument(QString::fromUtf8("1\xe2\x82\xac\xf0\x9f\x98\x80\xc3\xa9"), FileEncoding::Latin1),
                 "1??\xe9\r\n");
    }

    // New: the unsaved-changes prompt and the dialog's Cancel. A save that
    // does not complete (the file is read-only, then Save As is cancelled)
    // is a Cancel, for Open as well: the edits stay. The file has LF line
    // ends; the new page has CR LF again.
    void newCommand_data()
    {
        QTest::addColumn<NewCase>("c");
        QTest::newRow("unchanged, OK") << NewCase{-1, true, false, true};
        QTest::newRow("unchanged, Cancel in the dialog") << NewCase{-1, false, false, false};
        QTest::newRow("prompt Cancel") << NewCase{int(MsgResult::Cancel), true, false, false};
        QTest::newRow("prompt Yes saves first") << NewCase{int(MsgResult::Yes), true, false, true};
        QTest::newRow("prompt Yes, the save fails: New stops") << NewCase{int(MsgResult::Yes), true, true, false};
        QTest::newRow("prompt Yes, the save fails: Open stops") << NewCase{int(MsgResult::Yes), false, true, false};
    }
    void newCommand()
    {
        QFETCH(NewCase, c);
        const auto [answer, dialogOK, saveFails, replaced] = c;
        const QString file = path("new.htm");
        writeFile(file, "d\noc");
        WindowFixture fx;
        frmHTML &w = fx.start(file);
        if (answer >= 0) {
            w.HTML()->setSelText("x");
            fx.platform.messageAnswers << MsgResult(answer);
        }
        if (saveFails) {
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
            fx.platform.messageAnswers << MsgResult::OK; // "Save Error"
            fx.platform.fileAnswers << std::nullopt;     // Save As cancelled
        }
        const QString before = w.HTML()->wholeText();
        fx.answerNewDialog(dialogOK);
        (saveFails && !dialogOK ? w.menu().mnuOpen : w.menu().mnuNew)->trigger();
        fx.dropAnswer();
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(fx.platform.messages.size(), int(answer >= 0) + int(saveFails));
        QCOMPARE(messageLine(fx.platform, 0).section('|', 0, 2), answer >= 0 ? "File Changed|Question|YesNoCancel" : "|None|OK");
        QCOMPARE(fx.platform.fileRequests.size(), int(saveFails)); // no Open dialog after a failed save
        QCOMPARE(fx.newDialogShown, answer == int(MsgResult::Cancel) || saveFails ? 0 : 1);
        QCOMPARE(w.HTML()->wholeText() == before, !replaced); // a new page starts with <html>
        QCOMPARE(w.windowTitle(), replaced ? QString("Velmora - New File") : "Velmora - " + file);
        QCOMPARE(w.document().isChanged(), !replaced && answer >= 0);
        QCOMPARE(fileBytes(file), answer == int(MsgResult::Yes) && !saveFails ? before.toUtf8() + "\r\n" : QByteArray("d\noc"));
        QCOMPARE(w.HTML()->lineEnd(), replaced ? "\r\n" : "\n");
        w.HTML()->setSelText("y"); // change tracking goes on
        QVERIFY(w.document().isChanged());
    }

    // Open: every way out, and what it refuses with a message, keeping the
    // document (a FIFO does not hang it). The file opened is not UTF-8: its
    // encoding is kept for the preview file and the next save, and the text
    // gets the editor font without ever being selected.
    void openCommand_data()
    {
        QTest::addColumn<QString>("name"); // in the test folder, or absolute; "" cancels the dialog
        QTest::addColumn<QString>("message"); // the start of it; %1 the path
        QTest::newRow("cancelled") << "" << "";
        QTest::newRow("FIFO without a writer: no file") << "pipe.htm" << "The file '%1' could not be found.";
        QTest::newRow("folder") << "folder.htm" << "The file '%1' could not be found.";
        QTest::newRow("larger than can be held") << "huge.htm" << "The file '%1' is too large to open: ";
        QTest::newRow("unreadable") << "secret.htm" << "Can't open file: %1";
        QTest::newRow("readable") << "page.htm" << "";
    }
    void openCommand()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        if (name == "secret.htm" && ::geteuid() == 0)
            QSKIP("root reads every file");
        const QByteArray page = "<p>caf\xe9 \x80</p>";
        writeFile(path("page.htm"), page);
        writeFile(path("secret.htm"), "x");
        QVERIFY(QFile::setPermissions(path("secret.htm"), {}));
        ::mkfifo(QFile::encodeName(path("pipe.htm")), 0600);
        QDir().mkpath(path("folder.htm"));
        QFile huge(path("huge.htm"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(maxDocumentBytes() + 1)); // sparse: no disk used
        huge.close();
        WindowFixture fx;
        frmHTML &w = fx.start();
        const QString before = w.HTML()->wholeText();
        const QString full = name.isEmpty() || name.startsWith('/') ? name : path(name);
        const bool opened = name == "page.htm";
        fx.platform.fileAnswers << (name.isEmpty() ? std::nullopt : std::optional<QString>(full));
        w.ctlFont().font = FontChoice{"DejaVu Serif", 13.5, true, false, false, true, 0x0000FF};
        // Nothing is selected on the way: a selection would be offered as
        // the desktop's primary selection, in place of the user's.
        QSignalSpy selected(w.HTML(), &QsciScintilla::copyAvailable);
        w.menu().mnuOpen->trigger();
        QVERIFY(!selected.contains(QVariantList{true}));
        QFile::setPermissions(path("secret.htm"), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(fx.platform.fileRequests.size() == 1 && !fx.platform.fileRequests[0].save);
        QCOMPARE(fx.platform.messages.size(), int(!message.isEmpty()));
        QVERIFY2(messageLine(fx.platform, 0).startsWith(message.isEmpty() ? "|None|OK|" : "Open Error|Critical|OK|" + message.arg(full)),
                 qPrintable(messageLine(fx.platform, 0)));
        QCOMPARE(w.HTML()->wholeText(), opened ? QString::fromLatin1(page) : before);
        // The page is not UTF-8: the caption says how it was read.
        QCOMPARE(w.windowTitle(), opened ? "Velmora - " + full + " (ISO-8859-1)" : QString("Velmora - New File"));
        QVERIFY(!w.document().isChanged() && !w.document().isLoading());
        if (opened) {
            QCOMPARE(w.HTML()->selFormat(), w.ctlFont().font);
            QCOMPARE(fileBytes(w.preview().previewFile()), page + "\r\n");
            w.menu().mnuSave->trigger();
            QCOMPARE(fileBytes(full), page + "\r\n");
        }
    }

    // Save writes over only the file as it was opened: a change by another
    // program, or a link put in its place, is asked about; a link is never
    // followed into another file; a Latin-1 file is not filled with "?".
    void saveAsks_data()
    {
        QTest::addColumn<AskCase>("c");
        const QByteArray euro = QString::fromUtf8("x\xe2\x82\xac").toUtf8();
        QTest::newRow("appended elsewhere, kept") << AskCase{"append", "old", MsgResult::No, "old+"};
        QTest::newRow("appended elsewhere, saved over") << AskCase{"append", "old", MsgResult::Yes, "new\r\n"};
        QTest::newRow("replaced by a link, saved over") << AskCase{"link", "old", MsgResult::Yes, "new\r\n"};
        QTest::newRow("latin-1, euro typed, cancelled") << AskCase{"euro", "caf\xe9", MsgResult::No, "caf\xe9"};
        QTest::newRow("latin-1, euro typed, as UTF-8") << AskCase{"euro", "caf\xe9", MsgResult::Yes, euro + "\r\n"};
    }
    void saveAsks()
    {
        QFETCH(AskCase, c);
        const auto &[change, original, answer, saved] = c;
        const QString file = path(QStringLiteral("asked-%1.htm").arg(QTest::currentDataTag())), other = path("other.txt");
        writeFile(file, original);
        writeFile(other, "someone else's");
        WindowFixture fx;
        frmHTML &w = fx.start(file);
        if (change == "append") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::Append) && f.write("+") == 1);
        } else if (change == "link") {
            QVERIFY(QFile::remove(file) && QFile::link(other, file));
        }
        w.HTML()->setWholeText(change == "euro" ? QString::fromUtf8("x\xe2\x82\xac") : QStringLiteral("new"));
        fx.platform.messageAnswers << answer;
        w.menu().mnuSave->trigger();
        QVERIFY(fx.platform.messages.size() == 1 && fx.platform.messages[0].buttons == MsgButtons::YesNo);
        QCOMPARE(fileBytes(file), saved);
        QCOMPARE(fileBytes(other), QByteArray("someone else's"));
        QCOMPARE(w.document().saveFailed(), answer == MsgResult::No ? 1 : 0);
    }

    // Save and Save As, the chain between them and the save-failed flag.
    void saveChain()
    {
        WindowFixture fx;
        frmHTML &w = fx.start();
        const QString body(2048, 'b');
        w.HTML()->setWholeText(body);

        // Untitled: Save runs Save As. A file-size limit fails the write (the
        // program lives on and says so), then Save As is cancelled: the save
        // failed.
        rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        const rlimit small{1024, old.rlim_max};
        fx.platform.fileAnswers << path("limited.htm") << std::nullopt;
        fx.platform.messageAnswers << MsgResult::OK;
        ::setrlimit(RLIMIT_FSIZE, &small);
        w.menu().mnuSave->trigger();
        ::setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(fx.platform.fileRequests.size() == 2 && fx.platform.fileRequests.last().save);
        // The system's reason and number; a new file, so no word of an old one.
        const QString tooLarge = "file: " + QString::fromLocal8Bit(std::strerror(EFBIG)) + ", 27\r\n";
        QVERIFY2(messageLine(fx.platform, 0).startsWith("Save Error|Critical|OK|")
                     && messageLine(fx.platform, 0).contains(tooLarge),
                 qPrintable(messageLine(fx.platform, 0)));
        QVERIFY(w.document().saveFailed() == 1 && w.document().isChanged());

        // A read-only file: "Save Error" names it, then Save As; a writable
        // name ends the chain and clears the flag.
        const QString locked = path("locked.htm"), good = path("good.htm");
        writeFile(locked, "old");
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        fx.platform.fileAnswers << locked << good;
        fx.platform.messageAnswers << MsgResult::OK;
        w.menu().mnuSaveAs->trigger();
        const QString m = messageLine(fx.platform, 1);
        QVERIFY2(m.startsWith("Save Error|Critical|OK|An error occured when attempting to save the file: ")
                     && m.contains(" (the file was left as it was), 13\r\n")
                     && m.endsWith("\r\n\r\nMake sure the file '" + locked
                                   + "' is not set to read-only or it is not currently in use"),
                 qPrintable(m));
        QCOMPARE(fileBytes(locked), QByteArray("old"));
        QCOMPARE(fileBytes(good), body.toUtf8() + "\r\n");
        QVERIFY(w.document().saveFailed() == 0 && !w.document().isChanged());
        QCOMPARE(w.windowTitle(), "Velmora - " + good);

        // Save writes to the named file without asking: one more file
        // dialog or message would be an unexpected call.
        w.HTML()->setSelText("more ");
        w.menu().mnuSave->trigger();
        QCOMPARE(fileBytes(good), "more " + body.toUtf8() + "\r\n");
        QCOMPARE(fx.platform.unexpectedCalls, 0);
    }
};

VELMORA_TEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
