#pragma once
// Options, Check Spelling (off by default, kept in the settings as
// "CheckSpelling" and written when it changes): misspelt words of the
// page's text are underlined (SpellMarks). With it on, the text pane's
// pop-up menu on an underlined word begins with up to eight suggestions,
// "Add to Dictionary" and "Ignore", above the Edit items. A language
// without an installed dictionary is named once, in a note under the text.

#include <QObject>

class HTMLPane;
class PaneFooter;
class Platform;
class QAction;
class QLabel;
class QWidget;
class SpellMarks;
struct MainMenu;

class SpellCommands : public QObject {
    Q_OBJECT
public:
    SpellCommands(const MainMenu &menu, HTMLPane &pane, PaneFooter &footer, Platform &platform,
                  QWidget &window);

    QAction *mnuSpelling = nullptr;
    SpellMarks &marks() { return *marks_; }
    // The note naming languages without a dictionary (hidden when none).
    QWidget &notice() { return *notice_; }
    QString noticeText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setOn(bool on);
    void addItems();
    void dropItems();
    void missing(const QByteArray &lang);

    const MainMenu &menu_;
    HTMLPane &pane_;
    Platform &platform_;
    QWidget &window_;
    SpellMarks *marks_;
    QWidget *notice_;
    QLabel *noticeLabel_;
    QList<QByteArray> missing_;
    QList<QAction *> items_;
    long pressedAt_ = -1; // the byte under the last right press
};
