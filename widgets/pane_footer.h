#pragma once
// The strip under the text pane that holds the find bar and the check
// panel. It takes room from the text pane only while something in it is
// shown; with nothing shown the text pane keeps the whole place the pane
// layout gives it.

#include <QRect>
#include <QWidget>

class QVBoxLayout;

class PaneFooter : public QWidget {
    Q_OBJECT
public:
    explicit PaneFooter(QWidget *parent);

    // Adds `part` (hidden or shown); its visibility is followed from now on.
    // Parts stand in the order of their `place`, whenever each is added.
    void addPart(QWidget *part, int place);

    // Takes the footer's room from the bottom of `editor` (at most half of
    // it) and returns what is left for the text pane.
    QRect carve(const QRect &editor);

signals:
    // A part was shown or hidden: the panes should be laid out again.
    void layoutWanted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QVBoxLayout *parts_;
    QList<int> places_;
};
