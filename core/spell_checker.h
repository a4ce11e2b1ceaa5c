#pragma once
// Spelling through Hunspell and the dictionaries the system has installed
// (Debian puts them in /usr/share/hunspell as <language>_<REGION>.aff and
// .dic), one per language the page uses, each loaded beside the editor on
// first use. Words the user adds are kept in a personal word list, one a
// line, in $XDG_DATA_HOME/velmora/words.txt; ignored words only for the run.

#include "core/reader_text.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <memory>
#include <optional>

class Hunspell;
class QThread;

namespace spelling {

// $DICPATH's folders, then where Debian installs dictionaries.
QStringList dictionaryFolders();
// The desktop's language as a tag ("en-gb"); the C locale's is "en-us".
QByteArray desktopLanguage();
// The dictionary for the language tag `lang` (empty: `desktop`'s) among
// those in `folders`, as its path without ".aff"/".dic"; empty when none
// fits. "de-AT" takes de_AT, else de, de_DE, or another de_*; a language
// the desktop speaks takes the desktop's region first; "en" takes en_US
// before other regions.
QString dictionaryFor(const QByteArray &lang, const QStringList &folders, const QByteArray &desktop);
QString personalWordsFile();

class SpellChecker : public QObject {
    Q_OBJECT
public:
    explicit SpellChecker(const QStringList &folders = dictionaryFolders(),
                          const QByteArray &desktop = desktopLanguage(),
                          const QString &personalFile = personalWordsFile(), QObject *parent = nullptr);
    ~SpellChecker() override;

    // Unknown while the word's dictionary loads (ready() follows), when no
    // dictionary fits its language (missing() tells once), and for the
    // languages "und" (lang="") and "zxx" (no language).
    enum class Verdict { Correct, Misspelt, Unknown };
    Verdict check(const Word &word);
    // Up to `max` replacements, the likeliest first.
    QStringList suggestions(const Word &word, int max = 8);
    // Adds the word to the personal list and to the run's dictionaries;
    // why the list could not be written, if it could not.
    std::optional<QString> addToPersonal(const QString &word);
    void ignore(const QString &word);
    // Whether a dictionary is being loaded; waits for those (tests, benchmarks).
    bool isLoading() const;
    void waitForLoads();

signals:
    void ready();
    void missing(const QByteArray &lang);

private:
    struct Dictionary;
    Dictionary *dictionary(const QByteArray &lang);
    void loaded(const QString &path);

    QStringList folders_;
    QByteArray desktop_;
    QString personalFile_;
    QStringList personal_;
    QSet<QString> ignored_;
    QHash<QByteArray, QString> chosen_; // language -> dictionary path ("" none)
    QHash<QString, std::shared_ptr<Dictionary>> dictionaries_;
};

} // namespace spelling
