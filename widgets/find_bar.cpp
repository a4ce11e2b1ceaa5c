#include "widgets/find_bar.h"

#include "widgets/dialog_parts.h"
#include "widgets/html_pane.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using SB = QsciScintillaBase;
constexpr int kMarkIndicator = 9; // the pane's strikethrough has 8

QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

FindBar::FindBar(HTMLPane &pane, QWidget *parent) : QWidget(parent), pane_(pane)
{
    setObjectName(QStringLiteral("findBar"));
    // Find and replace rows share their columns; the options and what the
    // bar has to say go beneath them.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);
    auto *lblFind = new QLabel(QStringLiteral("F&ind:"), this);
    txtFind = new QLineEdit(this);
    lblFind->setBuddy(txtFind);
    cmdNext = button(QStringLiteral("Find &next"), this);
    cmdPrevious = button(QStringLiteral("Find pre&vious"), this);
    auto *cmdClose = new QToolButton(this);
    cmdClose->setText(QStringLiteral("\u00d7"));
    cmdClose->setToolTip(QStringLiteral("Close (Esc)"));
    cmdClose->setAutoRaise(true);
    grid->addWidget(lblFind, 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(cmdNext, 0, 2);
    grid->addWidget(cmdPrevious, 0, 3);
    grid->addWidget(cmdClose, 0, 4);

    auto *lblReplace = new QLabel(QStringLiteral("Replace wi&th:"), this);
    txtReplace = new QLineEdit(this);
    lblReplace->setBuddy(txtReplace);
    cmdReplace = button(QStringLiteral("&Replace"), this);
    cmdReplaceAll = button(QStringLiteral("Replace &all"), this);
    replaceParts_ = {lblReplace, txtReplace, cmdReplace, cmdReplaceAll};
    grid->addWidget(lblReplace, 1, 0);
    grid->addWidget(txtReplace, 1, 1);
    grid->addWidget(cmdReplace, 1, 2);
    grid->addWidget(cmdReplaceAll, 1, 3);

    auto *optionRow = new QHBoxLayout;
    chkCase = new QCheckBox(QStringLiteral("Match &case"), this);
    chkWord = new QCheckBox(QStringLiteral("&Whole word"), this);
    chkRegex = new QCheckBox(QStringLiteral("Regular e&xpression"), this);
    chkWrap = new QCheckBox(QStringLiteral("Wra&p around"), this);
    chkWrap->setChecked(true);
    lblStatus_ = new QLabel(this);
    lblStatus_->setTextFormat(Qt::PlainText);
    for (QCheckBox *c : {chkCase, chkWord, chkRegex, chkWrap})
        optionRow->addWidget(c);
    optionRow->addWidget(lblStatus_, 1);
    grid->addLayout(optionRow, 2, 1, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(cmdNext, &QPushButton::clicked, this, &FindBar::findNext);
    connect(cmdPrevious, &QPushButton::clicked, this, &FindBar::findPrevious);
    connect(cmdReplace, &QPushButton::clicked, this, &FindBar::replace);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &FindBar::replaceAll);
    connect(cmdClose, &QToolButton::clicked, this, &FindBar::close);
    connect(txtFind, &QLineEdit::textChanged, this, &FindBar::optionsChanged);
    for (QCheckBox *c : {chkCase, chkWord, chkRegex})
        connect(c, &QCheckBox::toggled, this, &FindBar::optionsChanged);
    txtFind->installEventFilter(this);
    txtReplace->installEventFilter(this);
    unlimitedTextBoxes(this);

    connect(&pane_, &HTMLPane::changed, this, [this] {
        textValid_ = false;
        if (isVisible())
            markVisible();
    });
    connect(&pane_, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if (isVisible() && (updated & (SB::SC_UPDATE_V_SCROLL | SB::SC_UPDATE_H_SCROLL)))
            markVisible();
    });
    pane_.SendScintilla(SB::SCI_INDICSETSTYLE, static_cast<unsigned long>(kMarkIndicator),
                        static_cast<long>(SB::INDIC_ROUNDBOX));
    pane_.SendScintilla(SB::SCI_INDICSETALPHA, static_cast<unsigned long>(kMarkIndicator), 90L);
    pane_.SendScintilla(SB::SCI_INDICSETUNDER, static_cast<unsigned long>(kMarkIndicator), 1L);
    pane_.SendScintilla(SB::SCI_INDICSETFORE, static_cast<unsigned long>(kMarkIndicator),
                        QColor(255, 170, 0));
    hide();
}

void FindBar::open(bool withReplace)
{
    const QString selected = pane_.selText();
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n'))
        && !selected.contains(QLatin1Char('\r')))
        txtFind->setText(selected);
    for (QWidget *w : replaceParts_)
        w->setVisible(withReplace);
    show();
    QLineEdit *field = withReplace && !txtFind->text().isEmpty() ? txtReplace : txtFind;
    field->setFocus();
    field->selectAll();
    optionsChanged();
}

void FindBar::close()
{
    if (!isVisible())
        return;
    clearMarks();
    hide();
    pane_.setFocus();
}

SearchOptions FindBar::options() const
{
    SearchOptions o;
    o.find = txtFind->text();
    o.matchCase = chkCase->isChecked();
    o.wholeWord = chkWord->isChecked();
    o.regex = chkRegex->isChecked();
    o.wrap = chkWrap->isChecked();
    return o;
}

void FindBar::setOptions(const SearchOptions &o)
{
    txtFind->setText(o.find);
    chkCase->setChecked(o.matchCase);
    chkWord->setChecked(o.wholeWord);
    chkRegex->setChecked(o.regex);
    chkWrap->setChecked(o.wrap);
}

void FindBar::setReplaceText(const QString &text)
{
    txtReplace->setText(text);
}

QString FindBar::status() const
{
    return lblStatus_->text();
}

QString FindBar::notFound(const TextSearch &search)
{
    return search.error().isEmpty() ? QStringLiteral("Not found") : search.error();
}

void FindBar::say(const QString &message, bool error)
{
    lblStatus_->setText(message);
    lblStatus_->setStyleSheet(error ? QStringLiteral("color: #c00000;") : QString());
}

const QString &FindBar::text()
{
    if (!textValid_) {
        text_ = pane_.wholeText();
        textValid_ = true;
    }
    return text_;
}

void FindBar::optionsChanged()
{
    const TextSearch search(options());
    say(search.error(), true);
    if (isVisible())
        markVisible();
}

void FindBar::select(const TextMatch &m)
{
    pane_.setSelStart(m.start);
    pane_.setSelLength(m.length);
}

bool FindBar::search(bool forward)
{
    const TextSearch search(options());
    if (!search.error().isEmpty()) {
        say(search.error(), true);
        return false;
    }
    if (!search.usable()) {
        say(QString());
        return false;
    }
    const QString &t = text();
    const int start = pane_.selStart();
    const int length = pane_.selLength();
    std::optional<TextMatch> m;
    if (forward) {
        m = search.next(t, start + length);
        // An empty match where the caret already is: go on past it.
        if (m && m->length == 0 && length == 0 && m->start == start && !m->wrapped)
            m = search.next(t, stepOver(t, start));
    } else {
        m = search.previous(t, start);
    }
    if (!m) {
        say(notFound(search), true);
        return false;
    }
    select(*m);
    say(m->wrapped ? (forward ? QStringLiteral("Continued from the start")
                              : QStringLiteral("Continued from the end"))
                   : QString());
    return true;
}

bool FindBar::findNext()
{
    return search(true);
}

bool FindBar::findPrevious()
{
    return search(false);
}

bool FindBar::replace()
{
    const TextSearch search(options());
    if (!search.usable())
        return search.error().isEmpty() ? false : (say(search.error(), true), false);
    // The selection is replaced when it is a match; then on to the next one.
    const QString &t = text();
    const int start = pane_.selStart();
    const int length = pane_.selLength();
    std::optional<TextMatch> m = search.next(t, start);
    bool replaced = false;
    if (m && !m->wrapped && m->start == start && m->length == length) {
        const QString with = search.replacement(t, *m, txtReplace->text());
        if (!search.error().isEmpty()) {
            say(search.error(), true);
            return false;
        }
        pane_.setSelText(with);
        replaced = true;
    }
    findNext();
    if (replaced && status().isEmpty())
        say(QStringLiteral("Replaced 1"));
    return replaced;
}

int FindBar::replaceAll()
{
    const TextSearch search(options());
    if (!search.usable()) {
        say(search.error(), !search.error().isEmpty());
        return 0;
    }
    const TextSearch::ReplaceAll r = search.replaceAll(text(), txtReplace->text());
    if (r.count == 0) {
        say(notFound(search), true); // the engine may have given up: then nothing changes
        return 0;
    }
    // One selection, one replacement: one undo step, one notification.
    const int caret = pane_.selStart();
    pane_.setSelStart(r.first);
    pane_.setSelLength(r.last - r.first);
    pane_.setSelText(r.span);
    pane_.setSelStart(caret < r.first ? caret : r.first + int(r.span.size()));
    say(QStringLiteral("Replaced %1").arg(r.count));
    return r.count;
}

void FindBar::clearMarks()
{
    pane_.SendScintilla(SB::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(kMarkIndicator));
    pane_.SendScintilla(SB::SCI_INDICATORCLEARRANGE, 0UL,
                        pane_.SendScintilla(SB::SCI_GETTEXTLENGTH));
}

// Marks the matches in the lines on screen, from their bytes (the pane's
// positions count UTF-8 bytes).
void FindBar::markVisible()
{
    clearMarks();
    const TextSearch search(options());
    if (!search.usable())
        return;
    const long firstVisible = pane_.SendScintilla(SB::SCI_GETFIRSTVISIBLELINE);
    const long first = pane_.SendScintilla(SB::SCI_DOCLINEFROMVISIBLE,
                                           static_cast<unsigned long>(firstVisible));
    const long onScreen = pane_.SendScintilla(SB::SCI_LINESONSCREEN) + 1;
    const long last = qMin(first + onScreen,
                           pane_.SendScintilla(SB::SCI_GETLINECOUNT) - 1);
    const long from = pane_.SendScintilla(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(first));
    const long to = pane_.SendScintilla(SB::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(last));
    if (to <= from)
        return;
    const QString chunk = pane_.textBetween(from, to);
    long byte = from;
    int index = 0;
    search.forEach(chunk, 0, int(chunk.size()), [&](const TextMatch &m, const QRegularExpressionMatch &) {
        byte += QStringView(chunk).mid(index, m.start - index).toUtf8().size();
        const long length = QStringView(chunk).mid(m.start, m.length).toUtf8().size();
        pane_.SendScintilla(SB::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(byte), length);
        byte += length;
        index = m.end();
    });
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
        if (ke->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        if (enter && watched == txtFind) {
            (ke->modifiers() & Qt::ShiftModifier) ? findPrevious() : findNext();
            return true;
        }
        if (enter && watched == txtReplace) {
            replace();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
