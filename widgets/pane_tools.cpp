#include "widgets/pane_tools.h"

#include "core/page_check.h"
#include "widgets/html_pane.h"

#include <QKeyEvent>

namespace {

using SB = QsciScintillaBase;

class KeyReservation : public QObject {
public:
    KeyReservation(QObject *parent, const QList<QKeySequence> &keys) : QObject(parent), keys_(keys)
    {
    }
    void add(const QList<QKeySequence> &keys) { keys_ += keys; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            auto *ke = static_cast<QKeyEvent *>(event);
            if (keys_.contains(QKeySequence(ke->keyCombination()))) {
                ke->ignore(); // the window's shortcut runs
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<QKeySequence> keys_;
};

} // namespace

void reserveForWindow(HTMLPane &pane, const QList<QKeySequence> &keys)
{
    for (QObject *child : pane.children()) {
        if (auto *existing = dynamic_cast<KeyReservation *>(child)) {
            existing->add(keys);
            return;
        }
    }
    pane.installEventFilter(new KeyReservation(&pane, keys));
}

int lineCount(const HTMLPane &pane)
{
    return int(pane.SendScintilla(SB::SCI_GETLINECOUNT));
}

int caretLine(const HTMLPane &pane)
{
    const long caret = pane.SendScintilla(SB::SCI_GETCURRENTPOS);
    return int(pane.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(caret))) + 1;
}

void moveCaretTo(HTMLPane &pane, int line, int column)
{
    const int l = qBound(1, line, lineCount(pane)) - 1;
    const long lineStart = pane.SendScintilla(SB::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(l),
                                              static_cast<long>(SB::SC_LINECHARACTERINDEX_UTF16));
    QString text = pane.text(l);
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    pane.setSelStart(int(lineStart) + columnToIndex(text, column));
    pane.SendScintilla(SB::SCI_ENSUREVISIBLEENFORCEPOLICY, static_cast<unsigned long>(l));
}
