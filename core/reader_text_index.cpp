#include "core/reader_text_index.h"

namespace spelling {

namespace {
// A place at rest is remembered about every this many bytes.
constexpr qsizetype kSpacing = 4096;
} // namespace

void ReaderTextIndex::reset()
{
    rest_.clear();
    dirty_ = {0};
}

void ReaderTextIndex::edited(qsizetype pos, qsizetype removed, qsizetype inserted)
{
    // A place at `pos` itself may now be inside a word: only those before
    // it keep their meaning; those after the removed bytes move along.
    // None is left among the new bytes, so the reading of a change goes on
    // at least to their end.
    const qsizetype delta = inserted - removed;
    std::map<qsizetype, ReadingState> moved;
    for (auto it = rest_.lower_bound(pos); it != rest_.end(); it = rest_.erase(it))
        if (it->first > pos + removed)
            moved.emplace_hint(moved.end(), it->first + delta, std::move(it->second));
    rest_.merge(moved);
    std::set<qsizetype> dirty;
    for (const qsizetype d : dirty_)
        dirty.insert(d < pos ? d : d <= pos + removed ? pos : d + delta);
    dirty.insert(pos);
    dirty_.swap(dirty);
}

Reread ReaderTextIndex::work(QByteArrayView html, qsizetype budget)
{
    Reread r;
    if (dirty_.empty())
        return r;
    const qsizetype n = html.size();
    auto from = rest_.upper_bound(qMin(*dirty_.begin(), n));
    ReadingState state;
    if (from != rest_.begin()) {
        --from;
        r.from = from->first;
        state = from->second;
    }
    ReaderTextScanner scanner(html, r.from, std::move(state));
    qsizetype last = r.from, lastKept = r.from;
    for (;;) {
        TextRun run;
        const bool more = scanner.next(run);
        if (more)
            wordsIn(html, run, r.words);
        if (more && !scanner.atRest())
            continue; // (the end of the page may be inside a script)
        const qsizetype p = scanner.position();
        // Changes the reading has passed are read with it; one that begins
        // here (where an earlier reading paused) is not read yet.
        dirty_.erase(dirty_.begin(), dirty_.lower_bound(p));
        // Places passed inside a step are no longer places at rest.
        rest_.erase(rest_.upper_bound(last), rest_.lower_bound(p));
        last = p;
        r.to = p;
        if (!more) {
            rest_.erase(rest_.upper_bound(p), rest_.end());
            dirty_.clear();
            return r;
        }
        const auto known = rest_.find(p);
        if (known != rest_.end()) {
            if (known->second == scanner.state())
                return r; // from here on the page reads as it did
            known->second = scanner.state();
            lastKept = p;
        } else if (p - lastKept >= kSpacing || p - r.from >= budget) {
            rest_.emplace(p, scanner.state());
            lastKept = p;
        }
        if (p - r.from >= budget) {
            dirty_.insert(p);
            return r;
        }
    }
}

} // namespace spelling
