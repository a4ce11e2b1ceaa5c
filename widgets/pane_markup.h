#pragma once
// The markup outline of the text pane's text, told of every change the
// pane makes, for the tools that ask what the markup means at a place:
// completion, closing tags and matching tags. Places are the control's own
// byte positions in its UTF-8 text.

#include "core/markup_completion.h"

#include <QObject>

class HTMLPane;

class PaneMarkup : public QObject {
    Q_OBJECT
public:
    explicit PaneMarkup(HTMLPane &pane);

    markup::Outline &outline() { return outline_; }
    // The text as the control holds it; valid until the next change.
    QByteArrayView text() const;
    long caret() const;
    // Replaces [start, end) with `text` as one step of the control's undo
    // history, on its own: one Ctrl+Z takes it away and nothing else, and
    // puts the caret at `caret` (in the text after the change).
    void apply(const markup::Edit &edit);

    HTMLPane &pane() { return pane_; }

private:
    HTMLPane &pane_;
    markup::Outline outline_;
};
