#include "core/spell_checker.h"

#include "core/document_file.h"
#include "core/native_path.h"

#include "vatro/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QThread>
#include <hunspell.hxx>

namespace spelling {

struct SpellChecker::Dictionary {
    std::unique_ptr<Hunspell> hunspell; // null while it loads
    std::shared_ptr<std::unique_ptr<Hunspell>> loading;
    QThread *thread = nullptr;
    QByteArray encoding;
    QHash<QString, bool> verdicts;

    QByteArray encode(const QString &word) const
    {
        if (encoding == "UTF-8")
            return word.toUtf8();
        QStringEncoder encoder(encoding.constData());
        QByteArray bytes = encoder.isValid() ? QByteArray(encoder(word)) : QByteArray();
        return encoder.hasError() ? QByteArray() : bytes;
    }
    QString decode(const std::string &bytes) const
    {
        if (encoding == "UTF-8")
            return QString::fromStdString(bytes);
        QStringDecoder decoder(encoding.constData());
        return decoder.isValid() ? QString(decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size()))))
                                 : QString();
    }
};

QStringList dictionaryFolders()
{
    QStringList folders = qEnvironmentVariable("DICPATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders << QStringLiteral("/usr/share/hunspell") << QStringLiteral("/usr/share/myspell/dicts")
            << QStringLiteral("/usr/share/myspell");
    return folders;
}

QByteArray desktopLanguage()
{
    const QString name = QLocale::system().name();
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return "en-us";
    return name.toLower().replace(QLatin1Char('_'), QLatin1Char('-')).toLatin1();
}

QString dictionaryFor(const QByteArray &lang, const QStringList &folders, const QByteArray &desktop)
{
    auto subtags = [](const QByteArray &tag) {
        return tag.toLower().replace('_', '-').split('-');
    };
    auto region = [](const QList<QByteArray> &tags) {
        for (qsizetype i = 1; i < tags.size(); ++i)
            if (tags[i].size() == 2)
                return QString::fromLatin1(tags[i]).toUpper();
        return QString();
    };
    const QList<QByteArray> tags = subtags(lang.isEmpty() ? desktop : lang);
    const QString language = QString::fromLatin1(tags.value(0));
    if (language.isEmpty() || language.size() > 8
        || !std::all_of(language.begin(), language.end(), [](QChar c) { return c >= 'a' && c <= 'z'; }))
        return {};
    const QList<QByteArray> desktopTags = subtags(desktop);
    QStringList names;
    if (!region(tags).isEmpty())
        names << language + QLatin1Char('_') + region(tags);
    if (desktopTags.value(0) == tags.value(0) && !region(desktopTags).isEmpty())
        names << language + QLatin1Char('_') + region(desktopTags);
    names << language << language + QLatin1Char('_') + language.toUpper();
    if (language == QLatin1String("en"))
        names << QStringLiteral("en_US");
    auto usable = [](const QString &base) {
        return QFileInfo(base + QLatin1String(".aff")).isFile() && QFileInfo(base + QLatin1String(".dic")).isFile();
    };
    for (const QString &name : names)
        for (const QString &folder : folders)
            if (usable(folder + QLatin1Char('/') + name))
                return folder + QLatin1Char('/') + name;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList({language + QLatin1String("_*.dic")}, QDir::Files, QDir::Name)) {
            const QString base = dir.filePath(file.chopped(4));
            if (usable(base))
                return base;
        }
    }
    return {};
}

QString personalWordsFile()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(data))
        data = QDir::homePath() + QLatin1String("/.local/share");
    return data + QLatin1String("/velmora/words.txt");
}

namespace {

QStringList readWords(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList words;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (const QString word = QString::fromUtf8(line.trimmed()); !word.isEmpty())
            words << word;
    return words;
}

} // namespace

SpellChecker::SpellChecker(const QStringList &folders, const QByteArray &desktop, const QString &personalFile,
                           QObject *parent)
    : QObject(parent), folders_(folders), desktop_(desktop), personalFile_(personalFile),
      personal_(readWords(personalFile))
{
}

SpellChecker::~SpellChecker()
{
    for (const auto &d : std::as_const(dictionaries_)) {
        if (d->thread) {
            d->thread->wait();
            delete d->thread;
        }
    }
}

SpellChecker::Dictionary *SpellChecker::dictionary(const QByteArray &lang)
{
    const QByteArray key = lang.isEmpty() ? desktop_ : lang;
    if (key == "und" || key == "zxx" || key.startsWith("zxx-"))
        return nullptr;
    auto chosen = chosen_.find(key);
    if (chosen == chosen_.end()) {
        chosen = chosen_.insert(key, dictionaryFor(key, folders_, desktop_));
        if (chosen->isEmpty())
            emit missing(key);
    }
    const QString path = *chosen;
    if (path.isEmpty())
        return nullptr;
    std::shared_ptr<Dictionary> &d = dictionaries_[path];
    if (!d) {
        d = std::make_shared<Dictionary>();
        d->loading = std::make_shared<std::unique_ptr<Hunspell>>();
        const QByteArray aff = nativePath(path + QLatin1String(".aff"));
        const QByteArray dic = nativePath(path + QLatin1String(".dic"));
        d->thread = QThread::create([result = d->loading, aff, dic] {
            *result = std::make_unique<Hunspell>(aff.constData(), dic.constData());
        });
        connect(d->thread, &QThread::finished, this, [this, path] { loaded(path); });
        d->thread->start(QThread::LowPriority);
    }
    return d.get();
}

void SpellChecker::loaded(const QString &path)
{
    const std::shared_ptr<Dictionary> d = dictionaries_.value(path);
    if (!d || !d->thread)
        return;
    d->thread->wait();
    d->thread->deleteLater();
    d->thread = nullptr;
    d->hunspell = std::move(*d->loading);
    d->loading.reset();
    d->encoding = QByteArray::fromStdString(d->hunspell->get_dict_encoding());
    for (const QString &word : std::as_const(personal_))
        if (const QByteArray bytes = d->encode(word); !bytes.isEmpty())
            d->hunspell->add(bytes.toStdString());
    emit ready();
}

bool SpellChecker::isLoading() const
{
    return std::any_of(dictionaries_.begin(), dictionaries_.end(), [](const auto &d) { return d->thread; });
}

void SpellChecker::waitForLoads()
{
    for (const QString &path : dictionaries_.keys())
        loaded(path);
}

SpellChecker::Verdict SpellChecker::check(const Word &word)
{
    if (ignored_.contains(word.text))
        return Verdict::Correct;
    Dictionary *d = dictionary(word.lang);
    if (!d || !d->hunspell)
        return Verdict::Unknown;
    auto known = d->verdicts.constFind(word.text);
    if (known == d->verdicts.constEnd()) {
        const QByteArray bytes = d->encode(word.text);
        if (bytes.isEmpty())
            return Verdict::Unknown; // not a word of that dictionary's alphabet
        known = d->verdicts.insert(word.text, d->hunspell->spell(bytes.toStdString()));
    }
    return *known ? Verdict::Correct : Verdict::Misspelt;
}

QStringList SpellChecker::suggestions(const Word &word, int max)
{
    Dictionary *d = dictionary(word.lang);
    const QByteArray bytes = d && d->hunspell ? d->encode(word.text) : QByteArray();
    if (bytes.isEmpty())
        return {};
    QStringList out;
    for (const std::string &s : d->hunspell->suggest(bytes.toStdString())) {
        if (out.size() == max)
            break;
        if (const QString text = d->decode(s); !text.isEmpty())
            out << text;
    }
    return out;
}

std::optional<QString> SpellChecker::addToPersonal(const QString &word)
{
    if (!QDir().mkpath(QFileInfo(personalFile_).absolutePath()))
        return QStringLiteral("The folder of '%1' could not be made.").arg(personalFile_);
    // Another window may add words at the same time: read, add and write
    // back one at a time.
    const vatro::FileLock lock(nativePath(personalFile_).toStdString(), true);
    QStringList words = readWords(personalFile_);
    if (!words.contains(word)) {
        words << word;
        if (const std::optional<FileError> e = saveDocumentFile(personalFile_, (words.join('\n') + '\n').toUtf8()))
            return QStringLiteral("'%1' could not be written: %2").arg(personalFile_, e->description);
    }
    personal_ = words;
    for (const auto &d : std::as_const(dictionaries_)) {
        if (const QByteArray bytes = d->hunspell ? d->encode(word) : QByteArray(); !bytes.isEmpty()) {
            d->hunspell->add(bytes.toStdString());
            d->verdicts.clear();
        }
    }
    return std::nullopt;
}

void SpellChecker::ignore(const QString &word)
{
    ignored_.insert(word);
}

} // namespace spelling
