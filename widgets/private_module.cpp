#include "widgets/private_module.h"

#include <QCoreApplication>
#include <QLibrary>

void *privateModuleEntry(const char *library, const char *symbol, QString *error)
{
    // The same place below the program in a build tree and an installed one.
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/" VELMORA_PRIVATE_MODULES "/")
                    + QLatin1String(library));
    void *entry = reinterpret_cast<void *>(module.resolve(symbol));
    if (!entry && error)
        *error = module.errorString();
    return entry; // the module stays loaded for the rest of the run
}
