#include "editor/splash_window.h"

#include "core/conversions.h"
#include "version.h"
#include "widgets/vatro_control.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *label(const QString &text, double points, bool bold, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    // Arial, as fontconfig substitutes it on this system.
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    l->setFont(f);
    // A click on a label is not a click on the frame that holds it.
    l->setAttribute(Qt::WA_NoMousePropagation);
    return l;
}

} // namespace

frmSplash::frmSplash(VatroControl &vatro)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());

    // The picture is drawn from its SVG by Qt's icon engine (a plug-in, so
    // the program does not load the SVG libraries before it is shown).
    auto *logo = new QLabel(this);
    logo->setPixmap(QIcon(QStringLiteral(":/velmora/splash-logo.svg")).pixmap(QSize(360, 120)));
    logo->setFixedSize(360, 120);
    imgLogo = logo;
    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::Box);
    lblProductName = label(QStringLiteral("Velmora"), 32.25, true, Frame1);
    lblPlatform = label(QStringLiteral("for Linux"), 15.75, true, Frame1);
    lblVersion = label(QStringLiteral("Version"), 12, true, Frame1);
    lblCompanyProduct = label(QStringLiteral("Fendro Vatro 2000"), 18, true, Frame1);
    lblCopyright = label(QStringLiteral(VELMORA_FEEDBACK_ADDRESS), 8.25, false, Frame1);
    Frame1->installEventFilter(this);

    auto *inFrame = new QVBoxLayout(Frame1);
    inFrame->addWidget(imgLogo, 0, Qt::AlignHCenter);
    for (QLabel *l : {lblProductName, lblPlatform, lblVersion, lblCompanyProduct})
        inFrame->addWidget(l, 0, Qt::AlignHCenter);
    inFrame->addSpacing(12);
    inFrame->addWidget(lblCopyright, 0, Qt::AlignRight);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(Frame1);
    imgLogo->setParent(Frame1);

    // The timer runs from creation.
    stopsplash = new QTimer(this);
    stopsplash->setSingleShot(true);
    stopsplash->setInterval(3500);
    connect(stopsplash, &QTimer::timeout, this, &QWidget::close);
    stopsplash->start();

    Form_Load(vatro);
}

void frmSplash::Form_Load(VatroControl &vatro)
{
    adjustSize();
    // In the middle of the screen, above every window, at that place.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    vatro.TopMost(this, true);
    lblVersion->setText(Ver());
    lblProductName->setText(QStringLiteral("Velmora"));
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty()) { // any key that types a character, Enter and Esc too
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
