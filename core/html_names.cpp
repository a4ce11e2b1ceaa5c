#include "core/html_names.h"

#include <QHash>
#include <QSet>

namespace htmlnames {

namespace {

QStringList split(const char *words)
{
    return QString::fromLatin1(words).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QSet<QByteArray> byteSet(const char *words)
{
    QSet<QByteArray> set;
    for (const QByteArray &w : QByteArray(words).split(' '))
        if (!w.isEmpty())
            set.insert(w);
    return set;
}

const QSet<QByteArray> &knownSet()
{
    static const QSet<QByteArray> set = byteSet(tables::kElements);
    return set;
}

const QSet<QByteArray> &voidSet()
{
    static const QSet<QByteArray> set = byteSet(tables::kVoidElements);
    return set;
}

const QHash<QString, QStringList> &attributeTable()
{
    static const QHash<QString, QStringList> table = [] {
        QHash<QString, QStringList> t;
        for (int i = 0; i < tables::kAttributeRows; ++i)
            t.insert(QString::fromLatin1(tables::kAttributes[i].element),
                     split(tables::kAttributes[i].names));
        return t;
    }();
    return table;
}

} // namespace

const QStringList &elementNames()
{
    static const QStringList names = split(tables::kElements);
    return names;
}

bool isKnownElement(QByteArrayView name)
{
    return knownSet().contains(name.toByteArray());
}

bool isVoidElement(QByteArrayView name)
{
    return voidSet().contains(name.toByteArray());
}

QStringList attributeNames(const QString &element)
{
    const QHash<QString, QStringList> &table = attributeTable();
    QStringList names = table.value(element.toLower()) + table.value(QStringLiteral("*"));
    names.sort();
    names.removeDuplicates();
    return names;
}

QStringList attributeValues(const QString &element, const QString &attribute)
{
    const QString e = element.toLower();
    const QString a = attribute.toLower();
    for (int i = 0; i < tables::kValueRows; ++i) {
        const tables::ValueRow &row = tables::kValues[i];
        if (a != QLatin1String(row.attribute))
            continue;
        const QStringList where = split(row.elements);
        if (where.contains(QStringLiteral("*")) || where.contains(e))
            return split(row.values);
    }
    return {};
}

const std::vector<CharacterReference> &characterReferences()
{
    static const std::vector<CharacterReference> refs = [] {
        std::vector<CharacterReference> r;
        r.reserve(tables::kEntityRows);
        for (int i = 0; i < tables::kEntityRows; ++i)
            r.push_back({QString::fromLatin1(tables::kEntities[i].name),
                         QString::fromUtf8(tables::kEntities[i].text)});
        return r;
    }();
    return refs;
}

} // namespace htmlnames
