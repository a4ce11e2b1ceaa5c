#pragma once
// The page side of finding the source: a script of the editor's own, run in
// a world of its own beside the page's scripts (which can neither see nor
// change it) and never written into the page. It tells what is under a
// point (the element's path of child-element indices from the document
// element and, on text, which text node of it and the offset there), and
// draws the outline round an element in a closed shadow root of an overlay
// that takes no room and no clicks, so the page's own layout and styles stay
// as they are. Ctrl+click and the context menu's "Go to Source" ask it.
// Nothing is installed before the first question; a page whose scripts or
// policy get in the way gets no answer, and nothing happens.

#include <QObject>
#include <QPoint>
#include <QVariant>

class QMenu;
class QWebEngineView;

// The script's world (QWebEngineScript::UserWorld + 17). In it,
// velmoraSource.elements() lists every element the parser made as
// [path joined by ",", local name], for the benchmark that checks them
// against the source.
inline constexpr quint32 kSourceWorld = 19;

class SourcePointer : public QObject {
    Q_OBJECT
public:
    explicit SourcePointer(QWebEngineView &view);

    // Outlines the element at `path` (a list, as far down as the page has
    // it), and scrolls it into view when `scroll` and it is out of view; a
    // null path takes the outline away.
    void outline(const QVariant &path, bool scroll);
    // Adds "Go to Source" for the point `pos` of the view to `menu`.
    void addToMenu(QMenu &menu, QPoint pos);

signals:
    // What is under the point of a Ctrl+click or "Go to Source": "path",
    // and on text "text" (the text node) and "offset"; "scripted" when
    // what is there was made by the page's scripts, and the path is the
    // nearest enclosing element's that the parser made.
    void pointed(const QVariantMap &where);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pick(QPoint pos);
    void run(const QString &call, const std::function<void(const QVariant &)> &done);

    QWebEngineView &view_;
    bool installed_ = false;
    bool swallowRelease_ = false;
};
