#include "widgets/script_dialogs.h"

#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <chrono>

namespace {

// What the web engine asks before a page is left, in its own words.
const QString kLeaveQuestion = QStringLiteral(
    "Are you sure you want to leave this page? Changes that you made may not be saved.");
// The longest message shown whole, in characters.
constexpr qsizetype kLongest = 1000;

qint64 nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

ScriptDialogBar::ScriptDialogBar(QWidget *pane)
    : QFrame(pane),
      text_(new QLabel(this)),
      value_(new QLineEdit(this)),
      ok_(new QPushButton(tr("OK"), this)),
      cancel_(new QPushButton(tr("Cancel"), this)),
      stop_(new QPushButton(tr("Stop the page's scripts"), this)),
      run_(new QPushButton(tr("Run scripts again"), this))
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    // The page's words are shown as they are, never as markup.
    setObjectName(QStringLiteral("scriptDialogs"));
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *row = new QHBoxLayout(this);
    row->addWidget(text_, 2);
    row->addWidget(value_, 1);
    for (QPushButton *button : {ok_, cancel_, stop_, run_}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    connect(ok_, &QPushButton::clicked, this, [this] { finish(Answer::OK); });
    connect(cancel_, &QPushButton::clicked, this, [this] { finish(Answer::Cancel); });
    connect(stop_, &QPushButton::clicked, this, [this] { finish(Answer::Stop); });
    connect(value_, &QLineEdit::returnPressed, this, [this] { finish(Answer::OK); });
    connect(run_, &QPushButton::clicked, this, &ScriptDialogBar::runScriptsWanted);
    pane->installEventFilter(this);
    hide();
}

ScriptDialogBar::~ScriptDialogBar()
{
    cancel();
}

ScriptDialogBar::Answer ScriptDialogBar::ask(Kind kind, const QString &text, QString *value,
                                             bool offerStop)
{
    cancel(); // one question at a time
    const QString message = text.size() > kLongest ? text.left(kLongest) + QChar(0x2026) : text;
    switch (kind) {
    case Kind::Alert:
        text_->setText(tr("The page says: %1").arg(message));
        break;
    case Kind::Confirm:
    case Kind::Prompt:
        text_->setText(tr("The page asks: %1").arg(message));
        break;
    case Kind::Leave:
        text_->setText(tr("The page asks whether to leave it: what was entered in it may be lost."));
        break;
    }
    value_->setVisible(kind == Kind::Prompt);
    value_->setText(value ? *value : QString());
    ok_->setText(kind == Kind::Leave ? tr("Leave") : tr("OK"));
    cancel_->setText(kind == Kind::Leave ? tr("Stay") : tr("Cancel"));
    ok_->show();
    cancel_->setVisible(kind != Kind::Alert);
    stop_->setVisible(offerStop);
    run_->hide();
    place();
    show();

    QEventLoop loop;
    loop_ = &loop;
    answer_ = Answer::Cancel;
    const QPointer<ScriptDialogBar> alive(this);
    loop.exec();
    if (!alive)
        return Answer::Cancel;
    hide();
    if (value)
        *value = value_->text();
    return answer_;
}

void ScriptDialogBar::finish(Answer answer)
{
    if (!loop_)
        return;
    answer_ = answer;
    loop_->exit();
    loop_ = nullptr;
}

void ScriptDialogBar::cancel()
{
    finish(Answer::Cancel);
}

void ScriptDialogBar::showStopped(bool stopped)
{
    if (!stopped) {
        hide();
        return;
    }
    text_->setText(tr("The page's scripts are stopped."));
    value_->hide();
    for (QPushButton *button : {ok_, cancel_, stop_})
        button->hide();
    run_->show();
    place();
    show();
}

void ScriptDialogBar::place()
{
    const QWidget *pane = parentWidget();
    const int width = pane->width();
    const int height = hasHeightForWidth() ? heightForWidth(width) : sizeHint().height();
    setGeometry(0, 0, width, qMin(height, pane->height()));
    raise(); // over the page, which the pane may have put up since
}

bool ScriptDialogBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && isVisible())
        place();
    // The pane makes a new view of the page when its process starts again.
    if (event->type() == QEvent::ChildAdded && isVisible())
        QMetaObject::invokeMethod(this, &QWidget::raise, Qt::QueuedConnection);
    return QFrame::eventFilter(watched, event);
}

void ScriptDialogBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && loop_)
        finish(Answer::Cancel);
    else
        QFrame::keyPressEvent(event);
}

PreviewPage::PreviewPage(QWebEngineProfile *profile, ScriptDialogBar &bar, QObject *parent)
    : QWebEnginePage(profile, parent), bar_(bar)
{
    connect(this, &QWebEnginePage::loadStarted, this, [this] { leaving_ = false; });
}

void PreviewPage::javaScriptAlert(const QUrl &, const QString &message)
{
    ask(ScriptDialogBar::Kind::Alert, message, nullptr);
}

bool PreviewPage::javaScriptConfirm(const QUrl &, const QString &message)
{
    // The web engine asks before a page is left through this question.
    if (message == kLeaveQuestion && leaving_)
        return true;
    const auto kind = message == kLeaveQuestion ? ScriptDialogBar::Kind::Leave
                                                : ScriptDialogBar::Kind::Confirm;
    return ask(kind, message, nullptr) == ScriptDialogBar::Answer::OK;
}

bool PreviewPage::javaScriptPrompt(const QUrl &, const QString &message, const QString &defaultValue,
                                   QString *result)
{
    QString value = defaultValue;
    if (ask(ScriptDialogBar::Kind::Prompt, message, &value) != ScriptDialogBar::Answer::OK)
        return false;
    *result = value;
    return true;
}

ScriptDialogBar::Answer PreviewPage::ask(ScriptDialogBar::Kind kind, const QString &text,
                                         QString *value)
{
    if (stopping_)
        return ScriptDialogBar::Answer::Cancel;
    quick_ = lastAnswer_ >= 0 && nowMs() - lastAnswer_ < kQuickMs ? quick_ + 1 : 0;
    const QPointer<PreviewPage> alive(this);
    const ScriptDialogBar::Answer answer = bar_.ask(kind, text, value, quick_ >= 2);
    if (!alive)
        return ScriptDialogBar::Answer::Cancel;
    lastAnswer_ = nowMs();
    if (answer == ScriptDialogBar::Answer::Stop)
        emit stopWanted();
    return answer;
}
