#pragma once
// The spelling check on the text pane: misspelt words of the text a reader
// of the page sees are underlined with a wavy line as the page changes.
// Only what a change can have touched is read again, in short slices after
// the key has been drawn, so typing never waits for it. Off until switched
// on: then nothing is read and no dictionary is loaded.

#include "core/reader_text_index.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class HTMLPane;

namespace spelling {
class SpellChecker;
}

class SpellMarks : public QObject {
    Q_OBJECT
public:
    explicit SpellMarks(HTMLPane &pane);
    ~SpellMarks() override;

    bool isOn() const { return on_; }
    void setOn(bool on);
    // The checker (made when the check is first switched on).
    spelling::SpellChecker *checker() const { return checker_.get(); }

    // The underlined word at, or ending at, the byte position `pos`.
    std::optional<spelling::Word> wordAt(long pos) const;
    // Puts `text` in the place of `word` as one step of the pane's undo
    // history (nothing when the word is no longer there).
    void replace(const spelling::Word &word, const QString &text);
    // Reads the whole page again (the word lists changed).
    void recheck();
    // Something is still to be read, or a dictionary to be loaded.
    bool isBusy() const;

    static constexpr int kIndicator = 12; // 8 to 11 are the pane's, the find bar's and the colouring's

signals:
    // Everything changed has been read and marked.
    void settled();
    // No dictionary fits `lang` (told once a language).
    void dictionaryMissing(const QByteArray &lang);

private:
    void slice();
    int langValue(const QByteArray &lang);

    HTMLPane &pane_;
    std::unique_ptr<spelling::SpellChecker> checker_;
    spelling::ReaderTextIndex index_;
    QList<QByteArray> langs_; // the indicator's value - 1 is the word's language
    QTimer later_;
    bool on_ = false;
    QList<QMetaObject::Connection> connections_;
};
