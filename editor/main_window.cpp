// frmHTML: its controls, menu bar, load step, exit sequence and caption.
// The commands live in preview.cpp, file_commands.cpp, edit_commands.cpp,
// pane_layout_window.cpp and settings_window.cpp.

#include "editor/main_window.h"

#include "document_dialogs/new_dialog.h"
#include "editor/main_window_state.h"
#include "insert/insert_commands.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

const QString kCaptionPrefix = QStringLiteral("Velmora - ");
const QSize kDesignSize(800, 600);

} // namespace

frmHTML::frmHTML(Platform &platform, std::unique_ptr<VatroControl> vatro,
                 const QString &commandLine, QWidget *parent)
    : QMainWindow(parent),
      OpenSave(platform),
      Colour(platform),
      ctlFont(platform),
      Vatro(*vatro),
      platform_(platform),
      vatro_(std::move(vatro)),
      commandLine_(commandLine),
      state_(std::make_unique<State>())
{
    // The editor font at creation is the system's fixed-width font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ctlFont.font.name = fixed.family();
    ctlFont.font.size = fixed.pointSizeF() > 0 ? fixed.pointSizeF() : 10;

    // Until the load step reads the settings, the locations hold their
    // defaults, so a preview refresh has somewhere to go.
    state_->locations = defaultLocations(true);

    createControls();
    createMenus();
    setCaption(QString());
    resize(kDesignSize);
    insertCommands_ = new InsertCommands(*this);
}

frmHTML::~frmHTML() = default;

void frmHTML::createControls()
{
    state_->paneArea = new QWidget(this);
    setCentralWidget(state_->paneArea);
    Browser = new BrowserPane(state_->paneArea);
    HTML = new HTMLPane(state_->paneArea);
    // The design places the panes as the first arrangement does.
    const QSize area(kDesignSize.width(), kDesignSize.height() - 30);
    const PaneGeometry g = layoutPanes(area, {true, false, false, false}, {});
    Browser->setGeometry(g.browser);
    HTML->setGeometry(g.editor);
    HTML->setFocus();
    state_->paneArea->installEventFilter(this);

    connect(HTML, &HTMLPane::changed, this, &frmHTML::HTML_Change);
    connect(HTML, &HTMLPane::rightButtonPressed, this, &frmHTML::HTML_MouseDown);
}

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

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuNew = item(mnuFile, QStringLiteral("&New"), Qt::Key_F2);
    mnuOpen = item(mnuFile, QStringLiteral("&Open..."), Qt::Key_F3);
    mnuSave = item(mnuFile, QStringLiteral("&Save"), Qt::Key_F4);
    mnuSaveAs = item(mnuFile, QStringLiteral("Save &As..."), Qt::Key_F5);
    mnuFile->addSeparator(); // div1
    mnuExit = item(mnuFile, QStringLiteral("E&xit"));

    // The Edit menu is not on the menu bar: it is the text pane's pop-up.
    mnuHid = new QMenu(QStringLiteral("&Edit"), this);
    mnuCut = item(mnuHid, QStringLiteral("Cu&t"));
    mnuCopy = item(mnuHid, QStringLiteral("&Copy"));
    mnuPaste = item(mnuHid, QStringLiteral("&Paste"));
    mnuHid->addSeparator(); // Div5
    mnuSelectAll = item(mnuHid, QStringLiteral("Select &All"));

    mnuBrowser = menuBar()->addMenu(QStringLiteral("&Browser"));
    mnuAU = item(mnuBrowser, QStringLiteral("&Auto-update"), Qt::Key_F6);
    mnuAU->setCheckable(true);
    mnuUpdate = item(mnuBrowser, QStringLiteral("&Update"), Qt::Key_F7);
    mnuBrowser->addSeparator(); // Div4
    mnuVIB = later(item(mnuBrowser, QStringLiteral("&View in Browser..."), Qt::SHIFT | Qt::Key_F8));

    mnuHTML = menuBar()->addMenu(QStringLiteral("&HTML"));
    mnuUndo = item(mnuHTML, QStringLiteral("&Undo"), Qt::Key_F8);
    mnuUndo->setEnabled(false);
    mnuInsert = mnuHTML->addMenu(QStringLiteral("&Insert"));
    mnuBookmark = later(item(mnuInsert, QStringLiteral("&Bookmark..."), Qt::CTRL | Qt::Key_B));
    mnuCell = later(item(mnuInsert, QStringLiteral("Cell &properties..."), Qt::CTRL | Qt::Key_P));
    mnuH = later(item(mnuInsert, QStringLiteral("&Horizontal rule..."), Qt::CTRL | Qt::Key_H));
    mnuHyperlink = later(item(mnuInsert, QStringLiteral("H&yperlink..."), Qt::CTRL | Qt::Key_Y));
    mnuImage = later(item(mnuInsert, QStringLiteral("&Image..."), Qt::CTRL | Qt::Key_I));
    mnuMarquee = later(item(mnuInsert, QStringLiteral("Mar&quee..."), Qt::CTRL | Qt::Key_Q));
    mnuTable = later(item(mnuInsert, QStringLiteral("&Table..."), Qt::CTRL | Qt::Key_T));
    mnuScript = later(item(mnuInsert, QStringLiteral("&Script..."), Qt::CTRL | Qt::Key_S));
    mnuInsert->addSeparator(); // div2
    mnuST = later(item(mnuInsert, QStringLiteral("Special character/tag/te&xt..."),
                       Qt::CTRL | Qt::Key_F1));
    mnuHTMLcolour = later(item(mnuInsert, QStringLiteral("HTM&L colour..."), Qt::CTRL | Qt::Key_F2));
    mnuFN = later(item(mnuInsert, QStringLiteral("&File name..."), Qt::CTRL | Qt::Key_F3));
    mnuHTML2text =
        later(item(mnuInsert, QStringLiteral("&Convert HTML to text"), Qt::CTRL | Qt::Key_F4));
    mnuFont = later(item(mnuHTML, QStringLiteral("&HTML font..."), Qt::Key_F11));
    mnuColour = later(item(mnuHTML, QStringLiteral("HTML background &colour..."), Qt::Key_F12));

    mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    mnuPos = mnuOptions->addMenu(QStringLiteral("&Browser/HTML position"));
    mnuPos1 = item(mnuPos, QStringLiteral("&Browser top, HTML bottom"), Qt::SHIFT | Qt::Key_F1);
    mnuPos2 = item(mnuPos, QStringLiteral("Browser bottom, &HTML top"), Qt::SHIFT | Qt::Key_F2);
    mnuPos3 = item(mnuPos, QStringLiteral("Browser &left, HTML right"), Qt::SHIFT | Qt::Key_F3);
    mnuPos4 = item(mnuPos, QStringLiteral("Browser &right, HTML left"), Qt::SHIFT | Qt::Key_F4);
    for (QAction *p : {mnuPos1, mnuPos2, mnuPos3, mnuPos4}) {
        p->setCheckable(true);
        connect(p, &QAction::triggered, this, [this, p] { mnuPos_Click(p); });
    }
    mnuPos1->setChecked(true);
    mnuLoc = later(item(mnuOptions, QStringLiteral("&Locations..."), Qt::SHIFT | Qt::Key_F7));

    mnuHelp = menuBar()->addMenu(QStringLiteral("H&elp"));
    mnuContents = later(item(mnuHelp, QStringLiteral("&Contents..."), Qt::Key_F9));
    mnuAbout = later(item(mnuHelp, QStringLiteral("&About..."), Qt::SHIFT | Qt::Key_F5));
    mnuSendFeedback =
        later(item(mnuHelp, QStringLiteral("&Send feedback..."), Qt::SHIFT | Qt::Key_F6));

    // A checkable item toggles its own mark before the handler runs; the
    // handlers set the marks themselves, so undo Qt's toggle first.
    connect(mnuAU, &QAction::triggered, this, [this](bool checked) {
        mnuAU->setChecked(!checked);
        mnuAU_Click();
    });
    connect(mnuNew, &QAction::triggered, this, &frmHTML::mnuNew_Click);
    connect(mnuOpen, &QAction::triggered, this, &frmHTML::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &frmHTML::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &frmHTML::mnuSaveAs_Click);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuCut, &QAction::triggered, this, &frmHTML::mnuCut_Click);
    connect(mnuCopy, &QAction::triggered, this, &frmHTML::mnuCopy_Click);
    connect(mnuPaste, &QAction::triggered, this, &frmHTML::mnuPaste_Click);
    connect(mnuSelectAll, &QAction::triggered, this, &frmHTML::mnuSelectAll_Click);
    connect(mnuUpdate, &QAction::triggered, this, &frmHTML::mnuUpdate_Click);
    connect(mnuUndo, &QAction::triggered, this, &frmHTML::mnuUndo_Click);
}

void frmHTML::Form_Load()
{
    RegGet(); // sets the loading flag
    Browser->navigate(previewAddress());
    if (commandLine_.isEmpty()) {
        state_->changed = false;
        mnuNew_Click();
    } else if (!Vatro.FExists(commandLine_)) {
        platform_.messageBox(this, QStringLiteral("Can't open file - '") + commandLine_
                                       + QStringLiteral("'."),
                             QStringLiteral("Open Error"), MsgIcon::Critical, MsgButtons::OK);
        mnuNew_Click();
        return; // New has cleared the loading flag and refreshed the preview
    } else {
        // The document file name is set by Open once the file has been read,
        // so a file that cannot be read is never overwritten by a later Save.
        OpenSave.fileName = commandLine_;
        state_->commandLineOpen = true;
        mnuOpen_Click();
    }
    state_->loading = false;
    HTMLUpdate();
}

void frmHTML::closeEvent(QCloseEvent *event)
{
    if (state_->changed) {
        const MsgResult answer = askToSave();
        if (answer == MsgResult::Cancel) {
            event->ignore();
            return;
        }
        if (answer == MsgResult::Yes) {
            mnuSave_Click();
            if (state_->saveFailed) {
                event->ignore();
                return;
            }
        }
    }
    // A preview file that cannot be deleted stays; the exit goes on.
    if (Vatro.FExists(previewFile()))
        QFile::remove(previewFile());
    writeSettings();
    for (const QPointer<QWidget> &dialog : std::as_const(state_->dialogs))
        if (dialog)
            dialog->close();
    event->accept();
}

MsgResult frmHTML::askToSave()
{
    return platform_.messageBox(
        this,
        QStringLiteral("Changes have been made to the current file, do you want to save them?"),
        QStringLiteral("File Changed"), MsgIcon::Question, MsgButtons::YesNoCancel);
}

// The unsaved-changes prompt of New and Open: false when the user cancels;
// Yes saves and goes on whatever the outcome of the save.
bool frmHTML::offerToSave()
{
    if (!state_->changed)
        return true;
    const MsgResult answer = askToSave();
    if (answer == MsgResult::Yes)
        mnuSave_Click();
    return answer != MsgResult::Cancel;
}

void frmHTML::setCaption(const QString &fileName)
{
    setWindowTitle(fileName.isEmpty() ? kCaptionPrefix + QStringLiteral("New File")
                                      : kCaptionPrefix + fileName);
}

frmNew &frmHTML::newDialog()
{
    if (!state_->newDialog) {
        state_->newDialog = new frmNew(*this);
        registerDialog(state_->newDialog);
    }
    return *state_->newDialog;
}

void frmHTML::registerDialog(QWidget *dialog)
{
    if (dialog && !state_->dialogs.contains(dialog))
        state_->dialogs.append(dialog);
}

frmHTML::LocationValues &frmHTML::locations()
{
    return state_->locations;
}

QString frmHTML::tempDir() const
{
    return state_->locations.tempDir;
}

QString frmHTML::previewFile() const
{
    return state_->locations.tempDir + QStringLiteral("/KV731504.htm");
}

QString frmHTML::previewAddress() const
{
    return QStringLiteral("file://") + previewFile();
}

bool frmHTML::documentChanged() const
{
    return state_->changed;
}

QString frmHTML::documentFileName() const
{
    return state_->fileName;
}

int frmHTML::saveFailed() const
{
    return state_->saveFailed;
}

bool frmHTML::isLoading() const
{
    return state_->loading;
}

bool frmHTML::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == state_->paneArea && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmHTML::resizeEvent(QResizeEvent *event)
{
    // The panes follow the client area, whose own resize runs the layout.
    QMainWindow::resizeEvent(event);
}

void frmHTML::showLocations()
{
    // The locations dialog comes with its own window; until then the
    // preview's messages stand alone.
}
