#pragma once
// Completion in the text pane, in QScintilla's own list: element names
// after "<", the open elements after "</", an element's attributes, the
// fixed values of an attribute, the character references after "&".
// complete() (Ctrl+Space) opens the list anywhere; typing those characters
// opens it when completing as you type is on. Closing tags as you type
// puts the end tag after a start tag's ">" and finishes "</". Both are off
// until switched on; each completion is one step of Ctrl+Z.

#include "core/markup_completion.h"

#include <QHash>
#include <QObject>

class PaneMarkup;

class TagCompletion : public QObject {
    Q_OBJECT
public:
    explicit TagCompletion(PaneMarkup &markup);

    void setAsYouType(bool on) { asYouType_ = on; }
    bool asYouType() const { return asYouType_; }
    void setCloseTags(bool on) { closeTags_ = on; }
    bool closeTags() const { return closeTags_; }

    // Opens the list of what fits at the caret; false when nothing does.
    bool complete();
    bool isListShown() const;

private:
    bool show(const markup::Context &context);
    void charAdded(int ch);
    void chosen(const char *label);

    PaneMarkup &markup_;
    bool asYouType_ = false;
    bool closeTags_ = false;
    QHash<QString, QString> words_; // the list's labels and what they stand for
};
