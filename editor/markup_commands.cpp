#include "editor/markup_commands.h"

#include "core/html_comment.h"
#include "core/settings.h"
#include "editor/kept_option.h"
#include "editor/main_menu.h"
#include "widgets/html_pane.h"
#include "widgets/pane_markup.h"
#include "widgets/pane_tools.h"
#include "widgets/platform.h"
#include "widgets/tag_completion.h"
#include "widgets/tag_matching.h"

#include <QAction>
#include <QMenu>

using SB = QsciScintillaBase;

namespace {

constexpr int kMaxTabWidth = 32;
const QString kTabWidthKey = QStringLiteral("TabWidth");

} // namespace

MarkupCommands::MarkupCommands(const MainMenu &menu, HTMLPane &pane, Platform &platform,
                               QWidget &window)
    : QObject(&window),
      pane_(pane),
      platform_(platform),
      window_(window),
      markup_(new PaneMarkup(pane)),
      completion_(new TagCompletion(*markup_)),
      matching_(new TagMatching(*markup_))
{
    auto command = [&](const QString &caption, const QKeySequence &key) {
        QAction *a = menu.mnuHTML->addAction(caption);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    menu.mnuHTML->addSeparator();
    mnuComplete = command(QStringLiteral("Com&plete"), Qt::CTRL | Qt::Key_Space);
    mnuMatchingTag = command(QStringLiteral("Go to &Matching Tag"), Qt::CTRL | Qt::Key_M);
    mnuSelectElement = command(QStringLiteral("Select &Element"), Qt::CTRL | Qt::Key_E);
    mnuToggleComment = command(QStringLiteral("&Toggle Comment"), Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    reserveForWindow(pane_, {mnuComplete->shortcut(), mnuMatchingTag->shortcut(),
                             mnuSelectElement->shortcut(), mnuToggleComment->shortcut()});
    connect(mnuComplete, &QAction::triggered, completion_, &TagCompletion::complete);
    connect(mnuMatchingTag, &QAction::triggered, matching_, &TagMatching::goToPartner);
    connect(mnuSelectElement, &QAction::triggered, matching_, &TagMatching::selectElement);
    connect(mnuToggleComment, &QAction::triggered, this, &MarkupCommands::mnuToggleComment_Click);

    QMenu &options = *menu.mnuOptions;
    options.addSeparator();
    mnuCompleteAsYouType = addKeptOption(options, QStringLiteral("&Complete as You Type"),
                                         QStringLiteral("CompleteAsYouType"),
                                         [this](bool on) { completion_->setAsYouType(on); });
    mnuCloseTags = addKeptOption(options, QStringLiteral("Close &Tags as You Type"),
                                 QStringLiteral("CloseTags"),
                                 [this](bool on) { completion_->setCloseTags(on); });
    mnuMarkTags = addKeptOption(options, QStringLiteral("Mark &Matching Tags"),
                                QStringLiteral("MarkMatchingTags"),
                                [this](bool on) { matching_->setMarkOn(on); });
    mnuAutoIndent = addKeptOption(options, QStringLiteral("&Auto-indent"), QStringLiteral("AutoIndent"),
                                  [this](bool on) { autoIndent_ = on; });
    mnuTabWidth = options.addAction(QStringLiteral("Tab &Width..."));
    connect(mnuTabWidth, &QAction::triggered, this, &MarkupCommands::mnuTabWidth_Click);
    const int stored = settings::Store().get(kTabWidthKey).value_or(QString()).toInt();
    if (stored >= 1 && stored <= kMaxTabWidth)
        pane_.setTabWidth(stored);
    connect(&pane_, &QsciScintillaBase::SCN_CHARADDED, this, &MarkupCommands::keepIndent);
}

void MarkupCommands::mnuToggleComment_Click()
{
    // The selection, or the caret's line without its line end.
    long start = pane_.SendScintilla(SB::SCI_GETSELECTIONSTART);
    long end = pane_.SendScintilla(SB::SCI_GETSELECTIONEND);
    const bool wholeLine = start == end;
    if (wholeLine) {
        const long line = pane_.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
        start = pane_.SendScintilla(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        end = pane_.SendScintilla(SB::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
    }
    const QString region = pane_.textBetween(start, end);
    const QString toggled = toggleComment(region);
    if (toggled == region)
        return;
    pane_.SendScintilla(SB::SCI_SETSEL, static_cast<unsigned long>(start), static_cast<long>(end));
    const int from = pane_.selStart();
    pane_.setSelText(toggled); // one step of Ctrl+Z
    if (!wholeLine) {
        pane_.setSelStart(from);
        pane_.setSelLength(int(toggled.size()));
    }
}

void MarkupCommands::mnuTabWidth_Click()
{
    const QString title = QStringLiteral("Tab Width");
    const QString answer =
        platform_.inputBox(&window_, QStringLiteral("Tab width (1 - %1):").arg(kMaxTabWidth), title,
                           QString::number(pane_.tabWidth()))
            .trimmed();
    if (answer.isEmpty())
        return; // cancelled
    bool ok = false;
    const int width = answer.toInt(&ok);
    if (!ok || width < 1 || width > kMaxTabWidth) {
        platform_.messageBox(&window_, QStringLiteral("Enter a tab width from 1 to %1.").arg(kMaxTabWidth),
                             title, MsgIcon::Exclamation, MsgButtons::OK);
        return;
    }
    pane_.setTabWidth(width);
    settings::Store().set({{kTabWidthKey, QString::number(width)}});
}

// Auto-indent: a line begun by Enter gets the white space that begins the
// line before it, exactly as written there.
void MarkupCommands::keepIndent(int ch)
{
    if (!autoIndent_ || ch != pane_.lineEnd().back().unicode())
        return;
    const long caret = pane_.SendScintilla(SB::SCI_GETCURRENTPOS);
    const long line = pane_.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(caret));
    if (line == 0 || caret != pane_.SendScintilla(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)))
        return;
    const long previous = pane_.SendScintilla(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line - 1));
    long p = previous;
    while (p < caret) {
        const int c = int(pane_.SendScintilla(SB::SCI_GETCHARAT, static_cast<unsigned long>(p)));
        if (c != ' ' && c != '\t')
            break;
        ++p;
    }
    if (p == previous)
        return;
    const QByteArray indent = pane_.textBetween(previous, p).toUtf8();
    pane_.SendScintilla(SB::SCI_INSERTTEXT, static_cast<unsigned long>(caret), indent.constData());
    pane_.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(caret + indent.size()));
}
