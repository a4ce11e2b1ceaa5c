// The browser pane on the real WebEngine view: loading a local file in UTF-8,
// refresh with and without a page, the scroll position kept by a refresh and
// reset by a navigate, and the keyboard focus left where it was; what a page
// may load and read of the disk; its script dialogs.
#include "widgets/browser_pane.h"
#include "widgets/composition.h"
#include "widgets/html_pane.h"

#include <QWebEngineSettings>
#include "support/test_env.h"
#include "support/window_fixture.h"

class TestBrowserPane : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    static QVariant js(BrowserPane &view, const QString &script)
    {
        QVariant result = QStringLiteral("<no answer>");
        bool done = false;
        webView(view)->page()->runJavaScript(script, [&](const QVariant &v) { result = v, done = true; });
        // The callback refers to this frame: never leave before it has run.
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            qFatal("the page did not answer");
        return result;
    }
    static bool load(BrowserPane &view, const std::function<void()> &start)
    {
        QSignalSpy finished(&view, &BrowserPane::loadFinished);
        view.startEngine(); // it waits for the pane's first paint otherwise
        start();
        return finished.wait(20000) && finished.last().at(0).toBool();
    }
    QString page(const char *name, const QByteArray &bytes)
    {
        writeFile(dir.filePath(name), bytes);
        return QStringLiteral("file://") + dir.filePath(name);
    }

private slots:
    // OpenGL only where a graphics processor draws it; what the user set
    // for Qt Quick decides alone.
    void composition_data()
    {
        QTest::addColumn<QString>("quickBackend"); // "-": not set
        QTest::addColumn<QString>("softwareGl");
        QTest::addColumn<QString>("xExtensions"); // "-": not X; else comma-separated
        QTest::addColumn<bool>("software");
        QTest::newRow("Xvfb, VNC: no direct rendering") << "-" << "" << "" << true;
        QTest::newRow("X with DRI3") << "-" << "" << "DRI3,DRI2" << false;
        QTest::newRow("older X, DRI2 only") << "-" << "" << "DRI2" << false;
        QTest::newRow("NVIDIA's GLX") << "-" << "" << "NV-GLX" << false;
        QTest::newRow("Wayland and others") << "-" << "" << "-" << false;
        QTest::newRow("software OpenGL asked for") << "-" << "1" << "DRI3" << true;
        QTest::newRow("software OpenGL declined") << "-" << "0" << "DRI3" << false;
        QTest::newRow("user's Qt Quick: software") << "software" << "" << "DRI3" << true;
        QTest::newRow("user's Qt Quick: OpenGL") << "rhi" << "1" << "" << false;
    }
    void composition()
    {
        QFETCH(QString, quickBackend);
        QFETCH(QString, softwareGl);
        QFETCH(QString, xExtensions);
        GraphicsFacts facts;
        if (quickBackend != "-")
            facts.quickBackend = quickBackend;
        facts.softwareGl = softwareGl;
        if (xExtensions != "-")
            facts.xExtensions = xExtensions.split(',', Qt::SkipEmptyParts);
        QTEST(composeInSoftware(facts), "software");
    }

    // The two notices of a software start are left out; everything else,
    // a notice's text at another level included, still arrives.
    void softwareNotices()
    {
        quietSoftwareCompositionNotices();
        QTest::failOnWarning(QRegularExpression(QStringLiteral("AA_ShareOpenGLContexts|graphics backend")));
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        qWarning("No suitable graphics backend found\n");
        QTest::ignoreMessage(QtWarningMsg, "No suitable graphics backend");
        qWarning("No suitable graphics backend");
        QTest::ignoreMessage(QtCriticalMsg, "No suitable graphics backend found");
        qCritical("No suitable graphics backend found");
    }

    // One view beside a text pane: a refresh without a page, a first page and
    // its refresh, then the scroll position across refreshes (which read the
    // file again) and a navigate. Neither a load nor a refresh takes the focus
    // from the text pane, not even for a field that asks for it.
    void navigateAndRefresh()
    {
        QWidget window;
        auto *layout = new QHBoxLayout(&window);
        auto &view = *new BrowserPane(&window);
        auto *editor = new HTMLPane(&window);
        layout->addWidget(&view);
        layout->addWidget(editor);
        QCOMPARE(view.refresh(), std::int32_t(0x80004005)); // no page yet
        view.setMinimumSize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        editor->setFocus();
        // No charset named and too little text to guess from: the default counts.
        const QString address = page("page.htm", QString::fromUtf8("<input autofocus><p id=\"p\">\u00e9</p>").toUtf8());
        QVERIFY(load(view, [&] { view.navigate(address); })); // the address it sets: tst_preview
        const QString text = QStringLiteral("document.getElementById('p').textContent");
        QCOMPARE(js(view, text).toString(), QString::fromUtf8("\u00e9"));
        QVERIFY(load(view, [&] { QCOMPARE(view.refresh(), 0); }));
        QTest::qWait(100);
        QCOMPARE(QApplication::focusWidget(), editor);
        const QByteArray tall = "<html><body><div style=\"height:5000px\">%1</div></body></html>";
        const QString tallAddress = page("tall.htm", QByteArray(tall).replace("%1", "one"));
        QVERIFY(load(view, [&] { view.navigate(tallAddress); }));
        js(view, QStringLiteral("window.scrollTo(0, 1234)"));
        QTRY_COMPARE_WITH_TIMEOUT(webView(view)->page()->scrollPosition().y(), 1234.0, 5000);
        page("tall.htm", QByteArray(tall).replace("%1", "two"));
        // Two refreshes in a row, as fast typing makes them: the place read
        // before the first one is the one restored.
        QVERIFY(load(view, [&] { view.refresh(), view.refresh(); }));
        QTRY_COMPARE_WITH_TIMEOUT(js(view, QStringLiteral("window.scrollY")).toInt(), 1234, 5000);
        QCOMPARE(js(view, QStringLiteral("document.body.textContent")).toString(), QStringLiteral("two"));
        const QString other = page("other.htm", QByteArray(tall).replace("%1", "other"));
        QVERIFY(load(view, [&] { view.navigate(other); }));
        QTest::qWait(200);
        QCOMPARE(js(view, QStringLiteral("window.scrollY")).toInt(), 0);
    }

    // A page in the temporary folder shown for a document of "site": its
    // relative addresses resolve there, and its scripts read files of that
    // folder only; images and style sheets load from anywhere, by name.
    void localFiles_data()
    {
        QTest::addColumn<QString>("probe");
        QTest::addColumn<QString>("result");
        for (const auto &[probe, result] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"css", "7px"}, {"img rel", "shown"}, {"img up", "shown"}, {"img abs", "shown"},
                 {"img txt", "broken"}, {"fetch inside", "inside"}, {"xhr inside", "inside"},
                 {"fetch outside", "denied"}, {"xhr outside", "denied"}, {"folder", "denied"},
                 {"link", "denied"}, {"hidden", "denied"}, {"frame", "denied"}})
            QTest::newRow(probe) << probe << result;
    }
    void localFiles()
    {
        QFETCH(QString, probe);
        QFETCH(QString, result);
        static QVariantMap results;
        if (results.isEmpty()) {
            const QString root = dir.path();
            for (const char *folder : {"/site/.hidden", "/temp"})
                QVERIFY(QDir().mkpath(root + folder));
            for (const char *image : {"/site/pic.png", "/outside.png"})
                QVERIFY(QImage(2, 2, QImage::Format_RGB32).save(root + image));
            writeFile(root + "/site/style.css", "#s { width: 7px }");
            writeFile(root + "/site/data.txt", "inside");
            writeFile(root + "/site/.hidden/key.txt", "hidden");
            writeFile(root + "/secret.txt", "secret");
            QVERIFY(QFile::link(root, root + "/site/link"));
            const QString address = page("temp/KV731504.htm", QByteArray(
                "<link rel=\"stylesheet\" href=\"style.css\"><div id=\"s\"></div>\n"
                "<img id=\"rel\" src=\"pic.png\"><img id=\"up\" src=\"../outside.png\"><img id=\"abs\" src=\"file://@/outside.png\"><img id=\"txt\" src=\"../secret.txt\">\n"
                "<script>\n"
                "r = {};\n"
                "const read = (name, url) => fetch(url).then(x => x.text()).then(t => r[name] = t, () => r[name] = 'denied');\n"
                "const xhr = (name, url) => { const q = new XMLHttpRequest(); q.open('GET', url);\n"
                "  q.onload = () => r[name] = q.responseText; q.onerror = () => r[name] = 'denied'; q.send(); };\n"
                "read('fetch inside', 'data.txt'), xhr('xhr inside', 'data.txt'), read('fetch outside', '../secret.txt');\n"
                "xhr('xhr outside', 'file://@/secret.txt'), read('folder', 'file://@/'), read('link', 'link/secret.txt');\n"
                "read('hidden', '.hidden/key.txt');\n"
                "onload = () => {\n"
                "  for (const i of document.images) r['img ' + i.id] = i.naturalWidth ? 'shown' : 'broken';\n"
                "  r.css = getComputedStyle(s).width;\n"
                "  const f = document.body.appendChild(document.createElement('iframe'));\n"
                "  f.onload = () => { try { r.frame = f.contentDocument.body.textContent } catch (e) { r.frame = 'denied' } };\n"
                "  f.src = '../secret.txt';\n"
                "};\n"
                "</script>\n").replace("@", root.toUtf8()));
            BrowserPane view;
            view.setBaseFolder(root + "/site");
            QVERIFY(load(view, [&] { view.navigate(address); }));
            QVERIFY(QTest::qWaitFor([&] { return (results = js(view, "r").toMap()).size() == 13; }, 10000));
        }
        QCOMPARE(results.value(probe).toString(), result);
    }

    // The page's dialogs in the strip over it, in plain text, while the
    // editor goes on; the answers reach the page. A page that keeps asking
    // is offered to be stopped, and stopping it stops its scripts.
    void scriptDialogs_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::newRow("alert") << "alert('<b>hi</b>'); document.title = 'done'" << "OK" << "" << "done";
        QTest::newRow("confirm, OK") << "document.title = confirm('<b>hi</b>')" << "OK" << "" << "true";
        QTest::newRow("confirm, Cancel") << "document.title = confirm('<b>hi</b>')" << "Cancel" << "" << "false";
        QTest::newRow("prompt, typed") << "document.title = prompt('<b>hi</b>', 'x')" << "OK" << "typed" << "typed";
        QTest::newRow("prompt, Cancel") << "document.title = prompt('<b>hi</b>', 'x')" << "Cancel" << "" << "null";
        QTest::newRow("again and again") << "for (;;) alert('<b>hi</b>')" << "Stop the page's scripts" << "" << "";
    }
    void scriptDialogs()
    {
        QFETCH(QString, script);
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(QString, title);
        QWidget window;
        auto *layout = new QHBoxLayout(&window);
        auto &view = *new BrowserPane(&window);
        auto *editor = new HTMLPane(&window);
        layout->addWidget(&view), layout->addWidget(editor);
        window.show();
        QStringList said; // what the strip said, and whether it offered to stop
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget())
                said << "modal", modal->close();
            auto *bar = view.findChild<QFrame *>("scriptDialogs");
            if (!bar || !bar->isVisible() || bar->findChild<QPushButton *>()->isHidden())
                return;
            QTest::keyClicks(editor, "k"); // the editor takes keys meanwhile
            const QList<QPushButton *> buttons = bar->findChildren<QPushButton *>();
            said << bar->findChild<QLabel *>()->text() + (buttons.at(2)->isVisible() ? " +stop" : "");
            bar->findChild<QLineEdit *>()->setText(typed);
            for (QPushButton *b : buttons)
                if (b->text() == button && b->isVisible())
                    return b->click();
            buttons.first()->click(); // OK until the stop is offered
        });
        answer.start(20);
        view.navigate(page("dialog.htm", "<script>" + script.toUtf8() + "</script>"));
        const QString text = script.contains("alert") ? "The page says: <b>hi</b>" : "The page asks: <b>hi</b>";
        if (title.isEmpty()) { // stopped: the page loads again without its scripts
            QTRY_COMPARE(said, QStringList({text, text, text + " +stop"}));
            QTest::qWait(500);
            QCOMPARE(said.size(), 3);
            QCOMPARE(webView(view)->page()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled), false);
            return;
        }
        QTRY_COMPARE(webView(view)->title(), title);
        QCOMPARE(said, QStringList{text});
        QCOMPARE(editor->wholeText(), "k");
    }
};

VELMORA_TEST_MAIN(TestBrowserPane)
#include "tst_browser_pane.moc"
