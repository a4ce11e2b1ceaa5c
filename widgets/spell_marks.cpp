#include "widgets/spell_marks.h"

#include "core/spell_checker.h"
#include "widgets/html_pane.h"

#include <QElapsedTimer>

using SB = QsciScintillaBase;

namespace {
// A slice reads on for at most this long before it lets the keys in.
constexpr int kSliceMs = 8;
constexpr qsizetype kStep = 4096;
} // namespace

SpellMarks::SpellMarks(HTMLPane &pane) : QObject(&pane), pane_(pane)
{
    later_.setSingleShot(true);
    later_.setInterval(0);
    connect(&later_, &QTimer::timeout, this, &SpellMarks::slice);
}

SpellMarks::~SpellMarks() = default;

void SpellMarks::setOn(bool on)
{
    if (on == on_)
        return;
    on_ = on;
    const auto indicator = static_cast<unsigned long>(kIndicator);
    if (!on) {
        for (const QMetaObject::Connection &c : std::as_const(connections_))
            disconnect(c);
        connections_.clear();
        later_.stop();
        pane_.SendScintilla(SB::SCI_SETINDICATORCURRENT, indicator);
        pane_.SendScintilla(SB::SCI_INDICATORCLEARRANGE, 0UL, pane_.SendScintilla(SB::SCI_GETTEXTLENGTH));
        return;
    }
    if (!checker_) {
        checker_ = std::make_unique<spelling::SpellChecker>();
        connect(checker_.get(), &spelling::SpellChecker::ready, this, &SpellMarks::recheck);
        connect(checker_.get(), &spelling::SpellChecker::missing, this, &SpellMarks::dictionaryMissing);
    }
    pane_.SendScintilla(SB::SCI_INDICSETSTYLE, indicator, static_cast<long>(SB::INDIC_SQUIGGLEPIXMAP));
    pane_.SendScintilla(SB::SCI_INDICSETFORE, indicator, QColor(220, 30, 30));
    // The pane tells each change before it is made: where, and how many bytes.
    connections_ << connect(&pane_, &SB::SCN_MODIFIED, this,
                            [this](int pos, int type, const char *, int length, int, int, int, int, int, int) {
                                if (type & SB::SC_MOD_BEFOREINSERT)
                                    index_.edited(pos, 0, length);
                                else if (type & SB::SC_MOD_BEFOREDELETE)
                                    index_.edited(pos, length, 0);
                                else
                                    return;
                                later_.start();
                            });
    recheck();
}

void SpellMarks::recheck()
{
    if (!on_)
        return;
    index_.reset();
    later_.start();
}

bool SpellMarks::isBusy() const
{
    return on_ && (index_.hasWork() || checker_->isLoading());
}

int SpellMarks::langValue(const QByteArray &lang)
{
    qsizetype i = langs_.indexOf(lang);
    if (i < 0) {
        i = langs_.size();
        langs_ << lang;
    }
    return int(i) + 1;
}

void SpellMarks::slice()
{
    if (!on_)
        return;
    QElapsedTimer clock;
    clock.start();
    const QByteArrayView html = pane_.utf8Text();
    pane_.SendScintilla(SB::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(kIndicator));
    do {
        const spelling::Reread r = index_.work(html, kStep);
        if (r.to > r.from)
            pane_.SendScintilla(SB::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(r.from),
                                static_cast<long>(r.to - r.from));
        for (const spelling::Word &w : r.words) {
            if (checker_->check(w) != spelling::SpellChecker::Verdict::Misspelt)
                continue;
            pane_.SendScintilla(SB::SCI_SETINDICATORVALUE, static_cast<unsigned long>(langValue(w.lang)));
            pane_.SendScintilla(SB::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(w.start),
                                static_cast<long>(w.end - w.start));
        }
    } while (index_.hasWork() && clock.elapsed() < kSliceMs);
    if (index_.hasWork())
        later_.start();
    else
        emit settled();
}

std::optional<spelling::Word> SpellMarks::wordAt(long pos) const
{
    if (!on_)
        return std::nullopt;
    const auto indicator = static_cast<unsigned long>(kIndicator);
    for (const long at : {pos, pos - 1}) {
        const long value = at < 0 ? 0 : pane_.SendScintilla(SB::SCI_INDICATORVALUEAT, indicator, at);
        if (value <= 0)
            continue;
        const long start = pane_.SendScintilla(SB::SCI_INDICATORSTART, indicator, at);
        const long end = pane_.SendScintilla(SB::SCI_INDICATOREND, indicator, at);
        std::vector<spelling::Word> words;
        spelling::wordsIn(pane_.utf8Text(), spelling::TextRun{start, end, langs_.value(value - 1)}, words);
        if (words.size() == 1 && words[0].start == start && words[0].end == end)
            return words[0];
    }
    return std::nullopt;
}

void SpellMarks::replace(const spelling::Word &word, const QString &text)
{
    const std::optional<spelling::Word> now = wordAt(long(word.start));
    if (!now || now->start != word.start || now->end != word.end || now->text != word.text)
        return;
    pane_.SendScintilla(SB::SCI_SETSEL, static_cast<unsigned long>(word.start), static_cast<long>(word.end));
    pane_.setSelText(text);
}
