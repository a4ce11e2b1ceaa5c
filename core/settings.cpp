#include "core/settings.h"

#include "core/conversions.h"

#include <QFile>
#include <QFileInfo>

#include <QSettings>
#include <QTemporaryDir>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace settings {

namespace {

const QString kApplication = QStringLiteral("Fendro Vatro");
const QString kSection = QStringLiteral("Velmora");

// The numeric forms the store's readers accept: a decimal number with an
// optional sign, fraction and exponent, or &H / &O followed by hexadecimal
// or octal digits (a 32-bit pattern, so &HFFFFFFFF is -1). Read without
// regular expressions: one is compiled on its first use, a millisecond of
// the start.
bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode() | 0x20; // 'A'..'F' become 'a'..'f'
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (u >= u'a' && u <= u'f');
}

std::optional<double> toNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (readsAsNumber(t)) {
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (ok && std::isfinite(v))
            return v;
        return std::nullopt;
    }
    // &H or &O and 1 to 11 digits
    const QStringView digits = QStringView(t).mid(2);
    if (t.size() < 3 || t.size() > 13 || t[0] != QLatin1Char('&')
        || !std::all_of(digits.begin(), digits.end(), isHexDigit))
        return std::nullopt;
    const char16_t kind = t[1].unicode() | 0x20;
    if (kind != u'h' && kind != u'o')
        return std::nullopt;
    bool ok = false;
    const qulonglong v = digits.toULongLong(&ok, kind == u'h' ? 16 : 8);
    if (!ok || v > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<double>(static_cast<qint32>(static_cast<quint32>(v)));
}

} // namespace

const char *const kFontKeys[7] = {"FontName",      "FontSize",       "FontBold",  "FontItalic",
                                  "FontStrikethru", "FontUnderline", "ForeColour"};

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> toBoolean(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto n = toNumber(t))
        return *n != 0;
    return std::nullopt;
}

QString singleText(float value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

std::optional<float> toSingle(const QString &text)
{
    const auto n = toNumber(text);
    if (!n || std::fabs(*n) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*n);
}

std::optional<qint32> toLong(const QString &text)
{
    const auto n = toNumber(text);
    if (!n)
        return std::nullopt;
    const double r = std::nearbyint(*n); // the default rounding mode: halves to even
    if (r < double(std::numeric_limits<qint32>::min())
        || r > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return static_cast<qint32>(r);
}

QString longText(qint32 value)
{
    return QString::number(value);
}

// The largest point size a font can be given.
constexpr float kMaxFontSize = 1638;

RegGetResult readInOrder(const Lookup &lookup, const Defaults &defaults)
{
    RegGetResult result;
    enum Kind { Text, Boolean, Single, Long };
    struct Step {
        QString key;
        Kind kind;
        std::optional<QString> fallback;
    };
    std::vector<Step> steps;
    steps.push_back({QStringLiteral("TempDir"), Text, defaults.tempDir});
    steps.push_back({QStringLiteral("Browser"), Text, defaults.browser});
    steps.push_back({QStringLiteral("BrowserSI"), Text, defaults.browserStartIn});
    steps.push_back({QStringLiteral("Auto-update"), Boolean, std::nullopt});
    for (int i = 1; i <= 4; ++i)
        steps.push_back({QStringLiteral("Pos%1").arg(i), Boolean, std::nullopt});
    const std::optional<QString> fontDefaults[7] = {
        defaults.fontName,         singleText(defaults.fontSize), booleanText(false),
        booleanText(false),        booleanText(false),           booleanText(false),
        QStringLiteral("0")};
    const Kind fontKinds[7] = {Text, Single, Boolean, Boolean, Boolean, Boolean, Long};
    for (int i = 0; i < 7; ++i)
        steps.push_back({QLatin1String(kFontKeys[i]), fontKinds[i], fontDefaults[i]});
    steps.push_back({QStringLiteral("BackColour"), Long, QStringLiteral("16777215")});
    for (int i = 0; i < 7; ++i)
        steps.push_back({QLatin1String(kFontKeys[i]), fontKinds[i], fontDefaults[i]});

    for (int index = 0; index < int(steps.size()); ++index) {
        const Step &step = steps[size_t(index)];
        std::optional<QString> text = lookup(step.key);
        if (!text)
            text = step.fallback;
        QVariant value;
        if (text) {
            switch (step.kind) {
            case Text:
                value = *text;
                break;
            case Boolean:
                if (const auto b = toBoolean(*text))
                    value = *b;
                break;
            case Single: // the font size: a size the font system can show
                if (const auto f = toSingle(*text); f && *f >= 1 && *f <= kMaxFontSize)
                    value = *f;
                break;
            case Long:
                if (const auto l = toLong(*text))
                    value = *l;
                break;
            }
        }
        if (!value.isValid()) {
            result.failed = true;
            result.failedKey = step.key;
            return result;
        }
        result.values.push_back({index, step.key, value});
    }
    return result;
}

FontChoice FontSettings::appliedTo(FontChoice font) const
{
    if (name)
        font.name = *name;
    if (size)
        font.size = double(*size);
    if (bold)
        font.bold = *bold;
    if (italic)
        font.italic = *italic;
    if (strikethrough)
        font.strikethrough = *strikethrough;
    if (underline)
        font.underline = *underline;
    if (colour)
        font.colour = ColourValue(*colour);
    return font;
}

Snapshot readSnapshot(const Lookup &lookup, const Defaults &defaults)
{
    const RegGetResult read = readInOrder(lookup, defaults);
    Snapshot s;
    for (const ReadValue &v : read.values) {
        const int i = v.index;
        if (i == TempDirStep) {
            s.tempDir = v.value.toString();
        } else if (i == BrowserStep) {
            s.browser = v.value.toString();
        } else if (i == BrowserSIStep) {
            s.browserStartIn = v.value.toString();
        } else if (i == AutoUpdateStep) {
            s.autoUpdate = v.value.toBool();
        } else if (i < EditorFontStep) {
            s.pos[size_t(i - Pos1Step)] = v.value.toBool();
        } else if (i == BackColourStep) {
            s.backColour = v.value.value<qint32>();
        } else {
            FontSettings &f = i < BackColourStep ? s.editorFont : s.dialogFont;
            switch (i < BackColourStep ? i - EditorFontStep : i - FontDialogStep) {
            case 0: f.name = v.value.toString(); break;
            case 1: f.size = v.value.toFloat(); break;
            case 2: f.bold = v.value.toBool(); break;
            case 3: f.italic = v.value.toBool(); break;
            case 4: f.strikethrough = v.value.toBool(); break;
            case 5: f.underline = v.value.toBool(); break;
            case 6: f.colour = v.value.value<qint32>(); break;
            }
        }
    }
    if (read.failed)
        s.failedKey = read.failedKey;
    return s;
}

std::vector<std::pair<QString, QString>> exitValues(bool autoUpdate, const bool pos[4],
                                                    const FontChoice &font,
                                                    ColourValue backColour)
{
    std::vector<std::pair<QString, QString>> v;
    v.emplace_back(QStringLiteral("Auto-update"), booleanText(autoUpdate));
    for (int i = 0; i < 4; ++i)
        v.emplace_back(QStringLiteral("Pos%1").arg(i + 1), booleanText(pos[i]));
    v.emplace_back(QStringLiteral("FontName"), font.name);
    v.emplace_back(QStringLiteral("FontSize"), singleText(static_cast<float>(font.size)));
    v.emplace_back(QStringLiteral("FontBold"), booleanText(font.bold));
    v.emplace_back(QStringLiteral("FontItalic"), booleanText(font.italic));
    v.emplace_back(QStringLiteral("FontStrikethru"), booleanText(font.strikethrough));
    v.emplace_back(QStringLiteral("FontUnderline"), booleanText(font.underline));
    v.emplace_back(QStringLiteral("ForeColour"), longText(static_cast<qint32>(font.colour)));
    v.emplace_back(QStringLiteral("BackColour"), longText(static_cast<qint32>(backColour)));
    return v;
}

namespace {
thread_local ReadBatch *batch = nullptr;
}

ReadBatch::ReadBatch()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            kApplication, kApplication)),
      outer_(batch)
{
    settings_->beginGroup(kSection);
    batch = this;
}

ReadBatch::~ReadBatch()
{
    batch = outer_;
}

std::optional<QString> Store::get(const QString &key) const
{
    std::optional<QSettings> own;
    if (!batch) {
        own.emplace(QSettings::IniFormat, QSettings::UserScope, kApplication, kApplication);
        own->beginGroup(kSection);
    }
    QSettings &s = batch ? *batch->settings_ : *own;
    if (!s.contains(key))
        return std::nullopt;
    const QVariant v = s.value(key);
    // A hand-edited value with a comma comes back as a list: take it whole.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

// A file that cannot be read as settings (random bytes, a broken disk
// block) is moved aside to "<file>.bad", as it is, so that the store starts
// afresh; else it stays unreadable and its junk is written back into it.
// QSettings keeps what it read of a file for the whole process and tells of
// a format error only to the first reader: a copy of the file is read.
void Store::keepUnreadableAside()
{
    const QString file = fileName();
    QTemporaryDir probeDir;
    const QString probe = probeDir.filePath(QStringLiteral("probe.ini"));
    if (!probeDir.isValid() || !QFile::copy(file, probe))
        return;
    QSettings copy(probe, QSettings::IniFormat);
    copy.allKeys(); // reads it
    if (copy.status() != QSettings::FormatError)
        return;
    QFile::remove(file + QStringLiteral(".bad"));
    QFile::rename(file, file + QStringLiteral(".bad"));
}

std::optional<QString> Store::set(const std::vector<std::pair<QString, QString>> &values)
{
    keepUnreadableAside();
    QSettings s(QSettings::IniFormat, QSettings::UserScope, kApplication, kApplication);
    s.beginGroup(kSection);
    for (const auto &[key, value] : values)
        s.setValue(key, value);
    s.endGroup();
    s.sync();
    if (s.status() == QSettings::NoError)
        return std::nullopt;
    // QSettings says only that it failed: ask the file system why.
    const QString file = s.fileName();
    QString why;
    if (QFileInfo(file).isDir()) {
        why = QStringLiteral("a folder is in its place");
    } else {
        QFile probe(file);
        why = probe.open(QIODevice::Append) ? QStringLiteral("it could not be written")
                                            : probe.errorString();
    }
    return QStringLiteral("The settings could not be written to '") + file
        + QStringLiteral("': ") + why + QLatin1Char('.');
}

QString Store::fileName()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kApplication, kApplication)
        .fileName();
}

} // namespace settings
