#include "editor/spell_commands.h"

#include "core/spell_checker.h"
#include "editor/kept_option.h"
#include "editor/main_menu.h"
#include "widgets/html_pane.h"
#include "widgets/pane_footer.h"
#include "widgets/platform.h"
#include "widgets/spell_marks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

using SB = QsciScintillaBase;

SpellCommands::SpellCommands(const MainMenu &menu, HTMLPane &pane, PaneFooter &footer, Platform &platform,
                             QWidget &window)
    : QObject(&window), menu_(menu), pane_(pane), platform_(platform), window_(window),
      marks_(new SpellMarks(pane)), notice_(new QWidget), noticeLabel_(new QLabel(notice_))
{
    auto *row = new QHBoxLayout(notice_);
    row->setContentsMargins(6, 2, 2, 2);
    noticeLabel_->setWordWrap(true);
    noticeLabel_->setTextFormat(Qt::PlainText); // it quotes the page's lang values
    row->addWidget(noticeLabel_, 1);
    auto *close = new QToolButton(notice_);
    close->setAutoRaise(true);
    close->setText(QStringLiteral("\u00D7"));
    close->setToolTip(QStringLiteral("Close"));
    row->addWidget(close);
    connect(close, &QToolButton::clicked, notice_, &QWidget::hide);
    notice_->hide();
    footer.addPart(notice_, 2);
    connect(marks_, &SpellMarks::dictionaryMissing, this, &SpellCommands::missing);

    mnuSpelling = addKeptOption(*menu.mnuOptions, QStringLiteral("Check S&pelling"), QStringLiteral("CheckSpelling"),
                                [this](bool on) { setOn(on); });

    // The press tells which word the pop-up menu is for; the menu key, the
    // word at the caret.
    pane.viewport()->installEventFilter(this);
    connect(menu.mnuHid, &QMenu::aboutToShow, this, &SpellCommands::addItems);
    connect(menu.mnuHid, &QMenu::aboutToHide, this, [this] {
        // After the chosen item has run.
        QMetaObject::invokeMethod(this, &SpellCommands::dropItems, Qt::QueuedConnection);
    });
}

void SpellCommands::setOn(bool on)
{
    marks_->setOn(on);
    if (!on)
        notice_->hide();
}

bool SpellCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::RightButton) {
            const QPoint at = e->position().toPoint();
            pressedAt_ = pane_.SendScintilla(SB::SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(at.x()),
                                             static_cast<long>(at.y()));
            if (pressedAt_ < 0)
                pressedAt_ = -2; // not on the text
        }
    }
    return QObject::eventFilter(watched, event);
}

void SpellCommands::addItems()
{
    dropItems();
    const long at = pressedAt_ == -1 ? pane_.SendScintilla(SB::SCI_GETCURRENTPOS) : pressedAt_;
    pressedAt_ = -1;
    const std::optional<spelling::Word> word = at < 0 ? std::nullopt : marks_->wordAt(at);
    if (!word)
        return;
    QMenu *menu = menu_.mnuHid;
    auto item = [this, menu](const QString &caption, auto run) {
        QAction *a = new QAction(caption, menu);
        connect(a, &QAction::triggered, this, run);
        items_ << a;
        return a;
    };
    spelling::SpellChecker &checker = *marks_->checker();
    const QStringList suggestions = checker.suggestions(*word);
    for (const QString &s : suggestions) {
        QAction *a = item(QString(s).replace(QLatin1Char('&'), QLatin1String("&&")),
                          [this, w = *word, s] { marks_->replace(w, s); });
        QFont bold = a->font();
        bold.setBold(true);
        a->setFont(bold);
    }
    if (suggestions.isEmpty())
        item(QStringLiteral("(no suggestions)"), [] {})->setEnabled(false);
    item(QStringLiteral("Add to Dictionary"), [this, w = *word] {
        if (const std::optional<QString> error = marks_->checker()->addToPersonal(w.text))
            platform_.messageBox(&window_, *error, QStringLiteral("Add to Dictionary"), MsgIcon::Critical,
                                 MsgButtons::OK);
        else
            marks_->recheck();
    });
    item(QStringLiteral("Ignore"), [this, w = *word] {
        marks_->checker()->ignore(w.text);
        marks_->recheck();
    });
    QAction *line = new QAction(menu);
    line->setSeparator(true);
    items_ << line;
    menu->insertActions(menu->actions().value(0), items_);
}

void SpellCommands::dropItems()
{
    for (QAction *a : std::as_const(items_)) {
        menu_.mnuHid->removeAction(a);
        a->deleteLater();
    }
    items_.clear();
}

void SpellCommands::missing(const QByteArray &lang)
{
    if (notice_->isHidden())
        missing_.clear(); // those named before were read
    missing_ << lang;
    QStringList names;
    for (const QByteArray &l : std::as_const(missing_))
        names << QString::fromUtf8(l);
    noticeLabel_->setText(
        missing_.size() == 1
            ? QStringLiteral("No spelling dictionary is installed for the language \"%1\": its text is not checked.")
                  .arg(names.first())
            : QStringLiteral("No spelling dictionaries are installed for the languages %1: their text is not checked.")
                  .arg(QLatin1Char('"') + names.join(QLatin1String("\", \"")) + QLatin1Char('"')));
    notice_->show();
}

QString SpellCommands::noticeText() const
{
    return notice_->isHidden() ? QString() : noticeLabel_->text();
}
