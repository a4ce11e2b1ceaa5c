// The main window's side of the settings: RegGet at start-up and the values
// the exit sequence writes, and the window's own place on the screen.

#include "core/conversions.h"
#include "core/settings.h"
#include "core/window_place.h"
#include "document_dialogs/new_dialog.h"
#include "editor/document.h"
#include "editor/main_window.h"
#include "editor/pane_arranger.h"
#include "editor/preview.h"
#include "widgets/dialog_parts.h"
#include "widgets/html_pane.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

void frmHTML::RegGet()
{
    document_->setLoading(true);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    settings::Defaults defaults;
    const LocationValues fallback = defaultLocations(false);
    defaults.browser = fallback.browser;
    defaults.browserStartIn = fallback.browserStartIn;
    defaults.fontName = fixed.family();
    defaults.fontSize = fixed.pointSizeF() > 0 ? float(fixed.pointSizeF()) : 10.0f;
    const settings::Store store;
    // The temporary directory's default is made only when it is needed.
    if (!store.get(QStringLiteral("TempDir")))
        defaults.tempDir = defaultTempDir();

    const settings::Snapshot read = settings::readSnapshot(
        [&store](const QString &key) { return store.get(key); }, defaults);

    LocationValues locations = preview_->locations();
    locations.tempDir = read.tempDir.value_or(locations.tempDir);
    locations.browser = read.browser.value_or(locations.browser);
    locations.browserStartIn = read.browserStartIn.value_or(locations.browserStartIn);
    preview_->setLocations(locations);
    if (read.autoUpdate)
        preview_->setAutoUpdate(*read.autoUpdate);
    PaneArrangement arrangement = arranger_->arrangement();
    for (size_t i = 0; i < 4; ++i)
        arrangement[i] = read.pos[i].value_or(arrangement[i]);
    arranger_->setArrangement(arrangement);
    if (read.editorFont.any())
        html_->setSelFormat(read.editorFont.appliedTo(html_->selFormat()));
    if (read.backColour)
        html_->setBackColour(ColourValue(*read.backColour));
    ctlFont_.font = read.dialogFont.appliedTo(ctlFont_.font);

    if (!read.complete()) {
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
        colour_.colour = newDialog().picBC->value();
    }
}

std::optional<QString> frmHTML::writeSettings()
{
    const PaneArrangement a = arranger_->arrangement();
    const bool marks[4] = {a[0], a[1], a[2], a[3]};
    std::vector<std::pair<QString, QString>> values =
        settings::exitValues(preview_->autoUpdate(), marks, ctlFont_.font, html_->backColour());
    // Then where the window is, for the next start.
    WindowPlace place;
    place.maximised = isMaximized();
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    const QPoint frameOffset = geometry().topLeft() - pos();
    place.frame = QRect(normal.topLeft() - frameOffset, normal.size());
    for (auto &value : windowPlaceValues(place))
        values.push_back(std::move(value));
    return settings::Store().set(values);
}

void frmHTML::restoreWindowPlace()
{
    const settings::Store store;
    const std::optional<WindowPlace> place =
        readWindowPlace([&store](const QString &key) { return store.get(key); });
    if (!place)
        return; // the design's size, where the window system puts it
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect frame = placeOnScreens(place->frame, screens);
    move(frame.topLeft());
    resize(frame.size());
    if (place->maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}
