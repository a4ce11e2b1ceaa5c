#pragma once
// A page's script dialogs (alert, confirm, prompt, and the question before
// leaving a page) as a strip along the top of the browser pane, in plain
// text and never modal: the page waits for the answer, as it waits for a
// browser's dialog, while the editor goes on. A page that asks again and
// again is offered to be stopped.

#include <QFrame>
#include <QWebEnginePage>

class QEventLoop;
class QLabel;
class QLineEdit;
class QPushButton;

class ScriptDialogBar : public QFrame {
    Q_OBJECT
public:
    enum class Kind { Alert, Confirm, Prompt, Leave };
    enum class Answer { Cancel, OK, Stop };

    // Lies over the top of `pane`, as wide as it.
    explicit ScriptDialogBar(QWidget *pane);
    ~ScriptDialogBar() override;

    // Shows the question and handles events until it is answered or
    // cancelled. `value`: a prompt's default, then what the user typed.
    Answer ask(Kind kind, const QString &text, QString *value, bool offerStop);
    // Ends the open question, if any, as Cancel.
    void cancel();
    // Says that the page's scripts are stopped, or takes that back.
    void showStopped(bool stopped);

signals:
    void runScriptsWanted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void finish(Answer answer);
    void place();

    QLabel *text_;
    QLineEdit *value_;
    QPushButton *ok_, *cancel_, *stop_, *run_;
    QEventLoop *loop_ = nullptr;
    Answer answer_ = Answer::Cancel;
};

// The browser pane's page: its script dialogs go to the bar.
class PreviewPage : public QWebEnginePage {
    Q_OBJECT
public:
    // A dialog that comes less than this after the last one was answered
    // follows it in quick succession; the third such offers to stop.
    static constexpr int kQuickMs = 1500;

    PreviewPage(QWebEngineProfile *profile, ScriptDialogBar &bar, QObject *parent);

    // The question before leaving the page that comes next belongs to the
    // editor's own navigation or reload, which goes ahead without asking.
    void leaveWithoutAsking() { leaving_ = true; }
    // While stopping, every dialog is answered Cancel at once, unseen.
    void setStopping(bool stopping) { stopping_ = stopping; }

signals:
    void stopWanted();

protected:
    void javaScriptAlert(const QUrl &origin, const QString &message) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &message) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &message, const QString &defaultValue,
                          QString *result) override;

private:
    ScriptDialogBar::Answer ask(ScriptDialogBar::Kind kind, const QString &text, QString *value);

    ScriptDialogBar &bar_;
    bool leaving_ = false;
    bool stopping_ = false;
    qint64 lastAnswer_ = -1; // ms on the monotonic clock
    int quick_ = 0;          // dialogs in quick succession so far
};
