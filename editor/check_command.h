#pragma once
// HTML, Check page (Ctrl+K): the page goes through HTML Tidy and its
// warnings and errors fill the check panel under the text pane. Activating
// a message puts the caret where it points. The text is only read.
//
// The check runs in the checker process (PageChecker): typing goes on
// meanwhile, and Esc (in the text pane or the panel), the panel's Cancel or
// Ctrl+K again cancel it. Lines added or removed while it runs are
// followed, so its messages point at the lines they are about.

#include "core/page_check.h"

#include <QObject>
#include <utility>
#include <vector>

class CheckPanel;
class HTMLPane;
class PageChecker;
class PaneFooter;
class QAction;
class QMenu;

class CheckCommand : public QObject {
    Q_OBJECT
public:
    CheckCommand(HTMLPane &pane, PaneFooter &footer, QMenu &mnuHTML);

    // The panel of the check's messages, in the footer; made when first
    // wanted.
    CheckPanel &panel();

    QAction *mnuCheck = nullptr;
    // Starts a check, or cancels the one that is running.
    void mnuCheck_Click();
    PageChecker &checker() { return *checker_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cancel(const QString &why);
    void stopFollowing();
    void checked(CheckReport report);
    void failed(const QString &reason);
    void textModified(int position, int type, int length);
    void countInserted();
    int lineAt(long position) const;

    HTMLPane &pane_;
    PaneFooter &footer_;
    CheckPanel *panel_ = nullptr;
    PageChecker *checker_;
    QMetaObject::Connection following_;
    std::vector<LineShift> shifts_;
    std::pair<int, int> inserted_; // position and length of an insertion not yet counted
    bool edited_ = false;
};
