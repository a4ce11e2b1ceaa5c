#pragma once
// The preview and the source follow each other. Ctrl+click on the page, or
// "Go to Source" in its context menu, puts the caret at the source of what
// was under the pointer (on text: at that character; elsewhere the
// element's start tag selected; an element the parser implied: the nearest
// enclosing one with a start tag), shows it and gives the text pane the
// keyboard. Browser, Follow the Caret (kept under "FollowCaret", off when
// missing) outlines the element holding the caret in the page after every
// caret move and every refresh, and scrolls it into view when it is out of
// view. Neither does anything while the pane shows another page than the
// preview (one a link led to). The text is parsed only when one of them asks (markup::TreeIndex),
// once per revision; while the caret is followed a change is parsed away
// from the editor: always on a thread of its own, as a page can take the
// parser long, and while the caret is followed after a pause in the typing.

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace markup {
class TreeIndex;
}
class BrowserPane;
class HTMLPane;
class Preview;
class QAction;
struct MainMenu;

class SourceLink : public QObject {
    Q_OBJECT
public:
    SourceLink(const MainMenu &menu, HTMLPane &pane, BrowserPane &browser, const Preview &preview,
               QObject *parent);

    QAction *mnuFollowCaret = nullptr;

    // Puts the caret at the source of `where` (BrowserPane::sourceWanted)
    // once the text is parsed; nothing when it names nothing the source has.
    void goToSource(const QVariantMap &where);
    void setFollowCaret(bool on);

private:
    using Index = std::shared_ptr<const markup::TreeIndex>;
    void textChanged();
    void whenParsed(const std::function<void()> &then);
    void parseAway();
    void parsed();
    void follow();
    bool showSource(const QVariantMap &where);
    // The page shown is the preview of the text, not one a link led to.
    bool showsTheText() const;

    HTMLPane &pane_;
    BrowserPane &browser_;
    const Preview &preview_;
    Index index_;           // of revision_, or none
    quint64 revision_ = 1;  // changes of the text so far, from 1
    quint64 parsing_ = 0;   // the revision being parsed away, 0: none
    bool followOn_ = false;
    QTimer followSoon_;     // a caret move or a refresh: outline
    QTimer parseSoon_;      // a pause in the typing: parse away
    QFutureWatcher<Index> watcher_;
    std::vector<std::function<void()>> waiting_; // for the text as it is
};
