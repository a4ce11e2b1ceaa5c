#pragma once
// The editor's settings: how values are written to and read back from the
// per-user store (every value is a string), the order in which the load step
// reads them, and the list of values the exit sequence writes.

#include "core/values.h"

#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QSettings;

namespace settings {

// Booleans are stored as "True"/"False" and read back like Visual Basic's
// Boolean conversion of text: the words in any case, or a number (0 is false).
QString booleanText(bool value);
std::optional<bool> toBoolean(const QString &text);

// Numbers in their shortest decimal form ("8", "10.5").
QString singleText(float value);
// Text to a single-precision number; fails on non-numbers and overflow.
std::optional<float> toSingle(const QString &text);
// Text to a signed 32-bit integer, rounding halves to even as the store's
// readers always have; fails outside the 32-bit range.
std::optional<qint32> toLong(const QString &text);
QString longText(qint32 value);

// The defaults of the keys that have one.
struct Defaults {
    QString tempDir;
    QString browser;
    QString browserStartIn;
    QString fontName;
    float fontSize = 8;
};

// One value the load step read and converted, in reading order. `index`
// names the step (see RegGetStep); `value` holds a QString, bool, float or
// qint32 according to the key.
struct ReadValue {
    int index;
    QString key;
    QVariant value;
};

enum RegGetStep {
    TempDirStep = 0,
    BrowserStep,
    BrowserSIStep,
    AutoUpdateStep,
    Pos1Step, // Pos1..Pos4 follow
    EditorFontStep = Pos1Step + 4, // seven font keys applied to the text pane
    BackColourStep = EditorFontStep + 7,
    FontDialogStep, // the same seven font keys, into the font dialog
    RegGetStepCount = FontDialogStep + 7
};

// The seven font keys in their order.
extern const char *const kFontKeys[7];

struct RegGetResult {
    std::vector<ReadValue> values; // what was read before the first failure
    bool failed = false;
    QString failedKey;
};

// Reads the keys in the load step's order through `lookup` (nullopt for a
// missing key), converting each; stops at the first value that is missing
// without a default or cannot be converted.
using Lookup = std::function<std::optional<QString>(const QString &key)>;
RegGetResult readInOrder(const Lookup &lookup, const Defaults &defaults);

// The same reading as a typed snapshot: each value that was read before
// reading stopped; `failedKey` names the key where it stopped (empty when
// every key was read).
struct FontSettings {
    std::optional<QString> name;
    std::optional<float> size;
    std::optional<bool> bold, italic, strikethrough, underline;
    std::optional<qint32> colour;
    bool any() const { return name.has_value(); } // the name is read first
    // `font` with the values that were read.
    FontChoice appliedTo(FontChoice font) const;
};
struct Snapshot {
    std::optional<QString> tempDir, browser, browserStartIn;
    std::optional<bool> autoUpdate;
    std::array<std::optional<bool>, 4> pos;
    FontSettings editorFont;
    std::optional<qint32> backColour;
    FontSettings dialogFont;
    QString failedKey;
    bool complete() const { return failedKey.isEmpty(); }
};
Snapshot readSnapshot(const Lookup &lookup, const Defaults &defaults);

// What the exit sequence writes, in order.
std::vector<std::pair<QString, QString>> exitValues(bool autoUpdate, const bool pos[4],
                                                    const FontChoice &font,
                                                    ColourValue backColour);

// While one lives, every Store::get() on the thread that made it reads
// through one opening of the store (the start reads some forty keys).
// Writes go on as ever; they are seen by the reads that follow.
class ReadBatch {
public:
    ReadBatch();
    ~ReadBatch();
    ReadBatch(const ReadBatch &) = delete;
    ReadBatch &operator=(const ReadBatch &) = delete;

private:
    friend class Store;
    std::unique_ptr<QSettings> settings_;
    ReadBatch *outer_;
};

// The per-user store: application "Fendro Vatro", section "Velmora".
class Store {
public:
    std::optional<QString> get(const QString &key) const;
    // Writes the values; when they cannot be written, a sentence that says
    // where and why. A store that cannot be read at all is kept beside as
    // "<file>.bad" and written afresh.
    std::optional<QString> set(const std::vector<std::pair<QString, QString>> &values);
    // The file that holds the settings.
    static QString fileName();

private:
    static void keepUnreadableAside();
};

} // namespace settings
