#pragma once
// The work behind the methods of the Vatro control, apart from the COM
// plumbing: each takes decoded arguments and fills a VARIANT result, or
// reports the error it raises.

#include "vatro/vatro_com.h"

#include <string>

namespace vatro {

// An error raised by a method: the run-time error's HRESULT and its text.
struct Raised {
    SCODE scode = 0;
    std::string description;
};

// A string argument as the methods see it.
struct Text {
    std::string utf8;  // the text in UTF-8, a file name's raw bytes as they are
    bool valid = true; // false for unpaired surrogates that are no raw byte
    bool hasNul = false;
    // A string that can name a file: well formed and without NUL.
    bool usablePath() const { return valid && !hasNul && !utf8.empty(); }
};
Text decode(const OLECHAR *s, std::size_t n);

// The methods that take one string: FExists, DExists, DirExists, ColConv,
// ShortFileLocation, ShortFile, ShortPath, Fendro, FileCreated,
// FileAccessed, FileModified, ShortFolder, FolderCreated.
HRESULT stringMethod(DISPID id, const Text &arg, VARIANT *result, Raised *err);

void removeIniKey(const Text &section, const Text &key, const Text &file);

// The picture object of the file's icon, or nullptr when there is none.
IDispatch *iconPicture(const Text &file, bool small);

// Reads hWnd, Left, Top, Width and Height from `frm` and places the window.
HRESULT topMost(IDispatch *frm, bool above, Raised *err);
// Moves, resizes and shows an X11 window and sets or clears its "above"
// state. Does nothing where no X display can be opened.
void placeWindow(unsigned long window, int x, int y, int width, int height, bool above);

// Creates a Vatro control and asks it for `riid`.
HRESULT createVatro(REFIID riid, void **ppv);

// Live objects and server locks, for DllCanUnloadNow. Every object of the
// library counts itself (the lifetime hook of ComObject).
void countObject(bool alive);
void serverLock(bool lock);
bool serverInUse();

// Converts a time to a DATE in local time.
DATE toOleDate(long long seconds);

} // namespace vatro
