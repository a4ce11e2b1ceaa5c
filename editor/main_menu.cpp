// frmHTML's menu bar and the text pane's pop-up Edit menu: captions and
// shortcuts. The command objects enable and connect the items.

#include "editor/main_menu.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

MainMenu createMainMenu(QMainWindow &window)
{
    auto item = [](QMenu *menu, const QString &caption, const QKeySequence &shortcut = {}) {
        QAction *a = menu->addAction(caption);
        a->setShortcut(shortcut);
        // The pop-up menu has no shortcuts; the others work from anywhere in
        // the window, the text pane included.
        a->setShortcutContext(Qt::WindowShortcut);
        // Until the command that serves it says otherwise.
        a->setEnabled(false);
        return a;
    };
    MainMenu m;
    QMenuBar *bar = window.menuBar();

    m.mnuFile = bar->addMenu(QStringLiteral("&File"));
    m.mnuNew = item(m.mnuFile, QStringLiteral("&New"), Qt::Key_F2);
    m.mnuOpen = item(m.mnuFile, QStringLiteral("&Open..."), Qt::Key_F3);
    m.mnuSave = item(m.mnuFile, QStringLiteral("&Save"), Qt::Key_F4);
    m.mnuSaveAs = item(m.mnuFile, QStringLiteral("Save &As..."), Qt::Key_F5);
    m.mnuFile->addSeparator(); // div1
    m.mnuExit = item(m.mnuFile, QStringLiteral("E&xit"));

    // The Edit menu is not on the menu bar: it is the text pane's pop-up.
    m.mnuHid = new QMenu(QStringLiteral("&Edit"), &window);
    m.mnuCut = item(m.mnuHid, QStringLiteral("Cu&t"));
    m.mnuCopy = item(m.mnuHid, QStringLiteral("&Copy"));
    m.mnuPaste = item(m.mnuHid, QStringLiteral("&Paste"));
    m.mnuHid->addSeparator(); // Div5
    m.mnuSelectAll = item(m.mnuHid, QStringLiteral("Select &All"));

    m.mnuBrowser = bar->addMenu(QStringLiteral("&Browser"));
    m.mnuAU = item(m.mnuBrowser, QStringLiteral("&Auto-update"), Qt::Key_F6);
    m.mnuAU->setCheckable(true);
    m.mnuUpdate = item(m.mnuBrowser, QStringLiteral("&Update"), Qt::Key_F7);
    m.mnuBrowser->addSeparator(); // Div4
    m.mnuVIB = item(m.mnuBrowser, QStringLiteral("&View in Browser..."), Qt::SHIFT | Qt::Key_F8);

    m.mnuHTML = bar->addMenu(QStringLiteral("&HTML"));
    m.mnuUndo = item(m.mnuHTML, QStringLiteral("&Undo"), Qt::Key_F8);
    m.mnuInsert = m.mnuHTML->addMenu(QStringLiteral("&Insert"));
    m.mnuBookmark = item(m.mnuInsert, QStringLiteral("&Bookmark..."), Qt::CTRL | Qt::Key_B);
    m.mnuCell = item(m.mnuInsert, QStringLiteral("Cell &properties..."), Qt::CTRL | Qt::Key_P);
    m.mnuH = item(m.mnuInsert, QStringLiteral("&Horizontal rule..."), Qt::CTRL | Qt::Key_H);
    m.mnuHyperlink = item(m.mnuInsert, QStringLiteral("H&yperlink..."), Qt::CTRL | Qt::Key_Y);
    m.mnuImage = item(m.mnuInsert, QStringLiteral("&Image..."), Qt::CTRL | Qt::Key_I);
    m.mnuMarquee = item(m.mnuInsert, QStringLiteral("Mar&quee..."), Qt::CTRL | Qt::Key_Q);
    m.mnuTable = item(m.mnuInsert, QStringLiteral("&Table..."), Qt::CTRL | Qt::Key_T);
    m.mnuScript = item(m.mnuInsert, QStringLiteral("&Script..."), Qt::CTRL | Qt::Key_S);
    m.mnuInsert->addSeparator(); // div2
    m.mnuST =
        item(m.mnuInsert, QStringLiteral("Special character/tag/te&xt..."), Qt::CTRL | Qt::Key_F1);
    m.mnuHTMLcolour = item(m.mnuInsert, QStringLiteral("HTM&L colour..."), Qt::CTRL | Qt::Key_F2);
    m.mnuFN = item(m.mnuInsert, QStringLiteral("&File name..."), Qt::CTRL | Qt::Key_F3);
    m.mnuHTML2text =
        item(m.mnuInsert, QStringLiteral("&Convert HTML to text"), Qt::CTRL | Qt::Key_F4);
    m.mnuFont = item(m.mnuHTML, QStringLiteral("&HTML font..."), Qt::Key_F11);
    m.mnuColour = item(m.mnuHTML, QStringLiteral("HTML background &colour..."), Qt::Key_F12);

    m.mnuOptions = bar->addMenu(QStringLiteral("&Options"));
    m.mnuPos = m.mnuOptions->addMenu(QStringLiteral("&Browser/HTML position"));
    m.mnuPos1 = item(m.mnuPos, QStringLiteral("&Browser top, HTML bottom"), Qt::SHIFT | Qt::Key_F1);
    m.mnuPos2 = item(m.mnuPos, QStringLiteral("Browser bottom, &HTML top"), Qt::SHIFT | Qt::Key_F2);
    m.mnuPos3 = item(m.mnuPos, QStringLiteral("Browser &left, HTML right"), Qt::SHIFT | Qt::Key_F3);
    m.mnuPos4 = item(m.mnuPos, QStringLiteral("Browser &right, HTML left"), Qt::SHIFT | Qt::Key_F4);
    for (QAction *p : {m.mnuPos1, m.mnuPos2, m.mnuPos3, m.mnuPos4})
        p->setCheckable(true);
    m.mnuLoc = item(m.mnuOptions, QStringLiteral("&Locations..."), Qt::SHIFT | Qt::Key_F7);

    m.mnuHelp = bar->addMenu(QStringLiteral("H&elp"));
    m.mnuContents = item(m.mnuHelp, QStringLiteral("&Contents..."), Qt::Key_F9);
    m.mnuAbout = item(m.mnuHelp, QStringLiteral("&About..."), Qt::SHIFT | Qt::Key_F5);
    m.mnuSendFeedback = item(m.mnuHelp, QStringLiteral("&Send feedback..."), Qt::SHIFT | Qt::Key_F6);
    return m;
}
