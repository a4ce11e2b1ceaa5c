#pragma once
// Options, Browser/HTML position: the four arrangements of the two panes,
// shown as check marks, and the layout that places the panes in the client
// area after every resize of it, every choice of an arrangement and every
// showing or hiding of the find bar or check panel under the text pane.

#include "core/pane_layout.h"

#include <QObject>
#include <QRect>

class BrowserPane;
class HTMLPane;
class PaneFooter;
class QWidget;
struct MainMenu;

class PaneArranger : public QObject {
    Q_OBJECT
public:
    // `area` is the client area the panes share, as the window's design
    // first placed them.
    PaneArranger(const MainMenu &menu, QWidget &area, BrowserPane &browser, HTMLPane &pane,
                 PaneFooter &footer);

    // Which arrangements are set (normally exactly one); the check marks
    // follow.
    PaneArrangement arrangement() const { return arrangement_; }
    void setArrangement(const PaneArrangement &arrangement);
    // Removes the four check marks.
    void PosUncheck();
    // Lays the panes out for the client area's size now.
    void Form_Resize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int index);

    const MainMenu &menu_;
    QWidget &area_;
    BrowserPane &browser_;
    HTMLPane &pane_;
    PaneFooter &footer_;
    PaneArrangement arrangement_{true, false, false, false};
    QRect editorArea_; // the text pane's place, the footer's included
};
