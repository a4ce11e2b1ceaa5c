#include "text_dialogs/rule_dialog.h"

#include "widgets/dialog_host.h"
#include "widgets/dialog_parts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmH::frmH(DialogHost &host) : QDialog(host.hostWindow()), host_(host)
{
    setWindowTitle(QStringLiteral("Insert Horizontal Rule"));

    lblSize = new QLabel(QStringLiteral("&Size:"), this);
    txtSize = new QLineEdit(this);
    lblSize->setBuddy(txtSize);
    lblAlign = new QLabel(QStringLiteral("&Alignment:"), this);
    cmbAlign = new QComboBox(this); // a list without free text
    cmbAlign->addItems(kRuleAlignments);
    lblAlign->setBuddy(cmbAlign);
    chkShade = new QCheckBox(QStringLiteral("Shaded &line"), this);
    chkShade->setChecked(true);
    cmdColour = new QPushButton(QStringLiteral("Rule &colour..."), this);
    cmdDef = new QPushButton(QStringLiteral("&Default colour"), this);
    picLC = new ColourSwatch(this);
    connectSwatchButtons(picLC, cmdColour, cmdDef, host_.colourDialog());

    fraWidth = new QGroupBox(QStringLiteral("&Width"), this);
    txtWidth = new QLineEdit(fraWidth);
    optPixels = new QRadioButton(QStringLiteral("Pixels"), fraWidth);
    optPercent = new QRadioButton(QStringLiteral("Percent"), fraWidth);
    optPercent->setChecked(true);
    auto *units = new QButtonGroup(this);
    units->addButton(optPixels);
    units->addButton(optPercent);
    // The frame's access key goes to the width box (Qt would pick the
    // checked option).
    fraWidth->installEventFilter(this);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setDefault(true);
    mnuCancel = new QPushButton(QStringLiteral("C&ancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmH::cmdOK_Click);
    connect(mnuCancel, &QPushButton::clicked, this, &frmH::mnuCancel_Click);
    nameControls(this, "frmH", {{lblSize, "lblSize"}, {txtSize, "txtSize"}, {lblAlign, "lblAlign"},
                                {cmbAlign, "cmbAlign"}, {chkShade, "chkShade"},
                                {cmdColour, "cmdColour"}, {cmdDef, "cmdDef"}, {picLC, "picLC"},
                                {fraWidth, "fraWidth"}, {txtWidth, "txtWidth"},
                                {optPixels, "optPixels"}, {optPercent, "optPercent"},
                                {cmdOK, "cmdOK"}, {mnuCancel, "mnuCancel"}});

    // Size and alignment side by side; the shading box beside the two
    // colour buttons, the swatch at the right edge as tall as both; the
    // width frame across; OK and Cancel at the bottom corners.
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->addWidget(lblSize, 0, 0);
    grid->addWidget(txtSize, 1, 0);
    grid->addWidget(lblAlign, 0, 1, 1, 2);
    grid->addWidget(cmbAlign, 1, 1, 1, 2);
    grid->setRowMinimumHeight(2, 8);
    grid->addWidget(chkShade, 3, 0, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(cmdColour, 3, 1);
    grid->addWidget(cmdDef, 4, 1);
    picLC->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    grid->addWidget(picLC, 3, 2, 2, 1);

    auto *widthLayout = new QGridLayout(fraWidth);
    widthLayout->addWidget(txtWidth, 0, 0, 1, 2);
    widthLayout->addWidget(optPixels, 1, 0);
    widthLayout->addWidget(optPercent, 1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addStretch();
    buttons->addWidget(mnuCancel);

    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(4);
    top->addWidget(fraWidth);
    top->addStretch();
    top->addLayout(buttons);

    // Tab order as listed; each label just before the control it names.
    const QList<QWidget *> chain = {txtSize, cmbAlign, chkShade, cmdColour, cmdDef,
                                    txtWidth, optPixels, optPercent, cmdOK, mnuCancel};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    // The client area: 3615 by 3255 twips, or larger if the fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixels(3615), twipsToPixels(3255))));
    unlimitedTextBoxes(this);

    Form_Load();
}

void frmH::Form_Load()
{
    cmbAlign->setCurrentIndex(1); // "Centre"
}

bool frmH::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fraWidth && event->type() == QEvent::Shortcut) {
        txtWidth->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

RuleFields frmH::fields() const
{
    RuleFields f;
    f.size = txtSize->text();
    f.alignIndex = cmbAlign->currentIndex();
    f.shaded = chkShade->isChecked();
    f.width = txtWidth->text();
    f.widthPixels = optPixels->isChecked();
    f.colour = picLC->value();
    return f;
}

QString frmH::CodeSub() const
{
    return buildRule(fields());
}

void frmH::cmdOK_Click()
{
    accept(); // hides first; the fields keep their values
    host_.insertFragment(CodeSub(), QStringLiteral("Horizontal Rule"));
}

void frmH::mnuCancel_Click()
{
    reject(); // hides; Esc and the close box reject the same way
}
