#pragma once
// The find and replace bar under the text pane: find text, replace text,
// the four options, Find next and previous, Replace and Replace all. While
// it is shown every match in the visible part of the text is marked. It
// works on the text pane only through the pane's own operations, so a
// replacement is one step of the pane's Ctrl+Z history and one change
// notification.

#include "core/text_search.h"

#include <QWidget>

class HTMLPane;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class FindBar : public QWidget {
    Q_OBJECT
public:
    FindBar(HTMLPane &pane, QWidget *parent = nullptr);

    // Shows the bar; with `replace` the replace row too. The find field takes
    // the selection when it is one line, and the keyboard.
    void open(bool replace);
    void close();

    // The commands; each returns whether it found (or replaced) something.
    bool findNext();
    bool findPrevious();
    bool replace();
    int replaceAll(); // how many were replaced

    SearchOptions options() const;
    void setOptions(const SearchOptions &options);
    void setReplaceText(const QString &text);
    // What the bar says beside the fields (errors, "Not found", counts).
    QString status() const;

    QLineEdit *txtFind = nullptr;
    QLineEdit *txtReplace = nullptr;
    QCheckBox *chkCase = nullptr, *chkWord = nullptr, *chkRegex = nullptr, *chkWrap = nullptr;
    QPushButton *cmdNext = nullptr, *cmdPrevious = nullptr, *cmdReplace = nullptr,
                *cmdReplaceAll = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const QString &text();
    void select(const TextMatch &m);
    bool search(bool forward);
    void say(const QString &message, bool error = false);
    // "Not found", or why the search could not tell.
    static QString notFound(const TextSearch &search);
    void optionsChanged();
    void markVisible();
    void clearMarks();

    HTMLPane &pane_;
    QList<QWidget *> replaceParts_; // the replace row's label, field and buttons
    QLabel *lblStatus_ = nullptr;
    QString text_;         // the pane's text, read once per change
    bool textValid_ = false;
};
