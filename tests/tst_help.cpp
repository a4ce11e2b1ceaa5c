// The Help menu and the splash window in the real main window: F1 and
// Contents open the help built with the program, every page its contents
// list names is there and every menu command has a page; About's text; Send
// feedback's address; how the splash closes.

#include "editor/help_commands.h"
#include "editor/splash_window.h"
#include "support/test_env.h"
#include "support/window_fixture.h"
#include "widgets/help_window.h"

class TestHelp : public QObject {
    Q_OBJECT
    WindowFixture fx;
    frmHTML *main = nullptr;

private slots:
    void initTestCase()
    {
        main = &fx.start();
    }

    // The help file is the one built beside the program; each page the
    // project lists is in it, and each menu command appears on some page.
    void helpFileHoldsEveryPage()
    {
        const QString file = main->findChild<HelpCommands *>()->helpFile();
        QFile qhp(QStringLiteral(VELMORA_SOURCE_DIR "/help/velmora.qhp"));
        QVERIFY(qhp.open(QIODevice::ReadOnly));
        const QString project = QString::fromUtf8(qhp.readAll());
        const std::unique_ptr<HelpWindow> help(HelpWindow::create(file, nullptr));
        QVERIFY(help && help->isUsable());
        QString pages;
        const QRegularExpression listed(QStringLiteral("<file>([^<]+\\.html)</file>"));
        for (const QRegularExpressionMatch &m : listed.globalMatch(project)) {
            help->showPage(m.captured(1));
            QCOMPARE(help->currentPage(), m.captured(1));
            QFile page(QStringLiteral(VELMORA_SOURCE_DIR "/help/") + m.captured(1));
            QVERIFY(page.open(QIODevice::ReadOnly));
            pages += QString::fromUtf8(page.readAll());
        }
        for (QAction *a : main->menuBar()->findChildren<QAction *>()) {
            const QString caption = QString(a->text()).remove('&').remove(QStringLiteral("..."));
            if (!caption.isEmpty() && !a->isSeparator())
                QVERIFY2(pages.contains(caption, Qt::CaseInsensitive), qPrintable(caption));
        }
    }

    // F1 in the text pane and Contents (a synthesised F1) open the help
    // window at the overview; Shift+F1 and Ctrl+F1 stay menu keys.
    void f1AndContentsOpenTheHelp()
    {
        for (int i = 0; i < 2; ++i) {
            delete main->findChild<HelpCommands *>()->helpWindow();
            main->HTML()->setFocus();
            if (i == 0)
                QTest::keyClick(main->HTML(), Qt::Key_F1);
            else
                main->menu().mnuContents->trigger();
            QTRY_VERIFY(main->findChild<HelpCommands *>()->helpWindow() && main->findChild<HelpCommands *>()->helpWindow()->isVisible());
            QCOMPARE(main->findChild<HelpCommands *>()->helpWindow()->currentPage(), QStringLiteral("index.html"));
        }
        delete main->findChild<HelpCommands *>()->helpWindow();
        QTest::keyClick(main->HTML(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(!main->findChild<HelpCommands *>()->helpWindow()); // the menu key itself: the table and cell dialogs' key test
    }

    // The collection in the cache folder damaged (by a crash, a full disk),
    // or no folder to keep it in: the help shows all the same.
    void damagedCollectionIsRebuilt_data()
    {
        QTest::addColumn<int>("kept"); // bytes of the collection kept; -1: bytes of no database
        QTest::addColumn<bool>("folderIsAFile");
        QTest::newRow("random bytes") << -1 << false;
        QTest::newRow("truncated") << 8192 << false;
        QTest::newRow("a file in place of the folder") << 0 << true;
    }
    void damagedCollectionIsRebuilt()
    {
        QFETCH(int, kept);
        QFETCH(bool, folderIsAFile);
        const QString folder = qEnvironmentVariable("XDG_CACHE_HOME") + "/velmora";
        delete main->findChild<HelpCommands *>()->helpWindow();
        delete HelpWindow::create(main->findChild<HelpCommands *>()->helpFile(), nullptr); // a whole collection first
        const QByteArray bytes = fileBytes(folder + "/help.qhc");
        writeFile(folder + "/help.qhc", kept < 0 ? QByteArray(bytes.size(), '\x9c') : bytes.left(kept));
        if (folderIsAFile)
            QVERIFY(QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly));
        for (int run = 0; run < 2; ++run) { // and on the next start
            const std::unique_ptr<HelpWindow> help(HelpWindow::create(main->findChild<HelpCommands *>()->helpFile(), nullptr));
            QVERIFY(help && help->isUsable());
            help->showPage("table.html");
            QCOMPARE(help->currentPage(), "table.html");
        }
        QFile::remove(folder);
    }

    // F1 in a message box or a file dialog: the help comes up active and
    // takes keys while the modal window runs, and F1 brings it back from
    // the task bar.
    void helpFromAModalWindow_data()
    {
        QTest::addColumn<bool>("fileDialog");
        QTest::newRow("message box") << false;
        QTest::newRow("file dialog") << true;
    }
    void helpFromAModalWindow()
    {
        QFETCH(bool, fileDialog);
        delete main->findChild<HelpCommands *>()->helpWindow();
        activate(main);
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            for (int i = 0; i < 2; ++i) {
                QTest::keyClick(modal, Qt::Key_F1);
                HelpWindow *help = main->findChild<HelpCommands *>()->helpWindow();
                (void)QTest::qWaitFor([help] { return help->isActiveWindow(); }, 2000);
                auto *search = help->findChild<QLineEdit *>();
                search->clear();
                search->setFocus();
                QTest::keyClick(help->windowHandle(), Qt::Key_A);
                seen << QStringLiteral("visible %1, active %2, typed '%3'")
                            .arg(help->isVisible() && !help->isMinimized())
                            .arg(help->isActiveWindow())
                            .arg(search->text());
                help->showMinimized();
            }
            modal->close();
        });
        QtPlatform platform;
        fileDialog ? void(platform.openFile(main, {})) : void(platform.messageBox(main, "m", "t", MsgIcon::None, MsgButtons::OK));
        QCOMPARE(seen, QStringList(2, "visible 1, active 1, typed 'a'"));
    }

    void missingHelpFileGivesAMessage()
    {
        HelpCommands help(MainMenu(main->menu()), fx.platform, main, QStringLiteral("/nonexistent/x.qch"));
        fx.platform.messageAnswers << MsgResult::OK;
        help.showHelp();
        QVERIFY(!help.helpWindow());
        QCOMPARE(messageLine(fx.platform, 0),
                 QStringLiteral("Velmora Help|Exclamation|OK|The help file '/nonexistent/x.qch' could not be opened."));
        fx.platform.messages.clear();
    }

    void aboutAndFeedback()
    {
        activate(main);
        fx.platform.messageAnswers << MsgResult::OK;
        QTest::keyClick(main->HTML(), Qt::Key_F5, Qt::ShiftModifier);
        QCOMPARE(messageLine(fx.platform, 0),
                 QStringLiteral("Velmora|Information|OK|Velmora version:\r\n\r\n1.02.0007\r\n\r\nFendro Vatro"));
        fx.platform.urlResults << false; // no mail program: nothing more happens
        QTest::keyClick(main->HTML(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(fx.platform.urls, QStringList{"mailto:feedback@velmora.example?subject=Velmora"});
        QCOMPARE(fx.platform.messages.size(), 1);
    }

    // The splash closes by its timer, a character key, or a click on its
    // frame, but not on a click on a label inside the frame.
    void splashCloses()
    {
        const QList<std::function<void(frmSplash &)>> closers{
            [](frmSplash &s) { s.stopsplash->setInterval(50); s.stopsplash->start(); },
            [](frmSplash &s) { QTest::keyClick(&s, Qt::Key_A); },
            [](frmSplash &s) { QTest::mouseClick(s.Frame1, Qt::LeftButton, {}, QPoint(2, 2)); },
        };
        const std::unique_ptr<VatroControl> vatro = VatroControl::create(nullptr);
        QVERIFY(vatro);
        for (const auto &close : closers) {
            QPointer<frmSplash> splash = new frmSplash(*vatro);
            splash->show();
            QVERIFY(QTest::qWaitForWindowExposed(splash.data()));
            QCOMPARE(splash->lblVersion->text(), QStringLiteral("1.02.0007"));
            QCOMPARE(splash->stopsplash->interval(), 3500);
            QVERIFY(splash->stopsplash->isActive());
            QTest::mouseClick(splash->lblProductName, Qt::LeftButton);
            QTest::keyClick(splash.data(), Qt::Key_Shift);
            QVERIFY(splash);
            close(*splash);
            QTRY_VERIFY(!splash);
        }
    }
};

VELMORA_TEST_MAIN(TestHelp)
#include "tst_help.moc"
