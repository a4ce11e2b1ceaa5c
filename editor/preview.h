#pragma once
// The live preview: owns the location values (external browser command
// line, its start folder, the temporary directory), the preview file built
// from the temporary directory, the encoding the file is written in and the
// auto-update switch. It listens to the text pane's change notification
// itself and refreshes while auto-update is on and the document is not
// being loaded. It also shows the document in the external browser.

#include "core/document_file.h"
#include "core/locations.h"
#include "options_dialogs/locations_owner.h"

#include <QObject>
#include <QTimer>
#include <QString>

class BrowserPane;
class HTMLPane;
class Platform;
class QWidget;
class VatroControl;

// The location values when no setting names them; the temporary directory
// (a private folder made on demand when $TEMP is not set) only when asked.
LocationValues defaultLocations(bool withTempDir);
QString defaultTempDir();

class Preview : public QObject, public LocationsOwner {
    Q_OBJECT
public:
    Preview(HTMLPane &pane, BrowserPane &browser, VatroControl &vatro, Platform &platform,
            QWidget *window);

    // HTMLUpdate: writes the whole text to the preview file and shows it.
    void refresh();
    // Browser, Update: the same, and a failure that was told before is told
    // again.
    void refreshOnRequest();

    // The document's file name changed: the page's relative addresses
    // resolve in the document's folder, whose files its scripts may read;
    // an unsaved document's (empty name) in the temporary folder, as the
    // preview file's. A page shown is shown again there at once.
    void setDocumentFile(const QString &fileName);

    bool autoUpdate() const { return autoUpdate_; }
    void setAutoUpdate(bool on);
    // Browser, Auto-update: switches off, or switches on and refreshes.
    void toggleAutoUpdate();

    // While suspended (the document is being loaded) changes of the text do
    // not refresh and refresh() does nothing.
    void setSuspended(bool suspended) { suspended_ = suspended; }

    // The browser pane reads the file in the encoding it is written in.
    void setEncoding(FileEncoding encoding);
    FileEncoding encoding() const { return encoding_; }

    const LocationValues &locations() const override { return locations_; }
    void setLocations(const LocationValues &locations);
    void setBrowser(const QString &commandLine) override { locations_.browser = commandLine; }
    void setBrowserStartIn(const QString &folder) override { locations_.browserStartIn = folder; }
    void setTempDir(const QString &folder) override;
    QString tempDir() const { return locations_.tempDir; }
    QString previewFile() const;
    QString previewAddress() const;

    // Shows the preview file from the top (the load step).
    void showFile();
    // The exit sequence: a file that cannot be deleted stays; a private
    // folder this run made for it is removed when it is empty.
    void removeFile();

    // View in Browser: Browser, Update, then, when the preview file was
    // written, starts the browser command line in its start-in folder. When
    // it cannot be started, says so and emits launchFailed().
    void viewInBrowser();

signals:
    void autoUpdateChanged(bool on);
    // The temporary directory is missing or unusable: the user should be
    // offered the locations.
    void locationsWanted();
    // The browser could not be started: the user should see the locations,
    // without the editor waiting for them.
    void launchFailed();

private:
    void textChanged();
    void pageLoaded();
    bool update();
    bool writeFile(bool *existed);
    void writeAhead();
    bool firstTimeFor(const QString &condition);
    void failed(const QString &reason);

    HTMLPane &pane_;
    BrowserPane &browser_;
    VatroControl &vatro_;
    Platform &platform_;
    QWidget *window_;
    LocationValues locations_;
    QString documentFolder_;
    FileEncoding encoding_ = FileEncoding::Utf8;
    bool autoUpdate_ = false;
    bool suspended_ = false;
    bool stale_ = false; // changes came while the page was loading
    QTimer writeSoon_;   // writes ahead of the reload in a pause of a burst
    QString lastFailure_; // the failure last told, until a refresh succeeds
    // The browser shows the file of another folder: the next refresh
    // navigates instead of reloading.
    bool navigatePending_ = false;
    // What the preview file held after the last write: the text as of that
    // change count, in that encoding, at that file as it was then.
    struct Written {
        QString file;
        FileStamp stamp;
        quint64 changeCount = 0;
        FileEncoding encoding = FileEncoding::Utf8;
    };
    std::optional<Written> written_;
};
