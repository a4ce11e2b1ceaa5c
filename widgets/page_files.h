#pragma once
// How the browser pane reaches local files. The pane shows a page under its
// own scheme, "velmora://<origin>/<path>", so that its address can name one
// file (the preview file) while its relative addresses resolve against
// another folder (the document's). Every request of the pane's profile
// passes PageFiles, which decides what a page may load:
//
// - the page itself, and every file whose real location (links followed)
//   lies in the readable folder or below it, with no name under it starting
//   with ".": loaded in any way, scripts included (fetch, XMLHttpRequest);
// - any other local file (another folder, the temporary folder, a
//   `file:` address): only as what its name says it is, an image, style
//   sheet, script, font or sound/video file requested as such, or as a
//   page or frame of its own origin, which the page's scripts cannot look
//   into. Scripts cannot fetch it, a folder is never listed.
//
// The web engine gives a page's scripts what the page loads as images or
// style sheets (pixels, style rules), and it marks no custom scheme's
// answer as foreign; so the limit lies in what is loaded at all.

#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

class QWebEngineProfile;
class QWebEngineScript;

namespace pagefiles {

// Makes the scheme known to the web engine; before its first profile.
void registerScheme();

// Lets a page's fetch() reach its local files as XMLHttpRequest does; for
// every page of the profile.
QWebEngineScript localFetch();

// The local file a "velmora:" or "file:" address names; empty otherwise.
QString pathOf(const QUrl &address);

} // namespace pagefiles

class PageFiles : public QObject {
    Q_OBJECT
public:
    // Serves the scheme for `profile` and watches all of its requests.
    explicit PageFiles(QWebEngineProfile &profile);
    ~PageFiles() override;

    // The address that shows `file` with its relative addresses resolved
    // in `folder` (the file's own folder when empty), where scripts may read
    // `folder`; from now on that address serves `file`.
    QUrl show(const QString &file, const QString &folder);
    // The local file behind `address`: the shown file for its page.
    QString fileOf(const QUrl &address) const;

private:
    struct Shown;
    class Gate;
    class Server;
    std::unique_ptr<Shown> shown_;
};
