#include "core/tidy_up.h"

#include <QDataStream>
#include <QIODevice>
#include <vector>

const char *newlineName(const QByteArray &newline)
{
    return newline == "\n" ? "LF" : newline == "\r" ? "CR" : "CRLF";
}

QStringList tidyArguments(const TidyOptions &options)
{
    QStringList args{QStringLiteral("--tidy-up"),
                     QStringLiteral("--newline=") + QLatin1String(newlineName(options.newline)),
                     QStringLiteral("--indent=%1").arg(options.indent)};
    if (options.fragment)
        args << QStringLiteral("--fragment");
    return args;
}

std::optional<TidyOptions> tidyOptionsFrom(const QStringList &arguments)
{
    if (arguments.value(0) != QLatin1String("--tidy-up"))
        return std::nullopt;
    TidyOptions options;
    for (const QString &a : arguments.mid(1)) {
        if (a == QLatin1String("--fragment"))
            options.fragment = true;
        else if (a == QLatin1String("--newline=LF"))
            options.newline = "\n";
        else if (a == QLatin1String("--newline=CR"))
            options.newline = "\r";
        else if (a.startsWith(QLatin1String("--indent=")))
            options.indent = qBound(0, a.mid(9).toInt(), 16);
    }
    return options;
}

QByteArray encodeTidyResult(const TidyResult &result)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << result.produced << result.refusal << qint32(result.errors) << qint32(result.line) << qint32(result.column)
        << result.firstError << result.text;
    return bytes;
}

std::optional<TidyResult> decodeTidyResult(const QByteArray &bytes)
{
    QDataStream in(bytes);
    TidyResult r;
    qint32 errors = 0, line = 0, column = 0;
    in >> r.produced >> r.refusal >> errors >> line >> column >> r.firstError >> r.text;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    r.errors = errors;
    r.line = line;
    r.column = column;
    return r;
}
