#pragma once
// The one document: New, Open, Save and Save As, the unsaved-changes
// question, and the state they keep (the changed flag, the file name, the
// file's encoding, the save-failed flag and the loading flag, during which
// changes of the text are not the user's).

#include "core/document_file.h"

#include <QObject>
#include <QString>

class HTMLPane;
class OpenSaveDialog;
class Platform;
class Preview;
class QWidget;
class VatroControl;
class frmNew;

class Document : public QObject {
    Q_OBJECT
public:
    Document(HTMLPane &pane, Preview &preview, OpenSaveDialog &files, Platform &platform,
             VatroControl &vatro, QWidget *window);

    // File, New: the unsaved-changes question, then the new-page dialog.
    void newDocument(frmNew &dialog);
    // File, Open: the question, then the Open dialog.
    void open();
    void save();
    void saveAs();

    // The load step opens the command-line file through Open without asking;
    // the document's name is set only once the file has been read.
    void openAtStartup(const QString &path);

    // Makes `text`, kept from a session that ended unsaved, the document:
    // changed, under its old file name (empty for a new document).
    void restoreUnsaved(const QString &fileName, const QString &text, FileEncoding encoding);

    // Open for a name chosen elsewhere (a recent file, a dropped file): the
    // unsaved-changes question, then that file, without the Open dialog.
    void openPath(const QString &path);
    // The document's own file read again (the user asked for it after
    // another program changed it): no question, no dialog. A symbolic link
    // put in the file's place is not followed: a message says so, and the
    // text stays, changed.
    void reload();
    // The document's name is now a symbolic link, where the file opened or
    // last saved was none: another program put it there.
    bool replacedByLink() const;
    // The text differs from the file (the file was changed by another
    // program and the user kept this text): a later Save writes it.
    void markChanged() { setChanged(true); }
    // The user has seen the file as it is on disk now and chose to keep this
    // text: a later Save does not ask about that change again, as long as
    // the name still leads to the file that was opened or last saved.
    void acceptDiskVersion() { accepted_ = fileStamp(fileName_); }

    // The unsaved-changes question of the exit sequence (the same as New's
    // and Open's): false when the user cancels or the save the user asked
    // for did not complete.
    bool closeWithConsent();

    bool isChanged() const { return changed_; }
    QString fileName() const { return fileName_; }
    FileEncoding encoding() const { return encoding_; }
    int saveFailed() const { return saveFailed_; }

    bool isLoading() const { return loading_; }
    void setLoading(bool loading);

signals:
    // The caption follows the name: empty for a new document.
    void fileNameChanged(const QString &fileName);
    // The changed flag was set or cleared.
    void modificationChanged(bool changed);
    // The whole text was replaced and takes the editor font.
    void formatResetWanted();

private:
    // How an open ended: the file is the document; or it stopped where the
    // user said so or a message said why; or it gave up after the Open
    // dialog was cancelled or the file failed while it was read, which
    // refreshes the preview as it was.
    enum class Opened { Yes, Stopped, GaveUp };
    // The one way a file becomes the document: Open, start-up, recent and
    // dropped files and Reload all come here. `name` empty: the Open dialog.
    void openDocument(const QString &name, bool askFirst);
    Opened readAsDocument(const QString &name);
    void setChanged(bool changed);
    void textChanged();
    bool offerToSave();
    void adoptEncoding(FileEncoding encoding);
    void finishLoading();
    bool mayOverwrite();
    bool mayLoseNoCharacters();

    HTMLPane &pane_;
    Preview &preview_;
    OpenSaveDialog &files_;
    Platform &platform_;
    VatroControl &vatro_;
    QWidget *window_;

    bool changed_ = false;         // unsaved changes
    qint16 saveFailed_ = 0;        // the last save did not complete
    QString fileName_;             // empty for a new document
    bool loading_ = false;
    FileEncoding encoding_ = FileEncoding::Utf8;
    FileStamp onDisk_;   // the file as it was opened or last saved
    FileStamp accepted_; // the version the user chose to keep this text over

};
