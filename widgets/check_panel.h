#pragma once
// The check panel under the text pane: the messages of Check page, one row
// each (line, column, kind, text). Activating a row (double click, Enter)
// asks for the caret to go to the place the message points at. While a
// check runs it says so, with a busy bar and a Cancel button.

#include "core/page_check.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QToolButton;
class QTreeWidget;

class CheckPanel : public QWidget {
    Q_OBJECT
public:
    explicit CheckPanel(QWidget *parent = nullptr);

    // The report of a finished check; `note` follows the summary.
    void setReport(const CheckReport &report, const QString &note = QString());
    // A check is running: `text` is shown with the busy bar and Cancel,
    // the list is emptied.
    void setBusy(const QString &text);
    // No messages to show: `text` says why (failed, cancelled).
    void setStatus(const QString &text);
    QTreeWidget *list() const { return list_; }
    QString summary() const;

signals:
    // `line` and `column` from 1, as the message gives them.
    void messageActivated(int line, int column);
    // The Cancel button of a running check.
    void cancelRequested();

private:
    void showBusy(bool busy);

    QLabel *lblSummary_;
    QProgressBar *busy_;
    QToolButton *cmdCancel_;
    QTreeWidget *list_;
};
