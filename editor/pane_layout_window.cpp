// The main window's side of the pane layout: every resize of the client
// area and every choice of arrangement lays the two panes out again.

#include "editor/main_window_state.h"

#include <QAction>

void frmHTML::Form_Resize()
{
    const std::array<bool, 4> arrangement = {mnuPos1->isChecked(), mnuPos2->isChecked(),
                                             mnuPos3->isChecked(), mnuPos4->isChecked()};
    const PaneGeometry g = layoutPanes(state_->paneArea->size(), arrangement,
                                       {Browser->geometry(), HTML->geometry()});
    Browser->setGeometry(g.browser);
    HTML->setGeometry(g.editor);
}

void frmHTML::PosUncheck()
{
    mnuPos1->setChecked(false);
    mnuPos2->setChecked(false);
    mnuPos3->setChecked(false);
    mnuPos4->setChecked(false);
}

void frmHTML::mnuPos_Click(QAction *item)
{
    PosUncheck();
    item->setChecked(true);
    Form_Resize();
}
