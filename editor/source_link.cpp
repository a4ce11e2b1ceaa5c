#include "editor/source_link.h"

#include "core/tree_index.h"
#include "editor/kept_option.h"
#include "editor/main_menu.h"
#include "editor/preview.h"
#include "widgets/browser_pane.h"
#include "widgets/html_pane.h"

#include <QFileInfo>
#include <QMenu>
#include <QPromise>

#include <thread>

using SB = QsciScintillaBase;

namespace {

// A caret move is outlined once the events of the moment are handled.
constexpr int kFollowMs = 0;
// A change is parsed this long after the last key of a burst of typing.
constexpr int kParseMs = 250;

} // namespace

SourceLink::SourceLink(const MainMenu &menu, HTMLPane &pane, BrowserPane &browser,
                       const Preview &preview, QObject *parent)
    : QObject(parent), pane_(pane), browser_(browser), preview_(preview)
{
    followSoon_.setSingleShot(true);
    followSoon_.setInterval(kFollowMs);
    parseSoon_.setSingleShot(true);
    parseSoon_.setInterval(kParseMs);
    connect(&followSoon_, &QTimer::timeout, this, &SourceLink::follow);
    connect(&parseSoon_, &QTimer::timeout, this, &SourceLink::parseAway);
    connect(&watcher_, &QFutureWatcher<Index>::finished, this, &SourceLink::parsed);
    connect(&pane, &HTMLPane::changed, this, &SourceLink::textChanged);
    connect(&pane, &SB::SCN_UPDATEUI, this, [this](int updated) {
        if (followOn_ && (updated & SB::SC_UPDATE_SELECTION))
            followSoon_.start();
    });
    connect(&browser, &BrowserPane::loadFinished, this, [this] {
        if (followOn_)
            followSoon_.start();
    });
    connect(&browser, &BrowserPane::sourceWanted, this, &SourceLink::goToSource);
    menu.mnuBrowser->addSeparator();
    mnuFollowCaret = addKeptOption(*menu.mnuBrowser, QStringLiteral("Follow the &Caret"),
                                   QStringLiteral("FollowCaret"), [this](bool on) { setFollowCaret(on); });
}

void SourceLink::textChanged()
{
    ++revision_;
    index_.reset();
    waiting_.clear(); // a Ctrl+click before the change no longer applies
    if (followOn_)
        parseSoon_.start();
}

void SourceLink::whenParsed(const std::function<void()> &then)
{
    if (index_)
        return then();
    waiting_.push_back(then);
    parseAway();
}

// The text as it is now, copied, parsed on a thread of its own (nothing
// waits for it, not even the end of the program); the result counts only
// if the text has not changed meanwhile.
void SourceLink::parseAway()
{
    if (index_ || parsing_)
        return;
    parsing_ = revision_;
    auto promise = std::make_shared<QPromise<Index>>();
    watcher_.setFuture(promise->future());
    promise->start();
    std::thread([promise, text = pane_.utf8Text().toByteArray()] {
        promise->addResult(markup::TreeIndex::build(text));
        promise->finish();
    }).detach();
}

void SourceLink::parsed()
{
    const quint64 revision = std::exchange(parsing_, 0);
    if (watcher_.future().resultCount() == 0)
        return;
    if (revision != revision_) {
        if (!waiting_.empty() || (followOn_ && !parseSoon_.isActive()))
            parseAway();
        return;
    }
    index_ = watcher_.future().result();
    for (const std::function<void()> &then : std::exchange(waiting_, {}))
        then();
    follow();
}

void SourceLink::setFollowCaret(bool on)
{
    followOn_ = on;
    if (on)
        return follow();
    followSoon_.stop();
    parseSoon_.stop();
    browser_.outline(QVariant(), false);
}

void SourceLink::follow()
{
    // A page comes only once the engine is up; its load brings us back.
    if (!followOn_ || !browser_.engineView())
        return;
    if (!index_)
        return parseSoon_.isActive() ? void() : parseAway();
    if (!showsTheText())
        return;
    const int e = index_->elementAtSource(pane_.SendScintilla(SB::SCI_GETCURRENTPOS));
    if (e < 0)
        return browser_.outline(QVariant(), false);
    QVariantList path;
    for (int i : index_->pathOf(e))
        path << i;
    browser_.outline(path, true);
}

void SourceLink::goToSource(const QVariantMap &where)
{
    whenParsed([this, where] { showSource(where); });
}

bool SourceLink::showsTheText() const
{
    return QFileInfo(browser_.shownFile()) == QFileInfo(preview_.previewFile());
}

bool SourceLink::showSource(const QVariantMap &where)
{
    if (!showsTheText())
        return false;
    const Index tree = index_;
    std::vector<int> path;
    for (const QVariant &i : where.value(QStringLiteral("path")).toList())
        path.push_back(i.toInt());
    // An element the page's scripts made: the nearest that the source has.
    int e = tree->elementAt(path);
    const bool exact = e >= 0;
    while (e < 0 && !path.empty()) {
        path.pop_back();
        e = tree->elementAt(path);
    }
    if (e < 0)
        return false;
    std::optional<qsizetype> caret;
    if (exact && where.contains(QStringLiteral("text")))
        caret = tree->textSource(pane_.utf8Text(), e, where.value(QStringLiteral("text")).toInt(),
                                 where.value(QStringLiteral("offset")).toInt());
    const std::optional<markup::TreeIndex::Tag> tag = tree->tagFor(e);
    if (caret) {
        pane_.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(*caret));
    } else if (!tag) {
        return false;
    } else if (where.contains(QStringLiteral("text"))) {
        pane_.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(tag->start));
    } else {
        pane_.SendScintilla(SB::SCI_SETSEL, static_cast<unsigned long>(tag->start), static_cast<long>(tag->end));
        pane_.SendScintilla(SB::SCI_SCROLLRANGE, static_cast<unsigned long>(tag->end), static_cast<long>(tag->start));
    }
    pane_.window()->activateWindow();
    pane_.setFocus(Qt::OtherFocusReason);
    return true;
}
