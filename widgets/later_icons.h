#pragma once
// The icons of the extension buttons that menu bars and tool bars show when
// they run out of room are read when first drawn, not when the bar is made.
// Reading the first icon file makes Qt load every image-format plug-in of
// the system (it asks each whether it reads the file's format), which the
// main window's menu bar would otherwise do before the window is drawn.
// Installs the application's style behind a proxy that does this; call
// before the first window.
void readExtensionIconsLater();
