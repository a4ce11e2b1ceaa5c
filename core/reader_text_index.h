#pragma once
// Keeps track of which parts of a page have to be read again for the
// spelling check as the page changes, so that a keystroke costs the
// reading of a few kilobytes around it, not of the page. It remembers
// places where the reading was at rest (between tokens, no word open)
// together with the elements and languages open there; a change is read
// again from the last such place before it until the reading comes to
// rest at a remembered place after it in the same state, after which
// nothing can have changed. Positions are byte offsets in the page's UTF-8.

#include "core/reader_text.h"

#include <map>
#include <set>

namespace spelling {

// One step of reading: the words of [from, to), whose marks it replaces.
struct Reread {
    qsizetype from = 0;
    qsizetype to = 0;
    std::vector<Word> words;
};

class ReaderTextIndex {
public:
    ReaderTextIndex() { reset(); }

    // The whole page is to be read again (a new page, a new word list).
    void reset();
    // `removed` bytes at `pos` gave way to `inserted` bytes.
    void edited(qsizetype pos, qsizetype removed, qsizetype inserted);
    bool hasWork() const { return !dirty_.empty(); }
    // Reads on from the first change, for about `budget` bytes or until
    // what follows reads as it did.
    Reread work(QByteArrayView html, qsizetype budget);

private:
    std::map<qsizetype, ReadingState> rest_; // places at rest and their languages
    std::set<qsizetype> dirty_;            // where changes begin
};

} // namespace spelling
