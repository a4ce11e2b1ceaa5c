// frmHTML's menu bar and the text pane's pop-up Edit menu: captions,
// shortcuts, and the wiring of each item to the object that serves it.

#include "editor/main_window.h"

#include "editor/document.h"
#include "editor/insertion_undo.h"
#include "editor/preview.h"
#include "options_dialogs/locations_dialog.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void frmHTML::createMenus()
{
    auto item = [this](QMenu *menu, const QString &caption, const QKeySequence &shortcut = {}) {
        QAction *a = menu->addAction(caption);
        a->setShortcut(shortcut);
        // The pop-up menu has no shortcuts; the others work from anywhere in
        // the window, the text pane included.
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    auto later = [](QAction *a) {
        // Served by commands that enable the items themselves.
        a->setEnabled(false);
        return a;
    };
    MainMenu &m = menu_;

    m.mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    m.mnuNew = item(m.mnuFile, QStringLiteral("&New"), Qt::Key_F2);
    m.mnuOpen = item(m.mnuFile, QStringLiteral("&Open..."), Qt::Key_F3);
    m.mnuSave = item(m.mnuFile, QStringLiteral("&Save"), Qt::Key_F4);
    m.mnuSaveAs = item(m.mnuFile, QStringLiteral("Save &As..."), Qt::Key_F5);
    m.mnuFile->addSeparator(); // div1
    m.mnuExit = item(m.mnuFile, QStringLiteral("E&xit"));

    // The Edit menu is not on the menu bar: it is the text pane's pop-up.
    m.mnuHid = new QMenu(QStringLiteral("&Edit"), this);
    m.mnuCut = item(m.mnuHid, QStringLiteral("Cu&t"));
    m.mnuCopy = item(m.mnuHid, QStringLiteral("&Copy"));
    m.mnuPaste = item(m.mnuHid, QStringLiteral("&Paste"));
    m.mnuHid->addSeparator(); // Div5
    m.mnuSelectAll = item(m.mnuHid, QStringLiteral("Select &All"));

    m.mnuBrowser = menuBar()->addMenu(QStringLiteral("&Browser"));
    m.mnuAU = item(m.mnuBrowser, QStringLiteral("&Auto-update"), Qt::Key_F6);
    m.mnuAU->setCheckable(true);
    m.mnuUpdate = item(m.mnuBrowser, QStringLiteral("&Update"), Qt::Key_F7);
    m.mnuBrowser->addSeparator(); // Div4
    m.mnuVIB = item(m.mnuBrowser, QStringLiteral("&View in Browser..."), Qt::SHIFT | Qt::Key_F8);

    m.mnuHTML = menuBar()->addMenu(QStringLiteral("&HTML"));
    m.mnuUndo = item(m.mnuHTML, QStringLiteral("&Undo"), Qt::Key_F8);
    m.mnuInsert = m.mnuHTML->addMenu(QStringLiteral("&Insert"));
    m.mnuBookmark = later(item(m.mnuInsert, QStringLiteral("&Bookmark..."), Qt::CTRL | Qt::Key_B));
    m.mnuCell = later(item(m.mnuInsert, QStringLiteral("Cell &properties..."), Qt::CTRL | Qt::Key_P));
    m.mnuH = later(item(m.mnuInsert, QStringLiteral("&Horizontal rule..."), Qt::CTRL | Qt::Key_H));
    m.mnuHyperlink = later(item(m.mnuInsert, QStringLiteral("H&yperlink..."), Qt::CTRL | Qt::Key_Y));
    m.mnuImage = later(item(m.mnuInsert, QStringLiteral("&Image..."), Qt::CTRL | Qt::Key_I));
    m.mnuMarquee = later(item(m.mnuInsert, QStringLiteral("Mar&quee..."), Qt::CTRL | Qt::Key_Q));
    m.mnuTable = later(item(m.mnuInsert, QStringLiteral("&Table..."), Qt::CTRL | Qt::Key_T));
    m.mnuScript = later(item(m.mnuInsert, QStringLiteral("&Script..."), Qt::CTRL | Qt::Key_S));
    m.mnuInsert->addSeparator(); // div2
    m.mnuST = later(item(m.mnuInsert, QStringLiteral("Special character/tag/te&xt..."),
                         Qt::CTRL | Qt::Key_F1));
    m.mnuHTMLcolour =
        later(item(m.mnuInsert, QStringLiteral("HTM&L colour..."), Qt::CTRL | Qt::Key_F2));
    m.mnuFN = later(item(m.mnuInsert, QStringLiteral("&File name..."), Qt::CTRL | Qt::Key_F3));
    m.mnuHTML2text =
        later(item(m.mnuInsert, QStringLiteral("&Convert HTML to text"), Qt::CTRL | Qt::Key_F4));
    m.mnuFont = later(item(m.mnuHTML, QStringLiteral("&HTML font..."), Qt::Key_F11));
    m.mnuColour = later(item(m.mnuHTML, QStringLiteral("HTML background &colour..."), Qt::Key_F12));

    m.mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    m.mnuPos = m.mnuOptions->addMenu(QStringLiteral("&Browser/HTML position"));
    m.mnuPos1 = item(m.mnuPos, QStringLiteral("&Browser top, HTML bottom"), Qt::SHIFT | Qt::Key_F1);
    m.mnuPos2 = item(m.mnuPos, QStringLiteral("Browser bottom, &HTML top"), Qt::SHIFT | Qt::Key_F2);
    m.mnuPos3 = item(m.mnuPos, QStringLiteral("Browser &left, HTML right"), Qt::SHIFT | Qt::Key_F3);
    m.mnuPos4 = item(m.mnuPos, QStringLiteral("Browser &right, HTML left"), Qt::SHIFT | Qt::Key_F4);
    for (QAction *p : {m.mnuPos1, m.mnuPos2, m.mnuPos3, m.mnuPos4})
        p->setCheckable(true);
    m.mnuLoc = item(m.mnuOptions, QStringLiteral("&Locations..."), Qt::SHIFT | Qt::Key_F7);

    m.mnuHelp = menuBar()->addMenu(QStringLiteral("H&elp"));
    m.mnuContents = later(item(m.mnuHelp, QStringLiteral("&Contents..."), Qt::Key_F9));
    m.mnuAbout = later(item(m.mnuHelp, QStringLiteral("&About..."), Qt::SHIFT | Qt::Key_F5));
    m.mnuSendFeedback =
        later(item(m.mnuHelp, QStringLiteral("&Send feedback..."), Qt::SHIFT | Qt::Key_F6));
}

void frmHTML::connectMenus()
{
    const MainMenu &m = menu_;
    // The check marks show the state; the state's owner sets them.
    setArrangement(arrangement_);
    const QAction *const pos[4] = {m.mnuPos1, m.mnuPos2, m.mnuPos3, m.mnuPos4};
    for (int i = 0; i < 4; ++i)
        connect(pos[i], &QAction::triggered, this, [this, i] {
            PaneArrangement one{false, false, false, false};
            one[i] = true;
            setArrangement(one);
            Form_Resize();
        });
    connect(preview_, &Preview::autoUpdateChanged, m.mnuAU, &QAction::setChecked);
    connect(m.mnuAU, &QAction::triggered, preview_, &Preview::toggleAutoUpdate);
    connect(m.mnuUpdate, &QAction::triggered, preview_, &Preview::refreshOnRequest);
    connect(m.mnuVIB, &QAction::triggered, preview_, &Preview::viewInBrowser);
    // The locations: modal from the menu and the preview's failures, without
    // waiting after a browser that could not be started.
    connect(m.mnuLoc, &QAction::triggered, this, [this] { locationsDialog().showModal(); });
    connect(preview_, &Preview::locationsWanted, this, [this] { locationsDialog().showModal(); });
    connect(preview_, &Preview::launchFailed, this, [this] { locationsDialog().showModeless(); });

    connect(m.mnuNew, &QAction::triggered, this, [this] { document_->newDocument(newDialog()); });
    connect(m.mnuOpen, &QAction::triggered, document_, &Document::open);
    connect(m.mnuSave, &QAction::triggered, document_, &Document::save);
    connect(m.mnuSaveAs, &QAction::triggered, document_, &Document::saveAs);
    connect(m.mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(document_, &Document::fileNameChanged, this, &frmHTML::setCaption);
    connect(document_, &Document::fileNameChanged, preview_, &Preview::setDocumentFile);
    connect(document_, &Document::formatResetWanted, this, &frmHTML::ResetFormat);

    connect(m.mnuCut, &QAction::triggered, this, &frmHTML::mnuCut_Click);
    connect(m.mnuCopy, &QAction::triggered, this, &frmHTML::mnuCopy_Click);
    connect(m.mnuPaste, &QAction::triggered, this, &frmHTML::mnuPaste_Click);
    connect(m.mnuSelectAll, &QAction::triggered, this, &frmHTML::mnuSelectAll_Click);
    connect(m.mnuUndo, &QAction::triggered, undo_, &InsertionUndo::restore);
}
