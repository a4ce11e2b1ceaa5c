#pragma once
// Document files and the preview file on disk. A document is read whole, its
// bytes taken as UTF-8 when they are valid UTF-8 and as ISO-8859-1 otherwise
// (so that no byte is lost), and written back in the encoding it was read
// in, followed by one CR LF. Pure functions of their arguments and the file
// system; no widgets.

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <optional>

enum class FileEncoding { Utf8, Latin1 };

struct DecodedDocument {
    QString text;
    FileEncoding encoding = FileEncoding::Utf8;
};

// UTF-8 when the bytes are, else ISO-8859-1.
FileEncoding documentEncoding(const QByteArray &bytes);
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
// from one that failed while being read. Only a regular file is read: a
// FIFO, device or folder is refused at once (`notRegular`), without waiting
// for a writer; so is a file larger than `maxBytes` (`tooLarge`).
struct ReadResult {
    std::optional<QByteArray> bytes;
    bool openFailed = false;
    bool notRegular = false;
    bool tooLarge = false;
    qint64 size = 0;
    FileError error;
};
ReadResult readDocumentFile(const QString &path, qint64 maxBytes);

// The largest document the editor takes: a quarter of the machine's memory
// (the text is held as bytes by the text pane and as UTF-16 while it is
// read), and never more than 1 GiB.
qint64 maxDocumentBytes();

// What tells one version of a file on disk from another: whether the name
// is a symbolic link, and the kind, identity, size and times of change of
// the file it names.
struct FileStamp {
    bool exists = false;
    bool link = false;
    bool regular = false;
    qint64 size = 0, mtimeNs = 0, ctimeNs = 0;
    quint64 inode = 0, device = 0;
    // The same file behind the name, with the same content as far as its
    // size and time of modification tell (a new mode or owner is no change).
    bool sameContent(const FileStamp &o) const
    {
        return exists == o.exists && link == o.link && regular == o.regular && size == o.size
            && mtimeNs == o.mtimeNs && inode == o.inode && device == o.device;
    }
    bool operator==(const FileStamp &o) const { return sameContent(o) && ctimeNs == o.ctimeNs; }
    bool operator!=(const FileStamp &o) const { return !(*this == o); }
};
FileStamp fileStamp(const QString &path);
// Where the symbolic link `path` points, as it is written in the link.
QString linkTarget(const QString &path);
// True when `path` names a regular file, at the end of any links.
bool isDocumentFile(const QString &path);
// What `path` names, at the end of any links.
enum class FileKind { Missing, Regular, Folder, Fifo, Other };
FileKind fileKind(const QString &path);

// True when the text holds a character `encoding` cannot write.
bool losesCharacters(const QString &text, FileEncoding encoding);

// The failure `number` (an errno value) as the system words it.
FileError systemError(int number);
// Writes every byte of `parts` to `fd`, together where the system takes
// them so, straight from where they lie (no copy of a long text).
std::optional<FileError> writeParts(int fd, std::initializer_list<QByteArrayView> parts);

// Saves `bytes` as the file `path` through the component's file-replacement
// routine (vatro::saveFile): an existing file keeps its owner, group, mode
// and hard links, and a symbolic link to it stays a link. On any failure
// the old content is still there, in the file or in the backup the error
// names. A file the user may not write to is refused.
std::optional<FileError> saveDocumentFile(const QString &path, const QByteArray &bytes);

// Writes the preview file: the encoded text plus CR LF. Created with mode
// 0600 (an existing one is set to 0600), truncated, never through a
// symbolic link; anything but a regular file of this user's at that path
// (a FIFO, a device, another user's file in a shared folder) is refused
// without waiting and left as it is; what is not a regular file is named
// so in the error, the same way each time.
std::optional<FileError> writePreviewFile(const QString &path, QByteArrayView text);

// A FIFO at `path` may hold a reader (the browser, loading the preview)
// waiting in open() for a writer that never comes. Opening it for writing
// without waiting, and closing it at once, gives that reader an empty file.
// Anything but a FIFO is left alone.
void releaseFifoReaders(const QString &path);
