// The document's file commands: New, Open, Save and Save As, with the
// unsaved-changes question, the loading flag and the save-failed flag.

#include "editor/document.h"

#include "core/native_path.h"
#include "document_dialogs/new_dialog.h"
#include "editor/preview.h"
#include "widgets/common_dialogs.h"
#include "widgets/html_pane.h"
#include "widgets/platform.h"
#include "widgets/vatro_control.h"

#include <QPushButton>

#include <new>
#include <unistd.h>

Document::Document(HTMLPane &pane, Preview &preview, OpenSaveDialog &files, Platform &platform,
                   VatroControl &vatro, QWidget *window)
    : QObject(window),
      pane_(pane),
      preview_(preview),
      files_(files),
      platform_(platform),
      vatro_(vatro),
      window_(window)
{
    connect(&pane_, &HTMLPane::changed, this, &Document::textChanged);
}

void Document::textChanged()
{
    if (!loading_)
        setChanged(true);
}

void Document::setChanged(bool changed)
{
    if (changed_ == changed)
        return;
    changed_ = changed;
    emit modificationChanged(changed);
}

void Document::setLoading(bool loading)
{
    loading_ = loading;
    preview_.setSuspended(loading);
}

void Document::adoptEncoding(FileEncoding encoding)
{
    encoding_ = encoding;
    preview_.setEncoding(encoding);
}

// The text now holds a whole new document: it takes the editor font and the
// preview shows it.
void Document::finishLoading()
{
    setChanged(false);
    emit fileNameChanged(fileName_);
    emit formatResetWanted();
    setLoading(false);
    preview_.refresh();
}

// The question New, Open and the exit sequence ask, when there are
// unsaved changes: false when the user cancels, or asked for a save that
// did not complete (a failed write, then Save As cancelled), so the edits
// are never thrown away unsaved.
bool Document::offerToSave()
{
    if (!changed_)
        return true;
    const MsgResult answer = platform_.messageBox(
        window_,
        QStringLiteral("Changes have been made to the current file, do you want to save them?"),
        QStringLiteral("File Changed"), MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel)
        return false;
    if (answer == MsgResult::Yes) {
        save();
        return saveFailed_ == 0;
    }
    return true;
}

bool Document::closeWithConsent()
{
    return offerToSave();
}

void Document::newDocument(frmNew &dialog)
{
    setLoading(true);
    if (window_->isVisible())
        dialog.cmdCancel->setEnabled(true);
    if (!offerToSave()) {
        setLoading(false);
        return;
    }
    // The dialog replaces the text and accepts, or is cancelled.
    if (dialog.exec() != QDialog::Accepted) {
        setLoading(false);
        return;
    }
    fileName_.clear();
    if (encoding_ != FileEncoding::Utf8)
        adoptEncoding(FileEncoding::Utf8);
    finishLoading();
}

void Document::open()
{
    openDocument(QString(), true);
}

void Document::openAtStartup(const QString &path)
{
    files_.fileName = path;
    openDocument(path, false);
}

void Document::openPath(const QString &path)
{
    files_.fileName = path;
    openDocument(path, true);
}

void Document::reload()
{
    if (replacedByLink()) {
        platform_.messageBox(
            window_,
            QStringLiteral("The file '") + shownPath(fileName_)
                + QStringLiteral("' has been replaced by a symbolic link to '")
                + shownPath(linkTarget(fileName_))
                + QStringLiteral("'. It was not reloaded: the link is not followed, and the text "
                                 "stays open here."),
            QStringLiteral("File Changed on Disk"), MsgIcon::Exclamation, MsgButtons::OK);
        setChanged(true);
        return;
    }
    openDocument(fileName_, false);
}

bool Document::replacedByLink() const
{
    return !fileName_.isEmpty() && !onDisk_.link && fileStamp(fileName_).link;
}

void Document::openDocument(const QString &name, bool askFirst)
{
    setLoading(true);
    Opened opened = Opened::Stopped;
    if (askFirst && !offerToSave()) {
        opened = Opened::Stopped;
    } else if (!name.isEmpty()) {
        opened = readAsDocument(name);
    } else {
        files_.title = QStringLiteral("Open an HTML file");
        opened = files_.showOpen(window_) ? readAsDocument(files_.fileName) : Opened::GaveUp;
    }
    if (opened == Opened::Yes) {
        setChanged(false);
        emit fileNameChanged(fileName_);
        emit formatResetWanted();
    }
    setLoading(false);
    if (opened != Opened::Stopped)
        preview_.refresh();
}

// Reads `name` and makes it the document; a file that cannot be read is
// said so and leaves the document as it was.
Document::Opened Document::readAsDocument(const QString &name)
{
    if (!vatro_.FExists(name)) {
        platform_.messageBox(window_,
                             QStringLiteral("The file '") + shownPath(name)
                                 + QStringLiteral("' could not be found."),
                             QStringLiteral("Open Error"), MsgIcon::Critical, MsgButtons::OK);
        return Opened::Stopped;
    }
    const auto refuse = [this](const QString &text) {
        platform_.messageBox(window_, text, QStringLiteral("Open Error"), MsgIcon::Critical,
                             MsgButtons::OK);
        return Opened::Stopped;
    };
    const qint64 limit = maxDocumentBytes();
    const FileStamp stamp = fileStamp(name);
    const ReadResult read = readDocumentFile(name, limit);
    if (read.tooLarge)
        return refuse(QStringLiteral("The file '") + shownPath(name)
                      + QStringLiteral("' is too large to open: ")
                      + QString::number(read.size / (1 << 20)) + QStringLiteral(" MB, at most ")
                      + QString::number(limit / (1 << 20)) + QStringLiteral(" MB can be edited."));
    if (read.notRegular)
        return refuse(QStringLiteral("'") + shownPath(name)
                      + QStringLiteral("' is not a regular file and cannot be opened."));
    if (read.openFailed)
        return refuse(QStringLiteral("Can't open file: ") + shownPath(name));
    if (!read.bytes) {
        // A file that fails while it is read (EIO) is as unreadable as one
        // that cannot be opened: say so, then carry on as a cancelled Open.
        refuse(QStringLiteral("Can't open file: ") + shownPath(name));
        return Opened::GaveUp;
    }

    try {
        // The whole text at once: the control adopts the file's own line
        // end. UTF-8, as the control holds its text, goes in as it is.
        const FileEncoding encoding = documentEncoding(*read.bytes);
        if (encoding != encoding_)
            adoptEncoding(encoding);
        if (encoding == FileEncoding::Utf8)
            pane_.setWholeUtf8(*read.bytes);
        else
            pane_.setWholeText(QString::fromLatin1(*read.bytes)); // every byte a character
    } catch (const std::bad_alloc &) {
        return refuse(QStringLiteral("There is not enough memory to open '") + shownPath(name)
                      + QStringLiteral("'."));
    }
    fileName_ = name;
    onDisk_ = accepted_ = stamp;
    return Opened::Yes;
}

void Document::save()
{
    saveFailed_ = 0;
    if (fileName_.isEmpty()) {
        saveAs();
        return;
    }
    if (!mayOverwrite() || !mayLoseNoCharacters()) {
        saveFailed_ = 1;
        return;
    }
    const std::optional<FileError> error =
        saveDocumentFile(fileName_, encodeDocument(pane_.wholeText(), encoding_));
    if (!error) {
        onDisk_ = accepted_ = fileStamp(fileName_);
        setChanged(false);
        emit fileNameChanged(fileName_);
        return;
    }
    platform_.messageBox(
        window_,
        QStringLiteral("An error occured when attempting to save the file: ") + error->description
            + QStringLiteral(", ") + QString::number(error->number) + QStringLiteral("\r\n\r\n")
            + QStringLiteral("Make sure the file '") + shownPath(fileName_)
            + QStringLiteral("' is not set to read-only or it is not currently in use"),
        QStringLiteral("Save Error"), MsgIcon::Critical, MsgButtons::OK);
    saveFailed_ = 1;
    saveAs();
}

void Document::saveAs()
{
    files_.title = QStringLiteral("Save the HTML file");
    if (!files_.showSave(window_)) {
        saveFailed_ = 1;
        return;
    }
    fileName_ = files_.fileName;
    // The Save dialog has asked about replacing whatever is there.
    onDisk_ = fileStamp(fileName_);
    save();
}

// Save writes over the file only as it was opened or last saved (or as the
// user chose to keep the text over it, when it is still that file): a file
// changed or replaced by another program since is written over only when
// the user says so, and a symbolic link put in its place is replaced,
// never followed.
bool Document::mayOverwrite()
{
    const FileStamp now = fileStamp(fileName_);
    const bool sameFile =
        now.link == onDisk_.link && now.inode == onDisk_.inode && now.device == onDisk_.device;
    if (!now.exists || now.sameContent(onDisk_) || (sameFile && now.sameContent(accepted_)))
        return true;
    const MsgResult answer = platform_.messageBox(
        window_,
        shownPath(fileName_)
            + QStringLiteral(" has been changed by another program since it was opened. "
                             "Save over it?"),
        QStringLiteral("Save"), MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgResult::Yes)
        return false;
    if (now.link && !onDisk_.link)
        ::unlink(nativePath(fileName_).constData()); // the link itself, not what it points to
    return true;
}

// A file read as ISO-8859-1 cannot hold every character; rather than write
// "?" in their place, offer UTF-8.
bool Document::mayLoseNoCharacters()
{
    if (!losesCharacters(pane_.wholeText(), encoding_))
        return true;
    const MsgResult answer = platform_.messageBox(
        window_,
        QStringLiteral("The file '") + shownPath(fileName_)
            + QStringLiteral("' is written in ISO-8859-1, which cannot hold some characters of the "
                             "text. Save it as UTF-8 instead?"),
        QStringLiteral("Save"), MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgResult::Yes)
        return false;
    adoptEncoding(FileEncoding::Utf8);
    return true;
}

void Document::restoreUnsaved(const QString &fileName, const QString &text, FileEncoding encoding)
{
    setLoading(true);
    fileName_ = fileName;
    if (encoding != encoding_)
        adoptEncoding(encoding);
    pane_.setWholeText(text);
    onDisk_ = fileStamp(fileName);
    finishLoading();
    setChanged(true); // still not saved
}
