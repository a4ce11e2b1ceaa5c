#include "editor/tidy_command.h"

#include "core/page_checker.h"
#include "core/tidy_up.h"
#include "editor/main_menu.h"
#include "widgets/html_pane.h"
#include "widgets/pane_tools.h"
#include "widgets/platform.h"

#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QProgressDialog>
#include <QTimer>

using SB = QsciScintillaBase;

namespace {

const QString kTitle = QStringLiteral("Tidy Up");
constexpr int kQuietMs = 400; // keys wait this long before the box shows

} // namespace

TidyCommand::TidyCommand(const MainMenu &menu, HTMLPane &pane, Platform &platform, QWidget &window)
    : QObject(&window), pane_(pane), platform_(platform), window_(window), tidier_(new PageChecker(this))
{
    mnuTidyUp = menu.mnuHTML->addAction(QStringLiteral("Tid&y Up"));
    mnuTidyUp->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_I);
    mnuTidyUp->setShortcutContext(Qt::WindowShortcut);
    reserveForWindow(pane_, {mnuTidyUp->shortcut()});
    connect(mnuTidyUp, &QAction::triggered, this, &TidyCommand::mnuTidyUp_Click);
    connect(&pane_, &HTMLPane::changed, this, [this] { ++changes_; });
}

void TidyCommand::mnuTidyUp_Click()
{
    long start = pane_.SendScintilla(SB::SCI_GETSELECTIONSTART);
    long end = pane_.SendScintilla(SB::SCI_GETSELECTIONEND);
    const bool whole = start == end;
    if (whole) {
        start = 0;
        end = pane_.SendScintilla(SB::SCI_GETTEXTLENGTH);
    }
    const QByteArray text = pane_.utf8Text().sliced(start, end - start).toByteArray();
    const quint64 before = changes_;
    const std::optional<TidyResult> result = run(text, !whole);
    if (!result)
        return;
    if (changes_ != before) {
        platform_.messageBox(&window_, QStringLiteral("The text was changed while HTML Tidy worked on it. Tidy Up changed nothing."),
                             kTitle, MsgIcon::Exclamation, MsgButtons::OK);
        return;
    }
    if (result->errors > 0) {
        const int firstLine = whole ? 0 : int(pane_.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start)));
        const QString question =
            QStringLiteral("HTML Tidy found %1 %2 in %3. The first, at line %4, column %5: %6\r\n\r\n"
                           "Tidy Up corrects %7 as HTML Tidy sees fit. Tidy up anyway?")
                .arg(result->errors)
                .arg(result->errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"),
                     whole ? QStringLiteral("the page") : QStringLiteral("the selection"))
                .arg(result->line + firstLine)
                .arg(result->column)
                .arg(result->firstError, result->errors == 1 ? QStringLiteral("it") : QStringLiteral("them"));
        if (platform_.messageBox(&window_, question, kTitle, MsgIcon::Question, MsgButtons::YesNo)
            != MsgResult::Yes)
            return;
    }
    if (result->text == text)
        return; // tidy already
    QString tidied = QString::fromUtf8(result->text);
    if (!whole) {
        // The lines after the first take the indentation the first has.
        const long lineStart = pane_.SendScintilla(SB::SCI_POSITIONFROMLINE,
            static_cast<unsigned long>(pane_.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start))));
        const QString lead = pane_.textBetween(lineStart, start);
        if (!lead.isEmpty() && lead.trimmed().isEmpty()) {
            const QString newline = pane_.lineEnd();
            tidied.replace(newline, newline + lead);
            if (tidied.endsWith(newline + lead))
                tidied.chop(lead.size());
        }
    }
    apply(start, end, tidied, !whole);
}

std::optional<TidyResult> TidyCommand::run(const QByteArray &text, bool fragment)
{
    TidyOptions options;
    options.newline = pane_.lineEnd().toLatin1();
    options.fragment = fragment;
    std::optional<TidyResult> result;
    QString failure;
    bool done = false;
    QEventLoop loop;
    QProgressDialog *box = nullptr;
    auto finish = [&] {
        done = true;
        loop.quit();
        if (box)
            box->reset(); // hides it, which ends its exec()
    };
    const QMetaObject::Connection tidied =
        connect(tidier_, &PageChecker::tidied, this, [&](const TidyResult &r) { result = r; finish(); });
    const QMetaObject::Connection failed =
        connect(tidier_, &PageChecker::failed, this, [&](const QString &why) { failure = why; finish(); });
    tidier_->startTidyUp(text, options);
    // A moment with the keys held back (they are typed afterwards, none is
    // lost), so that a quick run shows nothing.
    QTimer::singleShot(kQuietMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!done) {
        QProgressDialog progress(QStringLiteral("HTML Tidy is tidying up the page..."),
                                 QStringLiteral("Cancel"), 0, 0, &window_);
        progress.setWindowTitle(kTitle);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        box = &progress;
        progress.exec();
        box = nullptr;
        if (!done)
            tidier_->cancel(); // cancelled: nothing changes
    }
    disconnect(tidied);
    disconnect(failed);
    if (!failure.isEmpty())
        platform_.messageBox(&window_, failure, kTitle, MsgIcon::Exclamation, MsgButtons::OK);
    return result;
}

void TidyCommand::apply(long start, long end, const QString &text, bool select)
{
    const int line = caretLine(pane_);
    pane_.SendScintilla(SB::SCI_SETSEL, static_cast<unsigned long>(start), static_cast<long>(end));
    const int from = pane_.selStart();
    pane_.setSelText(text); // one step of Ctrl+Z
    if (select) {
        pane_.setSelStart(from);
        pane_.setSelLength(int(text.size()));
    } else {
        moveCaretTo(pane_, line, 1);
    }
}
