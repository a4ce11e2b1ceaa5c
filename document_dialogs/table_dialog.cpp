#include "document_dialogs/table_dialog.h"

#include "widgets/dialog_host.h"

#include "widgets/dialog_parts.h"
#include "document_dialogs/table_cell_layout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmT::frmT(DialogHost &host) : QDialog(host.hostWindow()), host_(host)
{
    setWindowTitle(QStringLiteral("Table Creation"));

    lblAlign = new QLabel(QStringLiteral("&Alignment:"), this);
    cmbAlign = new QComboBox(this); // a list without free text
    cmbAlign->addItems(kTableAlignments);
    lblAlign->setBuddy(cmbAlign);
    lblBorderSize = new QLabel(QStringLiteral("&Border size:"), this);
    txtBorderSize = buddyTextBox(this, QStringLiteral("0"), lblBorderSize);
    lblCellPadding = new QLabel(QStringLiteral("&Cell padding:"), this);
    txtCellPadding = buddyTextBox(this, QStringLiteral("1"), lblCellPadding);
    lblCellSpacing = new QLabel(QStringLiteral("Cell &spacing:"), this);
    txtCellSpacing = buddyTextBox(this, QStringLiteral("2"), lblCellSpacing);
    SizeFrame::Captions size;
    size.frame = QStringLiteral("&Table size:");
    const Captions colours = {QStringLiteral("Bo&rder colour"), QStringLiteral("Bor&der default colour"),
                              QStringLiteral("Bord&er colour dark"), QStringLiteral("Border de&fault colour dark"),
                              QStringLiteral("Border colo&ur light"), QStringLiteral("Border default colour l&ight"),
                              QStringLiteral("Backgrou&nd picture:")};
    createSizeColourControls(this, size, colours, host_.colourDialog(), host_.fileDialog());

    lblColumns = new QLabel(QStringLiteral("Co&lumns:"), this);
    txtColumns = buddyTextBox(this, QStringLiteral("2"), lblColumns);
    lblRows = new QLabel(QStringLiteral("Ro&ws:"), this);
    txtRows = buddyTextBox(this, QStringLiteral("2"), lblRows);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmT::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmT::cmdCancel_Click);

    // Left: alignment, border, padding and spacing, the size frame.
    auto *left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(lblAlign);
    left->addWidget(cmbAlign);
    left->addWidget(lblBorderSize);
    left->addWidget(txtBorderSize);
    auto *padding = new QGridLayout;
    padding->setVerticalSpacing(2);
    padding->addWidget(lblCellPadding, 0, 0);
    padding->addWidget(txtCellPadding, 1, 0);
    padding->addWidget(lblCellSpacing, 0, 1);
    padding->addWidget(txtCellSpacing, 1, 1);
    left->addLayout(padding);
    left->addSpacing(6);
    left->addWidget(fraSize);
    left->addStretch();

    // Middle and right: the colour buttons in pairs, each pair beside its
    // swatch; below them the picture, the counts and the two buttons.
    auto *right = sizeColourColumn();
    auto *counts = new QGridLayout;
    counts->setVerticalSpacing(2);
    counts->addWidget(lblColumns, 0, 0);
    counts->addWidget(txtColumns, 1, 0);
    counts->addWidget(lblRows, 0, 1);
    counts->addWidget(txtRows, 1, 1);
    right->addLayout(counts);
    right->addStretch();
    right->addLayout(okCancelRow(cmdOK, cmdCancel));

    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 2);
    top->addLayout(right, 3);

    // Tab order as listed; each label just before the control it names.
    setTabChain(this, QList<QWidget *>{cmbAlign, txtBorderSize, txtCellPadding, txtCellSpacing}
                          + sizeColourTabChain() + QList<QWidget *>{txtColumns, txtRows, cmdOK, cmdCancel});

    nameControls(this, "frmT", {{lblAlign, "lblAlign"}, {cmbAlign, "cmbAlign"},
                                {lblBorderSize, "lblBorderSize"}, {txtBorderSize, "txtBorderSize"},
                                {lblCellPadding, "lblCellPadding"}, {txtCellPadding, "txtCellPadding"},
                                {lblCellSpacing, "lblCellSpacing"}, {txtCellSpacing, "txtCellSpacing"},
                                {lblColumns, "lblColumns"}, {txtColumns, "txtColumns"},
                                {lblRows, "lblRows"}, {txtRows, "txtRows"}, {cmdOK, "cmdOK"},
                                {cmdCancel, "cmdCancel"}});

    // The client area: 6135 by 5895 twips, or larger if the fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixels(6135), twipsToPixels(5895))));
    plainTextLabels(this);
    unlimitedTextBoxes(this);

    Form_Load();
}

void frmT::Form_Load()
{
    cmbAlign->setCurrentIndex(1); // "Centre"
}

TableFields frmT::fields() const
{
    TableFields f;
    f.alignIndex = cmbAlign->currentIndex();
    f.borderSize = txtBorderSize->text();
    f.cellPadding = txtCellPadding->text();
    f.cellSpacing = txtCellSpacing->text();
    readSizeColourFields(f);
    f.columns = txtColumns->text();
    f.rows = txtRows->text();
    return f;
}

void frmT::cmdOK_Click()
{
    if (host_.insertBuilt(this, buildTable(fields()), QStringLiteral("Insert Table")))
        accept(); // hides; the fields keep their values
}

void frmT::cmdCancel_Click()
{
    reject(); // hides; Esc and the close box reject the same way
}
