#pragma once
// Matching tags in the text pane: with the caret in a start or end tag, its
// partner is marked (when marking is on); a command puts the caret in the
// partner, another selects the element around the selection (again: its
// parent). HTML's optional end tags and void elements are understood: an
// <li> whose end tag is left out has no partner, and its element ends where
// the next <li> begins.

#include <QObject>
#include <QTimer>

class PaneMarkup;

class TagMatching : public QObject {
    Q_OBJECT
public:
    explicit TagMatching(PaneMarkup &markup);

    void setMarkOn(bool on);
    bool markOn() const { return markOn_; }
    // Marks the tag at the caret and its partner now (typing marks them
    // after a short pause, so that keys stay quick in a long page).
    void mark();

    // False when the caret is in no tag that has a partner.
    bool goToPartner();
    // False when no element is larger than the selection.
    bool selectElement();

private:
    void clearMark();
    PaneMarkup &markup_;
    bool markOn_ = false;
    QTimer afterTyping_;
};
