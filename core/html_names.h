#pragma once
// The names of HTML that the text pane offers while markup is typed: the
// elements, the attributes each element takes (its own and the global
// ones), the values of attributes that have a fixed set of them, and the
// named character references with the characters they stand for. The
// tables are generated (core/html_name_tables.cpp, scripts/html_names.mjs).

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace htmlnames {

namespace tables {
struct AttributeRow {
    const char *element; // "*" for the global attributes
    const char *names;   // separated by single spaces
};
struct ValueRow {
    const char *attribute;
    const char *elements; // "*" for every element
    const char *values;
};
struct EntityRow {
    const char *name; // without "&" and ";"
    const char *text; // UTF-8
};
extern const char *const kElements;
extern const char *const kVoidElements;
extern const AttributeRow kAttributes[];
extern const int kAttributeRows;
extern const ValueRow kValues[];
extern const int kValueRows;
extern const EntityRow kEntities[];
extern const int kEntityRows;
} // namespace tables

// Every element name, sorted.
const QStringList &elementNames();
// `name` in lower case.
bool isKnownElement(QByteArrayView name);
bool isVoidElement(QByteArrayView name);

// The attributes `element` takes and the global ones, sorted, each once.
QStringList attributeNames(const QString &element);
// The fixed values of `attribute` on `element`; empty when it has none.
QStringList attributeValues(const QString &element, const QString &attribute);

struct CharacterReference {
    QString name; // "amp"
    QString text; // "&"
};
// Sorted by name (case matters: "AMP" and "amp" are both there).
const std::vector<CharacterReference> &characterReferences();

} // namespace htmlnames
