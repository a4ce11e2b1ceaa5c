// frmHTML: its controls, the objects that do the work, the load step, the
// exit sequence and the caption. The menus are made in main_menu.cpp, the
// settings read and written in main_window_settings.cpp.

#include "editor/main_window.h"

#include "core/native_path.h"
#include "document_dialogs/new_dialog.h"
#include "editor/browser_commands.h"
#include "editor/comforts.h"
#include "editor/dialog_registry.h"
#include "editor/document.h"
#include "editor/edit_commands.h"
#include "editor/file_commands.h"
#include "editor/help_commands.h"
#include "editor/insert_commands.h"
#include "editor/insertion_undo.h"
#include "editor/pane_arranger.h"
#include "editor/preview.h"
#include "editor/source_link.h"
#include "editor/text_commands.h"
#include "widgets/browser_pane.h"
#include "widgets/help_window.h"
#include "widgets/html_pane.h"
#include "widgets/pane_footer.h"
#include "widgets/vatro_control.h"

#include <QCloseEvent>
#include <QFontDatabase>

namespace {

const QString kCaptionPrefix = QStringLiteral("Velmora - ");
const QSize kDesignSize(800, 600);

} // namespace

frmHTML::frmHTML(Platform &platform, std::unique_ptr<VatroControl> vatro,
                 const QString &commandLine, QWidget *parent)
    : QMainWindow(parent),
      platform_(platform),
      vatro_(std::move(vatro)),
      commandLine_(commandLine),
      openSave_(platform),
      colour_(platform),
      ctlFont_(platform),
      dialogs_(std::make_unique<DialogRegistry>())
{
    // The editor font at creation is the system's fixed-width font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ctlFont_.font.name = fixed.family();
    ctlFont_.font.size = fixed.pointSizeF() > 0 ? fixed.pointSizeF() : 10;

    createControls();
    menu_ = createMainMenu(*this);
    // The objects that listen to the text pane, in the order the change
    // notification runs them: preview refresh, changed flag, Undo withdrawn.
    preview_ = new Preview(*html_, *browser_, *vatro_, platform_, this);
    document_ = new Document(*html_, *preview_, openSave_, platform_, *vatro_, this);
    undo_ = new InsertionUndo(menu_, *html_, this);
    connect(html_, &HTMLPane::changed, this, &frmHTML::HTML_Change);
    connect(document_, &Document::fileNameChanged, this, &frmHTML::setCaption);
    connect(document_, &Document::fileNameChanged, preview_, &Preview::setDocumentFile);
    connect(document_, &Document::formatResetWanted, this, &frmHTML::ResetFormat);
    setCaption(QString());
    resize(kDesignSize);

    // Each command object serves its own menu items.
    arranger_ = new PaneArranger(menu_, *paneArea_, *browser_, *html_, *footer_);
    new FileCommands(menu_, *document_, *this, *dialogs_, *this);
    new EditCommands(menu_, *html_, this);
    new BrowserCommands(menu_, *preview_, *this, *dialogs_, this);
    new InsertCommands(menu_, *this, *dialogs_, this);
    new TextCommands(menu_, *this, *html_, ctlFont_, this);
    new HelpCommands(menu_, platform_, this, defaultHelpFile());
    new Comforts(*this, *html_, *footer_, *document_, platform_, menu_);
    new SourceLink(menu_, *html_, *browser_, *preview_, this);
}

frmHTML::~frmHTML() = default;

void frmHTML::createControls()
{
    paneArea_ = new QWidget(this);
    setCentralWidget(paneArea_);
    browser_ = new BrowserPane(paneArea_);
    html_ = new HTMLPane(paneArea_);
    // The design places the panes as the first arrangement does.
    const QSize area(kDesignSize.width(), kDesignSize.height() - 30);
    const PaneGeometry g = layoutPanes(area, {true, false, false, false}, {});
    browser_->setGeometry(g.browser);
    html_->setGeometry(g.editor);
    footer_ = new PaneFooter(paneArea_);
    html_->setFocus();
}

void frmHTML::Form_Load()
{
    RegGet(); // sets the loading flag
    restoreWindowPlace();
    preview_->showFile();
    if (commandLine_.isEmpty()) {
        document_->newDocument(newDialog());
    } else if (!vatro_->FExists(commandLine_)) {
        platform_.messageBox(this, QStringLiteral("Can't open file - '") + commandLine_
                                       + QStringLiteral("'."),
                             QStringLiteral("Open Error"), MsgIcon::Critical, MsgButtons::OK);
        document_->newDocument(newDialog());
        return; // New has cleared the loading flag and refreshed the preview
    } else {
        document_->openAtStartup(commandLine_);
    }
    document_->setLoading(false);
    HTMLUpdate();
}

void frmHTML::closeEvent(QCloseEvent *event)
{
    if (!document_->closeWithConsent()) {
        event->ignore();
        return;
    }
    if (const std::optional<QString> error = finishExit())
        platform_.messageBox(this, *error, QStringLiteral("Velmora"), MsgIcon::Exclamation,
                             MsgButtons::OK);
    event->accept();
}

std::optional<QString> frmHTML::finishExit()
{
    preview_->removeFile();
    const std::optional<QString> error = writeSettings();
    dialogs_->closeAll();
    return error;
}

void frmHTML::setCaption(const QString &fileName)
{
    // Qt reads "[*]" in a title as the place of a modified mark and drops
    // it; doubled, it shows as written.
    QString shown = shownPath(fileName);
    shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    // A file read as ISO-8859-1 (its bytes are not UTF-8) says so, once, in
    // the caption rather than in a box at every open.
    const QString encoding = document_ && document_->encoding() == FileEncoding::Latin1
        ? QStringLiteral(" (ISO-8859-1)")
        : QString();
    setWindowTitle(fileName.isEmpty() ? kCaptionPrefix + QStringLiteral("New File")
                                      : kCaptionPrefix + shown + encoding);
}

frmNew &frmHTML::newDialog()
{
    return dialogs_->once<frmNew>(*this);
}

int frmHTML::selectionLength() const
{
    return html_->selLength();
}

QString frmHTML::selectedText() const
{
    return html_->selText();
}

void frmHTML::insertFragment(const QString &fragment, const QString &actionName,
                             const std::function<void()> &betweenReplaceAndUndo)
{
    undo_->insert(fragment, actionName, betweenReplaceAndUndo);
}

void frmHTML::replaceDocument(const QString &text)
{
    html_->setWholeText(QString());
    // A new page is a new document: Enter inserts CR LF again, whatever
    // line end the file opened before used.
    html_->setEolMode(QsciScintilla::EolWindows);
    html_->setSelText(text);
}

void frmHTML::focusEditor()
{
    activateWindow();
    html_->setFocus(Qt::OtherFocusReason);
}

void frmHTML::HTMLUpdate()
{
    preview_->refresh();
}

void frmHTML::HTML_Change()
{
    if (!document_->isLoading())
        undo_->withdraw();
}

void frmHTML::ResetFormat()
{
    // The pane has one format, the whole text's: it needs no selection to
    // take it. Selecting the text first, as a rich-text box would need,
    // would hand it all to the desktop's primary selection (what a middle
    // click pastes), taking the place of what the user had there, at
    // every Open.
    html_->setSelFormat(ctlFont_.font);
    html_->setSelStart(0);
}

