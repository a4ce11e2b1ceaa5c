// The live preview: what the preview file holds, when it is written, the
// auto-update and update commands, the error messages, each followed by the
// locations dialog, and typing all the way to the rendered page.

#include "options_dialogs/locations_dialog.h"
#include "support/modal_watch.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    // Without $TEMP the preview gets a private folder: in the runtime
    // folder, else in $TMPDIR, else in /tmp; a variable that names no
    // folder (or the root) is passed over, and nothing is made at "/".
    void defaultFolder_data()
    {
        QTest::addColumn<QString>("tmpdir");  // "-": unset
        QTest::addColumn<QString>("runtime"); // "-": unset
        QTest::addColumn<QString>("expected");
        const QString root = testenv::root(), uid = QString::number(::getuid());
        QTest::newRow("runtime folder") << root << root + "/runtime" << root + "/runtime/velmora";
        QTest::newRow("no runtime folder: TMPDIR") << root << "-" << root + "/velmora-" + uid;
        QTest::newRow("TMPDIR names no folder") << root + "/none" << "" << "/tmp/velmora-" + uid;
        QTest::newRow("TMPDIR is the root") << "/" << "relative" << "/tmp/velmora-" + uid;
        // The usual name is taken by a link (someone else's, in a shared
        // folder): never followed, a fresh private folder instead.
        QTest::newRow("the usual name is a link") << root + "/shared" << "-" << root + "/shared/velmora-XXXXXX";
    }
    void defaultFolder()
    {
        QFETCH(QString, tmpdir);
        QFETCH(QString, runtime);
        QFETCH(QString, expected);
        const QByteArray oldTemp = qgetenv("TEMP"), oldTmpdir = qgetenv("TMPDIR"), oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        const bool existed = QFileInfo::exists(expected);
        const bool fresh = expected.endsWith("XXXXXX");
        if (fresh)
            QVERIFY(QDir().mkpath(tmpdir) && QFile::link(testenv::root(), tmpdir + "/velmora-" + QString::number(::getuid())));
        qunsetenv("TEMP");
        tmpdir == "-" ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir.toUtf8());
        runtime == "-" ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
        const QString folder = defaultTempDir();
        qputenv("TEMP", oldTemp);
        oldTmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", oldTmpdir);
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
        struct stat made {};
        const bool privateDir = ::lstat(QFile::encodeName(folder), &made) == 0 && S_ISDIR(made.st_mode)
                                && (made.st_mode & 0777) == 0700;
        if (!existed)
            QDir().rmdir(folder);
        QVERIFY(privateDir);
        if (fresh)
            QVERIFY2(folder.startsWith(expected.chopped(6)) && folder.size() == expected.size(), qPrintable(folder));
        else
            QCOMPARE(folder, expected);
    }

    // What the preview file holds and when it is written: start-up writes
    // the new page and points the browser at it; with auto-update off a
    // change leaves the file alone until Update, which reloads the page;
    // switching on refreshes at once (each change after it is written: the
    // undo, find and insertion tests look at the preview); switching off
    // does not refresh.
    void contentAndAutoUpdate()
    {
        WindowFixture fx;
        frmHTML &w = fx.start();
        const QString preview = WindowFixture::previewFile();
        const auto current = [&] { return w.HTML()->wholeText().toUtf8() + "\r\n"; };
        QCOMPARE(fileBytes(preview), current());
        QVERIFY(waitUntil([&] { return w.Browser()->shownFile() == preview; }));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(preview), &st) == 0 && (st.st_mode & 0777) == 0600);

        bool reloaded = false;
        connect(webView(*w.Browser())->page(), &QWebEnginePage::navigationRequested, this,
                [&](QWebEngineNavigationRequest &r) {
                    reloaded |= r.navigationType() == QWebEngineNavigationRequest::ReloadNavigation;
                });
        const QByteArray before = fileBytes(preview); // auto-update is off in the seeded settings
        w.HTML()->setWholeText(QString());
        QCOMPARE(fileBytes(preview), before);
        w.menu().mnuUpdate->trigger();
        QCOMPARE(fileBytes(preview), QByteArray("\r\n"));
        QVERIFY(waitUntil([&] { return reloaded; }));
        // An Update with the text as it was written leaves the file be,
        // unless something else has written to it since.
        writeFile(preview, "xy");
        w.menu().mnuUpdate->trigger();
        QCOMPARE(fileBytes(preview), QByteArray("\r\n"));

        w.HTML()->setSelText("b");
        w.menu().mnuAU->trigger();
        QTRY_COMPARE(fileBytes(preview), current());
        QFile::remove(preview);
        w.menu().mnuAU->trigger();
        QVERIFY(!w.menu().mnuAU->isChecked() && !QFile::exists(preview));
        QCOMPARE(fx.platform.messages.size(), 0);
    }

    // The failures: each gives its message once while it lasts (not at every
    // keystroke), again when the user asks for an update, and the document
    // stays as it is. What is in the preview file's place is left alone, and
    // a FIFO there does not hold the refresh up.
    void failures_data()
    {
        QTest::addColumn<QString>("kind"); // in the preview folder: "missing" (the folder), "link" or "FIFO"
        QTest::addColumn<QString>("message"); // the start of it; %1 the preview file
        const QString error = "Error|Critical|OK|There was an error temporarily saving the file, try "
                              "changing the Temp dir location\r\n\r\n";
        QTest::newRow("temp directory removed")
            << "missing" << "Error|Exclamation|OK|The temp directory does not exist, please choose a new one";
        QTest::newRow("symbolic link in place of the preview file: not followed")
            << "link" << error + "%1: a symbolic link is in its place, not a regular file";
        QTest::newRow("FIFO in place of the preview file, read meanwhile: one message")
            << "FIFO" << error + "%1: a FIFO (named pipe) is in its place, not a regular file";
    }
    void failures()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        WindowFixture fx;
        frmHTML &w = fx.start();
        const QString dir = testenv::root() + "/preview-" + kind, file = dir + "/KV731504.htm";
        const QString target = testenv::root() + "/someone-elses.txt";
        writeFile(target, "untouched");
        if (kind != "missing")
            QVERIFY(QDir().mkpath(dir));
        if (kind == "link")
            QVERIFY(QFile::link(target, file));
        if (kind == "FIFO")
            QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        { LocationValues l = w.preview().locations(); l.tempDir = dir; w.preview().setLocations(l); }
        const QString text = w.HTML()->wholeText();
        // Each message is followed by the locations dialog, shown modally.
        ModalWatch<frmLoc> locations([](frmLoc &d) { d.cmdClose->click(); });
        w.menu().mnuAU->trigger();
        QTest::keyClicks(w.HTML(), "xy");
        QCOMPARE(locations.count(), 1);
        // Whether a FIFO has a reader (a browser loading it) or not, the same words.
        const int reader = kind == "FIFO" ? ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK) : -1;
        w.menu().mnuUpdate->trigger();
        if (reader >= 0)
            ::close(reader);
        QCOMPARE(locations.count(), 2);
        QCOMPARE(fx.platform.messages.size(), 2); // switching on, then Update
        QVERIFY2(messageLine(fx.platform, 0).startsWith(QString(message).replace("%1", file)),
                 qPrintable(messageLine(fx.platform, 0)));
        QCOMPARE(messageLine(fx.platform, 1), messageLine(fx.platform, 0));
        QCOMPARE(fileBytes(target), QByteArray("untouched"));
        QCOMPARE(QFileInfo(file).isSymLink(), kind == "link");
        QCOMPARE(w.HTML()->wholeText(), "xy" + text);
        // A reload that reached the browser after the FIFO took the file's
        // place leaves a reader of the browser's waiting in open(); the exit
        // sequence lets it go, or the program would hang at its end.
        if (kind == "FIFO") {
            w.Browser()->navigate(QUrl::fromLocalFile(file).toString());
            QTest::qWait(1000);
            fx.platform.messageAnswers << MsgResult::No; // not saved
            QVERIFY(w.close());
        }
    }

    // Relative addresses: a new document's resolve in the temporary folder,
    // an opened one's in its own folder, and after Save As in the new one
    // at once; the preview file holds the text and CR LF, nothing else.
    void relativeAddresses()
    {
        WindowFixture fx;
        frmHTML &w = fx.start();
        const QString root = testenv::root(), text = "<img id=\"i\" src=\"pic.png\">";
        // The picture's width tells which folder it came from.
        const QStringList folders = {qEnvironmentVariable("TEMP"), root + "/one", root + "/two"};
        for (int i = 0; i < 3; ++i)
            QVERIFY(QDir().mkpath(folders[i]) && QImage(i + 1, 1, QImage::Format_RGB32).save(folders[i] + "/pic.png"));
        writeFile(folders[1] + "/page.htm", text.toUtf8());
        const QString width = "document.getElementById('i') && document.getElementById('i').naturalWidth";
        w.HTML()->setWholeText(text);
        w.menu().mnuUpdate->trigger();
        QVERIFY(pageShows(*w.Browser(), width, 1));
        fx.platform.messageAnswers << MsgResult::No;
        fx.platform.fileAnswers << folders[1] + "/page.htm";
        w.menu().mnuOpen->trigger();
        QVERIFY(pageShows(*w.Browser(), width, 2));
        QCOMPARE(fileBytes(w.preview().previewFile()), text.toUtf8() + "\r\n");
        fx.platform.fileAnswers << folders[2] + "/page.htm";
        w.menu().mnuSaveAs->trigger();
        QVERIFY(pageShows(*w.Browser(), width, 3));
    }

    // The window and the text come before the browser pane's engine: keys
    // typed before it is up are each written to the preview file, and the
    // page shows them all once the engine is up.
    void keysBeforeTheEngine()
    {
        WindowFixture fx;
        WindowFixture::seedSettings({"Auto-update=True"});
        const QString file = testenv::root() + "/early.htm";
        writeFile(file, "<p id=\"t\">x</p>");
        frmHTML &w = fx.start(file, false, false);
        w.HTML()->setSelStart(10);
        QTest::keyClicks(w.HTML(), "abc");
        QVERIFY(!w.Browser()->engineView());
        QCOMPARE(fileBytes(WindowFixture::previewFile()), QByteArray("<p id=\"t\">abcx</p>\r\n"));
        QVERIFY(pageShows(*w.Browser(), "document.getElementById('t').textContent", QString("abcx")));
        QCOMPARE(w.HTML()->wholeText(), "<p id=\"t\">abcx</p>");
    }

    // Typing with auto-update on (its shortcut works from the text pane): a
    // key on an idle page is written at once; keys that come while that page
    // loads only mark it stale, and one write follows the load. Every key
    // reaches the text pane, whose focus the reloading page does not take,
    // and the rendered page ends up showing the final text.
    void typing()
    {
        WindowFixture fx;
        frmHTML &w = fx.start();
        w.activateWindow();
        w.HTML()->setFocus();
        QVERIFY(waitUntil([&] { return QApplication::focusWidget() == w.HTML(); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(w.menu().mnuAU->isChecked());
        const QString head = "<html><body><p id=\"t\">", tail = "</p></body></html>";
        w.HTML()->setWholeText(head + tail);
        w.HTML()->setSelStart(int(head.size()));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Browser()->isBusy(), 20000); // a loaded machine loads slowly
        QTest::keyClicks(w.HTML(), "0");
        QCOMPARE(fileBytes(w.preview().previewFile()), (head + "0" + tail).toUtf8() + "\r\n");
        QTest::keyClicks(w.HTML(), "123456789");
        QCOMPARE(fileBytes(w.preview().previewFile()), (head + "0" + tail).toUtf8() + "\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(fileBytes(w.preview().previewFile()), (head + "0123456789" + tail).toUtf8() + "\r\n", 20000);
        QString typed = "0123456789";
        for (int i = 0; i < 200; ++i) {
            typed += QChar('a' + i % 26);
            QTest::keyClick(QApplication::focusWidget(), typed.back().toLatin1());
            QTest::qWait(2);
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.HTML()));
        QCOMPARE(w.HTML()->wholeText(), head + typed + tail);
        QVERIFY(pageShows(*w.Browser(), "document.getElementById('t').textContent", typed));
        QCOMPARE(fx.platform.messages.size(), 0);
    }
};

VELMORA_TEST_MAIN(TestPreview)
#include "tst_preview.moc"
