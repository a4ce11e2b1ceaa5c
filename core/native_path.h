#pragma once
// File names as the system holds them: bytes, UTF-8 by convention but not
// by law. A name that is not valid UTF-8 still opens and saves: each byte
// that is not part of a well-formed UTF-8 sequence travels in the QString as
// the lone surrogate U+DC80..U+DCFF (0x80..0xFF), and turns back into that
// byte whenever the name reaches the system. Valid UTF-8 never decodes to a
// lone surrogate, so every name makes the round trip unchanged. The
// component reads and writes file names the same way, with the same code
// (vatro/text.h).

#include <QByteArray>
#include <QString>
#include <QUrl>

// The name's bytes as text (for the command line, the system's answers).
QString pathFromNative(QByteArrayView bytes);
// The bytes to hand to the system for `path`.
QByteArray nativePath(const QString &path);
// True when `path` carries bytes that are not UTF-8.
bool hasRawBytes(const QString &path);
// `path` for display: each raw byte shown as U+FFFD, as file managers do.
QString shownPath(QString path);

// A name as Qt's own file functions and the file dialog give it, with
// U+FFFD for each byte they could not decode, back to the name on disk:
// each part holding U+FFFD is matched against the entries of its folder and
// taken when exactly one of them reads the same. Otherwise `path` itself.
QString pathOnDisk(const QString &path);

// A file: URL of `path`, its bytes percent-encoded, and back; a URL that
// does not name a local file gives an empty path.
QUrl urlFromPath(const QString &path);
QString pathFromUrl(const QUrl &url);

// The folder of the running program, as the system names it (before any
// application object exists).
QString programFolder();
