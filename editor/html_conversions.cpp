// The shared text conversions of the HTML generators and the version text.

#include "editor/conversions.h"

#include "version.h"

QString Ver(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3")
        .arg(major)
        .arg(QString::number(minor).rightJustified(2, QLatin1Char('0')))
        .arg(QString::number(revision).rightJustified(4, QLatin1Char('0')));
}

QString Ver()
{
    return Ver(VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR, VELMORA_VERSION_PATCH);
}

std::optional<QString> VBCol2HTML(const QString &VBCol)
{
    bool ok = false;
    const qlonglong value = VBCol.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > 0xFFFFFF)
        return std::nullopt;
    const QString hex = QString::number(value, 16).toUpper().rightJustified(6, QLatin1Char('0'));
    return QStringLiteral("\"#") + hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2)
        + QStringLiteral("\"");
}

QString HTMLtext(const QString &Orig)
{
    QString s = Orig;
    s.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    s.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    s.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    s.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    s.replace(QLatin1String("\r\n"), QLatin1String("<br>\r\n"));
    return s;
}
