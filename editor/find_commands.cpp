#include "editor/find_commands.h"

#include "widgets/find_bar.h"
#include "widgets/html_pane.h"
#include "widgets/pane_footer.h"
#include "widgets/pane_tools.h"
#include "widgets/platform.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

FindCommands::FindCommands(HTMLPane &pane, PaneFooter &footer, Platform &platform,
                           QMenu &mnuHTML, QWidget &window)
    : QObject(&window), pane_(pane), footer_(footer), platform_(platform), window_(window)
{
    auto item = [](QAction *a, const QKeySequence &key) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    mnuHTML.addSeparator();
    mnuFind = item(mnuHTML.addAction(QStringLiteral("&Find...")), Qt::CTRL | Qt::Key_F);
    mnuReplace = item(mnuHTML.addAction(QStringLiteral("&Replace...")), Qt::CTRL | Qt::Key_R);
    mnuGoToLine = item(mnuHTML.addAction(QStringLiteral("Go to &line...")), Qt::CTRL | Qt::Key_L);
    // Not on a menu: the keys of the bar's two buttons, from anywhere.
    findNext = item(new QAction(QStringLiteral("Find next"), &window), Qt::CTRL | Qt::Key_G);
    findPrevious = item(new QAction(QStringLiteral("Find previous"), &window),
                        Qt::CTRL | Qt::SHIFT | Qt::Key_G);
    window.addAction(findNext);
    window.addAction(findPrevious);
    reserveForWindow(pane_, {mnuFind->shortcut(), mnuReplace->shortcut(), mnuGoToLine->shortcut(),
                             findNext->shortcut(), findPrevious->shortcut()});

    connect(mnuFind, &QAction::triggered, this, [this] { bar().open(false); });
    connect(mnuReplace, &QAction::triggered, this, [this] { bar().open(true); });
    connect(mnuGoToLine, &QAction::triggered, this, &FindCommands::mnuGoToLine_Click);
    auto again = [this](bool forward) {
        if (bar().txtFind->text().isEmpty())
            bar().open(false);
        else
            forward ? bar().findNext() : bar().findPrevious();
    };
    connect(findNext, &QAction::triggered, this, [again] { again(true); });
    connect(findPrevious, &QAction::triggered, this, [again] { again(false); });
}

FindBar &FindCommands::bar()
{
    if (!bar_) {
        bar_ = new FindBar(pane_, &footer_);
        footer_.addPart(bar_, 0);
    }
    return *bar_;
}

void FindCommands::mnuGoToLine_Click()
{
    const int lines = lineCount(pane_);
    const QString title = QStringLiteral("Go to Line");
    const QString answer =
        platform_.inputBox(&window_, QStringLiteral("Line number (1 - %1):").arg(lines), title,
                           QString::number(caretLine(pane_)))
            .trimmed();
    if (answer.isEmpty())
        return; // cancelled
    bool ok = false;
    const long long line = answer.toLongLong(&ok);
    if (!ok || line < 1) {
        platform_.messageBox(&window_,
                             QStringLiteral("Enter a line number from 1 to %1.").arg(lines), title,
                             MsgIcon::Exclamation, MsgButtons::OK);
        return;
    }
    moveCaretTo(pane_, int(qMin<long long>(line, lines)), 1);
    pane_.setFocus();
}
