// The File menu: New, Open, Save and Save As, with the unsaved-changes
// prompt, the loading flag and the save-failed flag.

#include "document_dialogs/new_dialog.h"
#include "editor/main_window_state.h"

#include <QAction>
#include <QPushButton>
#include <QWebEngineSettings>

namespace {

// The browser reads the preview file in the encoding it is written in.
void followEncoding(BrowserPane *browser, FileEncoding encoding)
{
    browser->settings()->setDefaultTextEncoding(
        encoding == FileEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("ISO-8859-1"));
}

} // namespace

void frmHTML::mnuNew_Click()
{
    NoNew = true;
    state_->loading = true;
    frmNew &dialog = newDialog();
    if (isVisible())
        dialog.cmdCancel->setEnabled(true);
    if (!offerToSave()) {
        state_->loading = false;
        return;
    }
    dialog.exec(); // returns once the dialog has hidden itself
    if (NoNew) {
        state_->changed = false;
        state_->fileName.clear();
        if (state_->encoding != FileEncoding::Utf8) {
            state_->encoding = FileEncoding::Utf8;
            followEncoding(Browser, state_->encoding);
        }
        setCaption(QString());
        ResetFormat();
        state_->loading = false;
        mnuUpdate_Click();
    } else {
        state_->loading = false;
    }
}

void frmHTML::mnuOpen_Click()
{
    state_->loading = true;
    auto giveUp = [this] {
        state_->loading = false;
        mnuUpdate_Click();
    };

    if (state_->commandLineOpen) {
        state_->commandLineOpen = false;
    } else {
        if (!offerToSave()) {
            state_->loading = false;
            return;
        }
        OpenSave.title = QStringLiteral("Open an HTML file");
        if (!OpenSave.showOpen(this))
            return giveUp();
    }
    const QString name = OpenSave.fileName;

    if (!Vatro.FExists(name)) {
        platform_.messageBox(this,
                             QStringLiteral("The file '") + name + QStringLiteral("' could not be found."),
                             QStringLiteral("Open Error"), MsgIcon::Critical, MsgButtons::OK);
        state_->loading = false;
        return;
    }
    const ReadResult read = readDocumentFile(name);
    if (read.openFailed) {
        platform_.messageBox(this, QStringLiteral("Can't open file: ") + name,
                             QStringLiteral("Open Error"), MsgIcon::Critical, MsgButtons::OK);
        state_->loading = false;
        return;
    }
    if (!read.bytes)
        return giveUp();

    DecodedDocument doc = decodeDocument(*read.bytes);
    state_->fileName = name;
    if (doc.encoding != state_->encoding) {
        state_->encoding = doc.encoding;
        followEncoding(Browser, state_->encoding);
    }
    // The whole text at once: the control adopts the file's own line end.
    HTML->setWholeText(doc.text);
    doc.text.clear();

    state_->changed = false;
    setCaption(state_->fileName);
    ResetFormat();
    state_->loading = false;
    mnuUpdate_Click();
}

void frmHTML::mnuSave_Click()
{
    state_->saveFailed = 0;
    if (state_->fileName.isEmpty()) {
        mnuSaveAs_Click();
        return;
    }
    const std::optional<FileError> error =
        saveDocumentFile(state_->fileName, encodeDocument(HTML->wholeText(), state_->encoding));
    if (!error) {
        state_->changed = false;
        setCaption(state_->fileName);
        return;
    }
    platform_.messageBox(
        this,
        QStringLiteral("An error occured when attempting to save the file: ") + error->description
            + QStringLiteral(", ") + QString::number(error->number) + QStringLiteral("\r\n\r\n")
            + QStringLiteral("Make sure the file '") + state_->fileName
            + QStringLiteral("' is not set to read-only or it is not currently in use"),
        QStringLiteral("Save Error"), MsgIcon::Critical, MsgButtons::OK);
    state_->saveFailed = 1;
    mnuSaveAs_Click();
}

void frmHTML::mnuSaveAs_Click()
{
    OpenSave.title = QStringLiteral("Save the HTML file");
    if (!OpenSave.showSave(this)) {
        state_->saveFailed = 1;
        return;
    }
    state_->fileName = OpenSave.fileName;
    mnuSave_Click();
}
