#pragma once
// The check panel under the text pane: the messages of Check page, one row
// each (line, column, kind, text). Activating a row (double click, Enter)
// asks for the caret to go to the place the message points at.

#include "core/page_check.h"

#include <QWidget>
#include <vector>

class QLabel;
class QTreeWidget;

class CheckPanel : public QWidget {
    Q_OBJECT
public:
    explicit CheckPanel(QWidget *parent = nullptr);

    void setMessages(const std::vector<PageMessage> &messages);
    QTreeWidget *list() const { return list_; }
    QString summary() const;

signals:
    // `line` and `column` from 1, as the message gives them.
    void messageActivated(int line, int column);

private:
    QLabel *lblSummary_;
    QTreeWidget *list_;
};
