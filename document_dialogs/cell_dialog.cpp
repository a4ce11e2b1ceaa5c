#include "document_dialogs/cell_dialog.h"

#include "widgets/dialog_host.h"

#include "widgets/dialog_parts.h"
#include "document_dialogs/table_cell_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmC::frmC(DialogHost &host) : QDialog(host.hostWindow()), host_(host)
{
    setWindowTitle(QStringLiteral("Cell Properties"));

    lblHAlign = new QLabel(QStringLiteral("Hori&zontal alignment:"), this);
    cmbHAlign = new QComboBox(this);
    cmbHAlign->addItems(kCellHAlignments);
    lblHAlign->setBuddy(cmbHAlign);
    lblVAlign = new QLabel(QStringLiteral("&Vertical alignment:"), this);
    cmbVAlign = new QComboBox(this);
    cmbVAlign->addItems(kCellVAlignments);
    lblVAlign->setBuddy(cmbVAlign);
    lblR = new QLabel(QStringLiteral("&Rows spanned:"), this);
    txtR = buddyTextBox(this, QStringLiteral("1"), lblR);
    lblC = new QLabel(QStringLiteral("&Columns spanned:"), this);
    txtH = buddyTextBox(this, QStringLiteral("1"), lblC);
    chkHeader = new QCheckBox(QStringLiteral("H&eader cell"), this);
    chkWrap = new QCheckBox(QStringLiteral("&No wrap"), this);
    const Captions colours = {QStringLiteral("Bor&der colour"), QStringLiteral("Border de&fault colour"),
                              QStringLiteral("Border co&lour dark"), QStringLiteral("Border default colour d&ark"),
                              QStringLiteral("Border colo&ur light"), QStringLiteral("Border& default colour light"),
                              QStringLiteral("&Background picture:")};
    SizeFrame::Captions size;
    size.frame = QStringLiteral("Cell size:");
    size.percentH = QStringLiteral("Percen&t");
    size.pixelsH = QStringLiteral("P&ixels");
    createSizeColourControls(this, size, colours, host_.colourDialog(), host_.fileDialog());

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmC::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmC::cmdCancel_Click);
    lblInfo = new QLabel(kCellAdvice, this);
    lblInfo->setWordWrap(true);
    nameControls(this, "frmC", {{lblHAlign, "lblHAlign"}, {cmbHAlign, "cmbHAlign"},
                                {lblVAlign, "lblVAlign"}, {cmbVAlign, "cmbVAlign"}, {lblR, "lblR"},
                                {txtR, "txtR"}, {lblC, "lblC"}, {txtH, "txtH"},
                                {chkHeader, "chkHeader"}, {chkWrap, "chkWrap"}, {cmdOK, "cmdOK"},
                                {cmdCancel, "cmdCancel"}, {lblInfo, "lblInfo"}});

    // Left: the two lists, the spans, the check boxes, the size frame.
    auto *left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(lblHAlign);
    left->addWidget(cmbHAlign);
    left->addWidget(lblVAlign);
    left->addWidget(cmbVAlign);
    auto *spans = new QGridLayout;
    spans->setVerticalSpacing(2);
    spans->addWidget(lblR, 0, 0);
    spans->addWidget(txtR, 1, 0);
    spans->addWidget(lblC, 0, 1);
    spans->addWidget(txtH, 1, 1);
    left->addLayout(spans);
    auto *checks = new QHBoxLayout;
    checks->addWidget(chkHeader);
    checks->addWidget(chkWrap);
    left->addLayout(checks);
    left->addSpacing(6);
    left->addWidget(fraSize);
    left->addStretch();

    // Middle and right: the colour buttons in pairs beside their swatches,
    // the advice below them, then the picture and the two buttons.
    auto *right = sizeColourColumn(lblInfo);
    right->addStretch();
    right->addLayout(okCancelRow(cmdOK, cmdCancel));

    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 2);
    top->addLayout(right, 3);

    // Tab order as listed; each label just before the control it names.
    setTabChain(this, QList<QWidget *>{cmbHAlign, cmbVAlign, txtR, txtH, chkHeader, chkWrap}
                          + sizeColourTabChain() + QList<QWidget *>{cmdOK, cmdCancel});

    // The client area: 6135 by 5775 twips, or larger if the fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixels(6135), twipsToPixels(5775))));
    plainTextLabels(this);
    unlimitedTextBoxes(this);

    Form_Load();
}

void frmC::Form_Load()
{
    cmbHAlign->setCurrentIndex(0); // "Left"
    cmbVAlign->setCurrentIndex(1); // "Middle"
}

CellFields frmC::fields() const
{
    CellFields f;
    f.hAlignIndex = cmbHAlign->currentIndex();
    f.vAlignIndex = cmbVAlign->currentIndex();
    f.rowsSpanned = txtR->text();
    f.columnsSpanned = txtH->text();
    f.header = chkHeader->isChecked();
    f.noWrap = chkWrap->isChecked();
    readSizeColourFields(f);
    return f;
}

void frmC::cmdOK_Click()
{
    host_.insertFragment(buildCell(fields()), QStringLiteral("Cell Properties"));
    accept(); // hides; the fields keep their values
}

void frmC::cmdCancel_Click()
{
    reject(); // hides; Esc and the close box reject the same way
}
