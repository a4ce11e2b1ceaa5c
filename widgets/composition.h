#pragma once
// How the browser pane puts its page on the screen: through OpenGL, or in
// software.
//
// The web engine hands each frame of the page to Qt Quick, which draws it
// with OpenGL unless told otherwise. Where OpenGL is itself drawn by the
// processor (an X server without direct rendering: Xvfb, VNC and other
// virtual displays; or LIBGL_ALWAYS_SOFTWARE), loading it costs the start
// about 100 ms and the process some 30 MB (the software renderer and its
// compiler) for nothing: the engine draws pages in software there anyway,
// and offers no WebGL. There the pane composes in software. QT_QUICK_BACKEND,
// when set, decides alone.

#include <QString>
#include <QStringList>

#include <optional>

struct GraphicsFacts {
    std::optional<QString> quickBackend; // QT_QUICK_BACKEND, when set
    QString softwareGl;                  // LIBGL_ALWAYS_SOFTWARE
    // The X server's extensions; nullopt on any other display system.
    std::optional<QStringList> xExtensions;
};

bool composeInSoftware(const GraphicsFacts &facts);

// The facts of this run: the environment and, on X, the server's answer.
GraphicsFacts currentGraphicsFacts();

// Composing in software, Qt and the engine each print a notice on every
// start: that the shared-contexts attribute comes after the application
// (it is set only so that the engine, loaded late, looks for no OpenGL to
// share) and that no OpenGL backend was found (none is wanted). Both are
// expected there and tell the user nothing; from this call on they are left
// out, every other message goes where it went.
void quietSoftwareCompositionNotices();
