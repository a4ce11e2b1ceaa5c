#include "editor/check_command.h"

#include "core/page_checker.h"
#include "widgets/check_panel.h"
#include "widgets/html_pane.h"
#include "widgets/pane_footer.h"
#include "widgets/pane_tools.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeWidget>

namespace {
using SB = QsciScintillaBase;
} // namespace

CheckCommand::CheckCommand(HTMLPane &pane, PaneFooter &footer, QMenu &mnuHTML)
    : QObject(&footer), pane_(pane), footer_(footer), checker_(new PageChecker(this))
{
    mnuHTML.addSeparator();
    mnuCheck = mnuHTML.addAction(QStringLiteral("Chec&k page"));
    mnuCheck->setShortcut(Qt::CTRL | Qt::Key_K);
    mnuCheck->setShortcutContext(Qt::WindowShortcut);
    reserveForWindow(pane_, {mnuCheck->shortcut()});
    connect(mnuCheck, &QAction::triggered, this, &CheckCommand::mnuCheck_Click);
    connect(checker_, &PageChecker::checked, this, &CheckCommand::checked);
    connect(checker_, &PageChecker::failed, this, &CheckCommand::failed);
}

CheckPanel &CheckCommand::panel()
{
    if (panel_)
        return *panel_;
    panel_ = new CheckPanel(&footer_);
    footer_.addPart(panel_, 1);
    connect(panel_, &CheckPanel::messageActivated, this, [this](int line, int column) {
        moveCaretTo(pane_, line, column);
        pane_.setFocus();
    });
    connect(panel_, &CheckPanel::cancelRequested, this,
            [this] { cancel(QStringLiteral("Check page: cancelled.")); });
    return *panel_;
}

void CheckCommand::mnuCheck_Click()
{
    if (checker_->isRunning()) {
        cancel(QStringLiteral("Check page: cancelled."));
        return;
    }
    shifts_.clear();
    inserted_ = {};
    edited_ = false;
    following_ = connect(&pane_, &SB::SCN_MODIFIED, this,
                         [this](int position, int type, const char *, int length, int, int, int,
                                int, int, int) { textModified(position, type, length); });
    pane_.installEventFilter(this);
    panel().list()->installEventFilter(this);
    panel().setBusy(QStringLiteral("Check page: checking the page... (Esc or %1 cancels)")
                        .arg(mnuCheck->shortcut().toString(QKeySequence::NativeText)));
    panel().show();
    checker_->start(pane_.utf8Text().toByteArray());
}

bool CheckCommand::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            cancel(QStringLiteral("Check page: cancelled."));
            return true;
        }
    }
    return false;
}

void CheckCommand::cancel(const QString &why)
{
    checker_->cancel();
    stopFollowing();
    panel().setStatus(why);
}

void CheckCommand::stopFollowing()
{
    disconnect(following_);
    pane_.removeEventFilter(this);
    panel().list()->removeEventFilter(this);
}

// The pane announces each change before it is made (see HTMLPane), and
// without the text of an insertion: an insertion's lines are counted once
// it is in place, at the next change or when the result comes.
void CheckCommand::textModified(int position, int type, int length)
{
    countInserted();
    if (type & SB::SC_MOD_BEFOREDELETE) {
        if (position == 0 && length == pane_.SendScintilla(SB::SCI_GETLENGTH)) {
            // A new text in place of the one being checked.
            cancel(QStringLiteral("Check page: cancelled, the whole text was replaced."));
            return;
        }
        edited_ = true;
        const int removed = lineAt(position + length) - lineAt(position);
        if (removed > 0)
            shifts_.push_back({lineAt(position) + 1, -removed});
    } else if (type & SB::SC_MOD_BEFOREINSERT) {
        edited_ = true;
        inserted_ = {position, length};
    }
}

void CheckCommand::countInserted()
{
    if (inserted_.second == 0)
        return;
    const auto [position, length] = inserted_;
    inserted_ = {};
    const int at = lineAt(position);
    const int added = lineAt(position + length) - at;
    // Inserted at the start of a line, the line itself moves down.
    const bool lineStart =
        pane_.SendScintilla(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(at)) == position;
    if (added > 0)
        shifts_.push_back({at + (lineStart ? 0 : 1), added});
}

int CheckCommand::lineAt(long position) const
{
    return int(pane_.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
}

void CheckCommand::checked(CheckReport report)
{
    countInserted();
    stopFollowing();
    for (PageMessage &m : report.messages)
        if (m.line > 0)
            m.line = shiftedLine(m.line, shifts_);
    panel().setReport(report, edited_ ? QStringLiteral(" The text was changed during the check: "
                                                           "the lines follow the changes.")
                                          : QString());
    // The list takes the keyboard unless the user went on typing.
    QWidget *focus = QApplication::focusWidget();
    if (!edited_ && (focus == &pane_ || panel().isAncestorOf(focus)))
        panel().list()->setFocus();
}

void CheckCommand::failed(const QString &reason)
{
    stopFollowing();
    panel().setStatus(QStringLiteral("Check page: ") + reason);
}
