#include "widgets/pane_footer.h"

#include <QEvent>
#include <QVBoxLayout>

#include <algorithm>

PaneFooter::PaneFooter(QWidget *parent) : QWidget(parent), parts_(new QVBoxLayout(this))
{
    parts_->setContentsMargins(0, 0, 0, 0);
    parts_->setSpacing(0);
    hide();
}

void PaneFooter::addPart(QWidget *part, int place)
{
    const auto at = std::upper_bound(places_.begin(), places_.end(), place);
    parts_->insertWidget(int(at - places_.begin()), part);
    places_.insert(at, place);
    part->installEventFilter(this);
}

bool PaneFooter::eventFilter(QObject *watched, QEvent *event)
{
    // Shown, hidden, or grown or shrunk inside (the find bar's replace row).
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent
        || event->type() == QEvent::LayoutRequest)
        emit layoutWanted();
    return QWidget::eventFilter(watched, event);
}

QRect PaneFooter::carve(const QRect &editor)
{
    int wanted = 0;
    for (int i = 0; i < parts_->count(); ++i) {
        QWidget *part = parts_->itemAt(i)->widget();
        if (part && !part->isHidden())
            wanted += part->sizeHint().height();
    }
    if (wanted == 0) {
        hide();
        return editor;
    }
    const int height = qMin(wanted, editor.height() / 2);
    setGeometry(editor.left(), editor.bottom() + 1 - height, editor.width(), height);
    show();
    raise();
    return QRect(editor.left(), editor.top(), editor.width(), editor.height() - height);
}
