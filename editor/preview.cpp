// The live preview: the whole text goes to the preview file, and the browser
// pane is pointed at it or told to reload it. Runs after every change of the
// text while auto-update is on, so it does one encode and one write and
// never waits for the page.

#include "editor/main_window_state.h"

#include <QAction>

void frmHTML::HTMLUpdate()
{
    if (state_->loading)
        return;

    auto failed = [this] {
        platform_.messageBox(
            this,
            QStringLiteral(
                "There was an error temporarily saving the file, try changing the Temp dir location"),
            QStringLiteral("Error"), MsgIcon::Critical, MsgButtons::OK);
        showLocations();
    };

    bool ok = true;
    const bool dirExists = Vatro.DirExists(tempDir(), &ok);
    if (!ok)
        return failed();
    if (!dirExists) {
        platform_.messageBox(this,
                             QStringLiteral("The temp directory does not exist, please choose a new one"),
                             QStringLiteral("Error"), MsgIcon::Exclamation, MsgButtons::OK);
        showLocations();
        return;
    }
    const QString file = previewFile();
    const bool fileExists = Vatro.FExists(file, &ok);
    if (!ok)
        return failed();
    // A UTF-8 document goes to the file exactly as the text pane holds it.
    const bool utf8 = state_->encoding == FileEncoding::Utf8;
    const QByteArray latin1 = utf8 ? QByteArray() : encodeText(HTML->wholeText(), state_->encoding);
    if (writePreviewFile(file, utf8 ? HTML->utf8Text() : QByteArrayView(latin1)))
        return failed();
    if (!fileExists) {
        Browser->navigate(previewAddress());
        return;
    }
    // The browser refuses to reload when it shows no page: show the file.
    if (Browser->refresh() == BrowserPane::kUnspecifiedFailure)
        Browser->navigate(previewAddress());
}

void frmHTML::HTML_Change()
{
    if (state_->loading)
        return;
    if (mnuAU->isChecked())
        HTMLUpdate();
    mnuUndo->setEnabled(false);
    mnuUndo->setText(QStringLiteral("&Undo"));
    state_->changed = true;
}

void frmHTML::mnuAU_Click()
{
    if (mnuAU->isChecked()) {
        mnuAU->setChecked(false);
        return;
    }
    mnuAU->setChecked(true);
    HTMLUpdate();
}

void frmHTML::mnuUpdate_Click()
{
    HTMLUpdate();
}
