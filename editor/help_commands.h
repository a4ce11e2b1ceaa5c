#pragma once
// The Help menu: F1 anywhere in the program opens the help window;
// Contents sends a synthesised F1 press and release, About shows the
// version, Send feedback starts an e-mail.

#include <QObject>
#include <QPointer>
#include <QString>

class HelpWindow;
class Platform;
class QWidget;
struct MainMenu;

class HelpCommands : public QObject {
    Q_OBJECT
public:
    // `helpFile` is the application's help file, set at start-up.
    HelpCommands(const MainMenu &menu, Platform &platform, QWidget *window,
                 const QString &helpFile);
    ~HelpCommands() override;

    QString helpFile() const { return helpFile_; }
    // F1: the help window, shown (not minimised), raised and active, and
    // usable from the modal window F1 was pressed in; a missing help file
    // gives a message instead.
    void showHelp();
    HelpWindow *helpWindow() const;

    void mnuContents_Click();
    void mnuAbout_Click();
    void mnuSendFeedback_Click();

    // The text of the About box.
    static QString aboutText();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Platform &platform_;
    QWidget *window_;
    QString helpFile_;
    QPointer<HelpWindow> help_;
};
