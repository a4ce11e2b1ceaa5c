// The main window's side of the settings: RegGet at start-up and the values
// the exit sequence writes.

#include "document_dialogs/dialog_parts.h"
#include "document_dialogs/new_dialog.h"
#include "editor/conversions.h"
#include "editor/main_window_state.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontDatabase>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder only this user can use: created with mode 0700 when missing; an
// existing one must be a real folder owned by the user.
bool privateFolder(const QByteArray &path)
{
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    return (st.st_mode & 0777) == 0700 || ::chmod(path.constData(), 0700) == 0;
}

// The temporary directory when no setting names one: $TEMP, else a private
// folder under the user's runtime folder or the system's temporary folder.
QString defaultTempDir()
{
    const QString temp = qEnvironmentVariable("TEMP");
    if (!temp.isEmpty())
        return temp;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString folder = !runtime.isEmpty() ? runtime + QStringLiteral("/velmora")
                                        : QDir::tempPath() + QStringLiteral("/velmora-")
                                              + QString::number(::getuid());
    if (privateFolder(QFile::encodeName(folder)))
        return folder;
    // Someone else holds that name: make a fresh one.
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/velmora-XXXXXX"));
    if (::mkdtemp(pattern.data()))
        return QFile::decodeName(pattern);
    return folder;
}

} // namespace

frmHTML::LocationValues defaultLocations(bool withTempDir)
{
    frmHTML::LocationValues l;
    l.browser = QStringLiteral("xdg-open %HTML%");
    l.browserStartIn = QDir::homePath();
    if (withTempDir)
        l.tempDir = defaultTempDir();
    return l;
}

void frmHTML::RegGet()
{
    state_->loading = true;
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    settings::Defaults defaults;
    const LocationValues locations = defaultLocations(false);
    defaults.browser = locations.browser;
    defaults.browserStartIn = locations.browserStartIn;
    defaults.fontName = fixed.family();
    defaults.fontSize = fixed.pointSizeF() > 0 ? float(fixed.pointSizeF()) : 10.0f;
    const settings::Store store;
    // The temporary directory's default is made only when it is needed.
    if (!store.get(QStringLiteral("TempDir")))
        defaults.tempDir = defaultTempDir();

    const settings::RegGetResult read = settings::readInOrder(
        [&store](const QString &key) { return store.get(key); }, defaults);

    QAction *pos[4] = {mnuPos1, mnuPos2, mnuPos3, mnuPos4};
    for (const settings::ReadValue &v : read.values) {
        const int i = v.index;
        if (i == settings::TempDirStep) {
            state_->locations.tempDir = v.value.toString();
        } else if (i == settings::BrowserStep) {
            state_->locations.browser = v.value.toString();
        } else if (i == settings::BrowserSIStep) {
            state_->locations.browserStartIn = v.value.toString();
        } else if (i == settings::AutoUpdateStep) {
            mnuAU->setChecked(v.value.toBool());
        } else if (i < settings::EditorFontStep) {
            pos[i - settings::Pos1Step]->setChecked(v.value.toBool());
        } else if (i == settings::BackColourStep) {
            HTML->setBackColour(ColourValue(v.value.value<qint32>()));
        } else {
            // One of the seven font keys: into the text pane's format, then
            // (the second time round) into the font dialog.
            const bool pane = i < settings::BackColourStep;
            const int key = pane ? i - settings::EditorFontStep : i - settings::FontDialogStep;
            FontChoice f = pane ? HTML->selFormat() : ctlFont.font;
            switch (key) {
            case 0: f.name = v.value.toString(); break;
            case 1: f.size = double(v.value.toFloat()); break;
            case 2: f.bold = v.value.toBool(); break;
            case 3: f.italic = v.value.toBool(); break;
            case 4: f.strikethrough = v.value.toBool(); break;
            case 5: f.underline = v.value.toBool(); break;
            case 6: f.colour = ColourValue(v.value.value<qint32>()); break;
            }
            if (pane)
                HTML->setSelFormat(f);
            else
                ctlFont.font = f;
        }
    }
    if (read.failed) {
        platform_.messageBox(
            this,
            QStringLiteral("There was a problem when getting the registry settings for this "
                           "program.  This could be because this is the first time that you are "
                           "running the program.  This will be corrected when the program exits."),
            QStringLiteral("Registry Settings Error"), MsgIcon::Exclamation, MsgButtons::OK);
        return;
    }
    if (commandLine_.isEmpty()) {
        // The colour dialog starts from the new page's background swatch.
        Colour.colour = newDialog().picBC->value();
    }
}

void frmHTML::writeSettings()
{
    const bool pos[4] = {mnuPos1->isChecked(), mnuPos2->isChecked(), mnuPos3->isChecked(),
                         mnuPos4->isChecked()};
    settings::Store().set(
        settings::exitValues(mnuAU->isChecked(), pos, ctlFont.font, HTML->backColour()));
}
