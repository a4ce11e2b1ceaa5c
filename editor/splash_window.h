#pragma once
// frmSplash: the window that greets every start for 3.5 seconds above all
// other windows. It closes (and is deleted) when its timer fires, when a
// character key is typed while it has the keyboard, or on a click on Frame1
// (not on a label inside it).

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;
class VatroControl;

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(VatroControl &vatro);

    QWidget *imgLogo = nullptr;
    QFrame *Frame1 = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblPlatform = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblCompanyProduct = nullptr;
    QLabel *lblCopyright = nullptr;
    QTimer *stopsplash = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load(VatroControl &vatro);
};
