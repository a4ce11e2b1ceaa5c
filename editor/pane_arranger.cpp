#include "editor/pane_arranger.h"

#include "editor/main_menu.h"
#include "widgets/browser_pane.h"
#include "widgets/html_pane.h"
#include "widgets/pane_footer.h"

#include <QEvent>

PaneArranger::PaneArranger(const MainMenu &menu, QWidget &area, BrowserPane &browser,
                           HTMLPane &pane, PaneFooter &footer)
    : QObject(&area),
      menu_(menu),
      area_(area),
      browser_(browser),
      pane_(pane),
      footer_(footer),
      editorArea_(pane.geometry())
{
    setArrangement(arrangement_);
    QAction *const items[4] = {menu.mnuPos1, menu.mnuPos2, menu.mnuPos3, menu.mnuPos4};
    for (int i = 0; i < 4; ++i)
        serveItem(items[i], this, [this, i] { choose(i); });
    area.installEventFilter(this);
    connect(&footer, &PaneFooter::layoutWanted, this, &PaneArranger::Form_Resize);
}

void PaneArranger::choose(int index)
{
    PosUncheck();
    PaneArrangement one{false, false, false, false};
    one[size_t(index)] = true;
    setArrangement(one);
    Form_Resize();
}

void PaneArranger::setArrangement(const PaneArrangement &arrangement)
{
    arrangement_ = arrangement;
    QAction *const marks[4] = {menu_.mnuPos1, menu_.mnuPos2, menu_.mnuPos3, menu_.mnuPos4};
    for (size_t i = 0; i < 4; ++i)
        marks[i]->setChecked(arrangement_[i]);
}

void PaneArranger::PosUncheck()
{
    setArrangement({false, false, false, false});
}

bool PaneArranger::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &area_ && event->type() == QEvent::Resize)
        Form_Resize();
    return QObject::eventFilter(watched, event);
}

void PaneArranger::Form_Resize()
{
    const PaneGeometry g =
        layoutPanes(area_.size(), arrangement_, {browser_.geometry(), editorArea_});
    browser_.setGeometry(g.browser);
    editorArea_ = g.editor;
    // The find bar and the check panel, when shown, take the bottom of it.
    pane_.setGeometry(footer_.carve(g.editor));
}
