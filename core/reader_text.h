#pragma once
// The text a reader of a page sees, found in its HTML source for the
// spelling check: the text between tags and the values of the alt, title
// and placeholder attributes, each with the language the nearest lang
// attribute around it declares (the elements open at a place are those the
// markup reader finds, optional end tags understood). Tag and attribute
// names, other attribute values, comments, script and style bodies are
// markup; in the text, character references, web and e-mail addresses,
// words holding digits and runs of letters too long to be words are left
// alone. Positions are byte offsets in the page's UTF-8.

#include "core/markup_reader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <deque>
#include <vector>

namespace spelling {

// Where the reading stands between two tokens: the open elements (as the
// markup reader keeps them) and the language in force inside each ("und"
// for lang="", which declares none; empty for none declared).
struct ReadingState {
    markup::ElementStack elements;
    std::vector<QByteArray> langs;
    bool operator==(const ReadingState &o) const;
};

// A stretch of reader-visible bytes and its language (empty: none
// declared, the desktop's).
struct TextRun {
    qsizetype start = 0;
    qsizetype end = 0;
    QByteArray lang;
};

// A word to check: its bytes in the page, its text (character references
// and typographic apostrophes read as the apostrophe) and its language.
struct Word {
    qsizetype start = 0;
    qsizetype end = 0;
    QString text;
    QByteArray lang;
};

// Walks a page from a place between tokens, handing out the
// reader-visible runs in order. Long stretches of text are handed out in
// pieces that end at white space, so that the walk comes to rest often.
class ReaderTextScanner {
public:
    ReaderTextScanner(QByteArrayView html, qsizetype from, ReadingState state = {});

    // The next run, or false at the end of the page.
    bool next(TextRun &run);
    // Where the walk goes on; when atRest(), starting a new walk there
    // with state() gives what this one would.
    qsizetype position() const { return textFrom_ < textTo_ ? textFrom_ : reader_.pos(); }
    bool atRest() const { return pending_.empty() && reader_.atRestartPoint(); }
    ReadingState state() const { return {reader_.stack(), langs_}; }

private:
    void tag(qsizetype start, qsizetype end);
    QByteArray lang() const { return langs_.empty() ? QByteArray() : langs_.back(); }

    QByteArrayView html_;
    markup::Reader reader_;
    std::vector<QByteArray> langs_;
    std::deque<TextRun> pending_;
    qsizetype textFrom_ = 0, textTo_ = 0; // the rest of a long text
};

// The words of `run` to check, appended to `out`.
void wordsIn(QByteArrayView html, const TextRun &run, std::vector<Word> &out);

} // namespace spelling
