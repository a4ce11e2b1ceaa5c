#pragma once
// Document files and the preview file on disk. A document is read whole, its
// bytes taken as UTF-8 when they are valid UTF-8 and as ISO-8859-1 otherwise
// (so that no byte is lost), and written back in the encoding it was read
// in, followed by one CR LF. Pure functions of their arguments and the file
// system; no widgets.

#include <QByteArray>
#include <QString>
#include <optional>

enum class FileEncoding { Utf8, Latin1 };

struct DecodedDocument {
    QString text;
    FileEncoding encoding = FileEncoding::Utf8;
};

// Every byte, no line-end or byte-order-mark handling.
DecodedDocument decodeDocument(const QByteArray &bytes);

// The text in `encoding`; a character the encoding cannot hold becomes "?".
QByteArray encodeText(const QString &text, FileEncoding encoding);
// The file form of a document: the encoded text plus CR LF.
QByteArray encodeDocument(const QString &text, FileEncoding encoding);

// The failure of a file operation as the system reports it.
struct FileError {
    QString description;
    int number = 0;
};

// Reads the whole file. `openFailed` tells a file that could not be opened
// from one that failed while being read.
struct ReadResult {
    std::optional<QByteArray> bytes;
    bool openFailed = false;
    FileError error;
};
ReadResult readDocumentFile(const QString &path);

// Saves `bytes` as the file `path` (core/file_save.cpp). An existing file
// keeps its owner, group, mode and hard links, and a symbolic link to it
// stays a link: the new text is renamed over the old where that keeps them
// all, else written in place after the old content was copied aside. On any
// failure the old content is still there, in the file or in the backup the
// error names. A file the user may not write to is refused.
std::optional<FileError> saveDocumentFile(const QString &path, const QByteArray &bytes);

// Writes the preview file: the encoded text plus CR LF. Created with mode
// 0600 (an existing one is set to 0600), truncated, never through a
// symbolic link.
std::optional<FileError> writePreviewFile(const QString &path, QByteArrayView text);
