#pragma once
// The text a reader of a page sees, found in its HTML source for the
// spelling check: the text between tags and the values of the alt, title
// and placeholder attributes, each with the language the nearest lang
// attribute around it declares. Tag and attribute names, other attribute
// values, comments, script and style bodies are markup; in the text,
// character references, web and e-mail addresses, and words holding
// digits are left alone. Positions are byte offsets in the page's UTF-8.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <deque>
#include <vector>

namespace spelling {

// An open element that declared a language (or that the text's language
// depends on): its tag name in lower case, the language in force inside it
// ("und" for lang="", which declares none), and how many elements of the
// same name opened inside it are still open.
struct LangFrame {
    QByteArray tag;
    QByteArray lang;
    int depth = 0;
    bool operator==(const LangFrame &o) const { return tag == o.tag && lang == o.lang && depth == o.depth; }
};
using LangStack = std::vector<LangFrame>;

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

// Walks a page from a place where no tag, comment or word is open,
// handing out the reader-visible runs in order. Long stretches of text
// are handed out in pieces that end at white space, so that the walk
// comes to rest often.
class ReaderTextScanner {
public:
    ReaderTextScanner(QByteArrayView html, qsizetype from, LangStack stack = {});

    // The next run, or false at the end of the page.
    bool next(TextRun &run);
    // Where the walk goes on; when atRest(), starting a new walk there
    // with stack() gives what this one would.
    qsizetype position() const { return pos_; }
    bool atRest() const { return pending_.empty(); }
    const LangStack &stack() const { return stack_; }

private:
    void markup();
    void tag(qsizetype lt);
    void skipPast(qsizetype from, QByteArrayView end);
    QByteArray lang() const;

    QByteArrayView html_;
    qsizetype pos_;
    LangStack stack_;
    std::deque<TextRun> pending_;
};

// The words of `run` to check, appended to `out`.
void wordsIn(QByteArrayView html, const TextRun &run, std::vector<Word> &out);

} // namespace spelling
