#pragma once
// HTML, Tidy Up (Ctrl+Shift+I): the page, or the selection, re-indented by
// HTML Tidy in the checker process, as one step of Ctrl+Z; the doctype,
// the line ends and the characters stay as they are. When Tidy finds
// errors it asks first; No changes nothing. A failure of Tidy is a
// message, never a changed text. Keys wait while it runs; a run that takes
// longer than a moment shows a box to cancel it.

#include "core/tidy_up.h"

#include <QObject>
#include <optional>

class HTMLPane;
class PageChecker;
class Platform;
class QAction;
class QWidget;
struct MainMenu;

class TidyCommand : public QObject {
    Q_OBJECT
public:
    TidyCommand(const MainMenu &menu, HTMLPane &pane, Platform &platform, QWidget &window);

    QAction *mnuTidyUp = nullptr;
    void mnuTidyUp_Click();
    PageChecker &tidier() { return *tidier_; }

private:
    std::optional<TidyResult> run(const QByteArray &text, bool fragment);
    void apply(long start, long end, const QString &text, bool select);

    HTMLPane &pane_;
    Platform &platform_;
    QWidget &window_;
    PageChecker *tidier_;
    quint64 changes_ = 0; // changes of the text, to see one made during a run
};
