#include "editor/help_commands.h"

#include "core/conversions.h"
#include "editor/main_menu.h"
#include "version.h"
#include "widgets/help_window.h"
#include "widgets/platform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

HelpCommands::HelpCommands(const MainMenu &menu, Platform &platform, QWidget *window,
                           const QString &helpFile)
    : QObject(window), platform_(platform), window_(window), helpFile_(helpFile)
{
    serveItem(menu.mnuContents, this, &HelpCommands::mnuContents_Click);
    serveItem(menu.mnuAbout, this, &HelpCommands::mnuAbout_Click);
    serveItem(menu.mnuSendFeedback, this, &HelpCommands::mnuSendFeedback_Click);
    // F1 anywhere in the program, dialogs included.
    qApp->installEventFilter(this);
}

HelpCommands::~HelpCommands()
{
    delete help_;
}

bool HelpCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            showHelp();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void HelpCommands::showHelp()
{
    if (!help_) {
        QString error;
        HelpWindow *help = HelpWindow::create(helpFile_, &error);
        if (!help || !help->isUsable()) {
            delete help;
            platform_.messageBox(window_,
                                 help ? QStringLiteral("The help file '") + helpFile_
                                            + QStringLiteral("' could not be opened.")
                                      : QStringLiteral("The help window could not be started: ")
                                            + error,
                                 QStringLiteral("Velmora Help"), MsgIcon::Exclamation,
                                 MsgButtons::OK);
            return;
        }
        help_ = help;
        help_->showPage(QStringLiteral("index.html"));
    }
    // While a modal window runs, Qt blocks every window outside its family:
    // the help becomes the transient of the modal window F1 was pressed in,
    // which lets it through (and keeps it in front of that window).
    QWidget *modal = QApplication::activeModalWidget();
    help_->winId(); // the native window, for its transient parent
    help_->windowHandle()->setTransientParent(modal ? modal->windowHandle() : nullptr);
    // Back from the task bar, or from behind the main window.
    help_->setWindowState(help_->windowState() & ~Qt::WindowMinimized);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void HelpCommands::mnuContents_Click()
{
    // The ordinary F1 handling opens the help.
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window_;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier));
}

QString HelpCommands::aboutText()
{
    return QStringLiteral("Velmora version:\r\n\r\n") + Ver() + QStringLiteral("\r\n\r\n")
        + QStringLiteral(VELMORA_COMPANY);
}

void HelpCommands::mnuAbout_Click()
{
    platform_.messageBox(window_, aboutText(), QStringLiteral("Velmora"), MsgIcon::Information,
                         MsgButtons::OK);
}

void HelpCommands::mnuSendFeedback_Click()
{
    platform_.openUrl(QStringLiteral("mailto:" VELMORA_FEEDBACK_ADDRESS "?subject=Velmora"));
}

HelpWindow *HelpCommands::helpWindow() const
{
    return help_;
}
