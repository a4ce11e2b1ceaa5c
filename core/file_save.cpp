// Saving a document: the component's file-replacement routine
// (vatro/savefile.h), with its failure told as the system's reason and what
// became of the file.

#include "core/document_file.h"
#include "core/native_path.h"

#include "vatro/savefile.h"

#include <cstring>

std::optional<FileError> saveDocumentFile(const QString &path, const QByteArray &bytes)
{
    const std::optional<vatro::SaveFailure> failure =
        vatro::saveFile(nativePath(path).toStdString(), std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!failure)
        return std::nullopt;
    const QString unchanged = QStringLiteral("the file was left as it was");
    QString note;
    switch (failure->kind) {
    case vatro::SaveFailure::NotMade:
        break;
    case vatro::SaveFailure::Unchanged:
        note = unchanged;
        break;
    case vatro::SaveFailure::NoBackup:
        note = QStringLiteral("no copy of the old content could be kept; ") + unchanged;
        break;
    case vatro::SaveFailure::BackupKept:
        note = QStringLiteral("its old content is kept in ") + pathFromNative(failure->backup);
        break;
    }
    QString description = QString::fromLocal8Bit(std::strerror(failure->error));
    if (!note.isEmpty())
        description += QStringLiteral(" (") + note + QLatin1Char(')');
    return FileError{description, failure->error};
}
