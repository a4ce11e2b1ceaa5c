#include "core/state_folder.h"

#include "core/native_path.h"

#include <QDir>

#include <cerrno>
#include <sys/stat.h>

QString stateFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/velmora");
}

bool makeStateFolder()
{
    const QString folder = stateFolder();
    // Parents as mkdir -p would make them; the folder itself private.
    QString partial;
    for (const QString &part : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        partial += QLatin1Char('/') + part;
        const QByteArray name = nativePath(partial);
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st {};
    const QByteArray name = nativePath(folder);
    if (::stat(name.constData(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}
