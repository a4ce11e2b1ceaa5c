#include "editor/status_line.h"

#include "editor/document.h"
#include "editor/kept_option.h"
#include "editor/main_menu.h"
#include "widgets/html_pane.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

using SB = QsciScintillaBase;

StatusLine::StatusLine(const MainMenu &menu, QMainWindow &window, HTMLPane &pane, Document &document)
    : QObject(&window), window_(window), pane_(pane), document_(document)
{
    // The column of a caret at the end of a very long line costs a count
    // along it: once after a burst of keys, not at each.
    later_.setSingleShot(true);
    later_.setInterval(40);
    connect(&later_, &QTimer::timeout, this, &StatusLine::update);
    auto soon = [this] {
        if (place_)
            later_.start();
    };
    connect(&pane_, &QsciScintillaBase::SCN_UPDATEUI, this, soon);
    connect(&pane_, &HTMLPane::changed, this, soon);
    connect(&document_, &Document::fileNameChanged, this, soon);
    window_.installEventFilter(this); // a change kept after a question shows on return
    menu.mnuOptions->addSeparator();
    mnuStatusBar = addKeptOption(*menu.mnuOptions, QStringLiteral("Status Ba&r"), QStringLiteral("StatusBar"),
                                 [this](bool on) { setOn(on); });
}

void StatusLine::setOn(bool on)
{
    if (on && !place_) {
        QStatusBar *bar = window_.statusBar();
        for (QLabel **label : {&place_, &encoding_, &lineEnds_, &changed_}) {
            *label = new QLabel(bar);
            (*label)->setContentsMargins(8, 0, 8, 0);
            bar->addPermanentWidget(*label);
        }
        place_->setMinimumWidth(place_->fontMetrics().horizontalAdvance(QStringLiteral("Ln 99999, Col 9999")));
        update();
    } else if (!on && place_) {
        window_.setStatusBar(nullptr); // removed and deleted
        place_ = encoding_ = lineEnds_ = changed_ = nullptr;
    }
}

QStringList StatusLine::texts() const
{
    if (!place_)
        return {};
    return {place_->text(), encoding_->text(), lineEnds_->text(), changed_->text()};
}

void StatusLine::update()
{
    if (!place_)
        return;
    const long caret = pane_.SendScintilla(SB::SCI_GETCURRENTPOS);
    const long line = pane_.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(caret));
    const long lineStart = pane_.SendScintilla(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    // Characters from the line's start, a tab and a surrogate pair counted as one.
    const long column = pane_.SendScintilla(SB::SCI_COUNTCHARACTERS, static_cast<unsigned long>(lineStart),
                                            static_cast<long>(caret));
    place_->setText(QStringLiteral("Ln %1, Col %2").arg(line + 1).arg(column + 1));
    encoding_->setText(document_.encoding() == FileEncoding::Latin1 ? QStringLiteral("ISO-8859-1")
                                                                   : QStringLiteral("UTF-8"));
    const QString end = pane_.lineEnd();
    lineEnds_->setText(end == QLatin1String("\r\n") ? QStringLiteral("CR LF")
                       : end == QLatin1String("\n") ? QStringLiteral("LF")
                                                    : QStringLiteral("CR"));
    changed_->setText(document_.isChanged() ? QStringLiteral("Modified") : QString());
}

bool StatusLine::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window_ && event->type() == QEvent::WindowActivate && place_)
        later_.start();
    return QObject::eventFilter(watched, event);
}
