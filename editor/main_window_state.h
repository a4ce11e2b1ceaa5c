#pragma once
// The main window's private document state, shared by its source files
// (main_window.cpp, preview.cpp, file_commands.cpp, edit_commands.cpp,
// pane_layout_window.cpp, settings_window.cpp).

#include "editor/document_file.h"
#include "editor/main_window.h"
#include "editor/pane_layout.h"
#include "editor/settings.h"

#include <QList>
#include <QPointer>
#include <QWidget>

// The location values when no setting names them; the temporary directory
// (a folder made on demand when $TEMP is not set) only when asked for.
frmHTML::LocationValues defaultLocations(bool withTempDir);

struct frmHTML::State {
    bool changed = false;        // unsaved changes
    qint16 saveFailed = 0;       // the last save did not complete
    QString fileName;            // empty for a new document
    bool commandLineOpen = false; // Open takes the name already in OpenSave
    bool loading = false;        // the change notification and HTMLUpdate do nothing
    FileEncoding encoding = FileEncoding::Utf8; // how the document's file is written
    LocationValues locations;
    QWidget *paneArea = nullptr;  // the client area the two panes share
    QList<QPointer<QWidget>> dialogs; // closed by the exit sequence
    frmNew *newDialog = nullptr;
};
