#include "core/command_line.h"

#include "core/document_file.h"
#include "version.h"

namespace {

const QString kUsage = QStringLiteral(
    "Usage: Pagewisp [OPTION]... [--] [FILE]\n"
    "Velmora, an HTML source editor with a live preview: opens FILE, or starts a new page.\n"
    "The arguments that are not options are joined by single spaces into the one file name.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "  --             take every argument after it as part of the file name\n"
    "\n"
    "Qt's own options (such as -platform, -style and -reverse) are also taken.\n");

const QString kDashes = QStringLiteral("--");

bool looksLikeOption(const QString &arg)
{
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

} // namespace

std::optional<QString> informationRequest(const QStringList &arguments)
{
    for (const QString &arg : arguments) {
        if (arg == kDashes)
            break;
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h"))
            return kUsage;
        if (arg == QStringLiteral("--version"))
            return QStringLiteral("Pagewisp (Velmora) %1.%2.%3\n")
                .arg(VELMORA_VERSION_MAJOR)
                .arg(VELMORA_VERSION_MINOR)
                .arg(VELMORA_VERSION_PATCH);
    }
    return std::nullopt;
}

CommandLine parseCommandLine(const QStringList &original, const QStringList &left)
{
    CommandLine line;
    bool onlyFiles = false;
    QStringList unused = left; // each argument Qt left is used once
    for (const QString &arg : original) {
        const bool qtTookIt = !unused.removeOne(arg);
        if (onlyFiles) {
            line.files << arg;
        } else if (arg == kDashes && !qtTookIt) {
            onlyFiles = true;
        } else if (looksLikeOption(arg) && fileStamp(arg).exists) {
            line.files << arg; // a file whose name looks like an option
        } else if (qtTookIt) {
            continue;
        } else if (looksLikeOption(arg)) {
            if (line.unknown.isEmpty())
                line.unknown = arg;
        } else {
            line.files << arg;
        }
    }
    return line;
}

QString usageError(const QString &option)
{
    return QStringLiteral("Pagewisp: unknown option '") + option
        + QStringLiteral("'\nTry 'Pagewisp --help' for more information.\n");
}
