#include "document_dialogs/table_dialog.h"

#include "document_dialogs/dialog_parts.h"
#include "document_dialogs/table_cell_layout.h"
#include "editor/main_window.h"
#include "insert/insertion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmT::frmT(frmHTML &main) : QDialog(&main), main_(main)
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
    fraSize = new SizeFrame(size, this);

    auto button = [this](const char *caption) { return new QPushButton(QString::fromUtf8(caption), this); };
    cmdBGc = button("Bac&kground colour");
    cmdBGd = button("Back&ground default colour");
    cmdBdCc = button("Bo&rder colour");
    cmdBdCd = button("Bor&der default colour");
    cmdBdCdc = button("Bord&er colour dark");
    cmdBdCdd = button("Border de&fault colour dark");
    cmdBdClc = button("Border colo&ur light");
    cmdBdCld = button("Border default colour l&ight");
    Pic1 = new ColourSwatch(this);
    Pic2 = new ColourSwatch(this);
    Pic3 = new ColourSwatch(this);
    Pic4 = new ColourSwatch(this);
    connectSwatchButtons(Pic1, cmdBGc, cmdBGd, main_.Colour);
    connectSwatchButtons(Pic2, cmdBdCc, cmdBdCd, main_.Colour);
    connectSwatchButtons(Pic3, cmdBdCdc, cmdBdCdd, main_.Colour);
    connectSwatchButtons(Pic4, cmdBdClc, cmdBdCld, main_.Colour);

    lblBackground = new QLabel(QStringLiteral("Backgrou&nd picture:"), this);
    txtBackground = buddyTextBox(this, QString(), lblBackground);
    Browse1 = button("&...");
    connectBrowseButton(Browse1, txtBackground, main_.OpenSave, kImageFilter,
                        QStringLiteral("Choose an Image"));
    lblColumns = new QLabel(QStringLiteral("Co&lumns:"), this);
    txtColumns = buddyTextBox(this, QStringLiteral("2"), lblColumns);
    lblRows = new QLabel(QStringLiteral("Ro&ws:"), this);
    txtRows = buddyTextBox(this, QStringLiteral("2"), lblRows);
    cmdOK = button("&OK");
    cmdOK->setDefault(true);
    cmdCancel = button("Cancel");
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
    auto *colours = swatchGrid({{cmdBGc, cmdBGd, Pic1}, {cmdBdCc, cmdBdCd, Pic2},
                                {cmdBdCdc, cmdBdCdd, Pic3}, {cmdBdClc, cmdBdCld, Pic4}});
    auto *right = new QVBoxLayout;
    right->setSpacing(2);
    right->addLayout(colours);
    right->addSpacing(6);
    right->addWidget(lblBackground);
    auto *picture = new QHBoxLayout;
    picture->addWidget(txtBackground);
    picture->addWidget(Browse1);
    Browse1->setFixedWidth(Browse1->sizeHint().height() + 6);
    right->addLayout(picture);
    auto *counts = new QGridLayout;
    counts->setVerticalSpacing(2);
    counts->addWidget(lblColumns, 0, 0);
    counts->addWidget(txtColumns, 1, 0);
    counts->addWidget(lblRows, 0, 1);
    counts->addWidget(txtRows, 1, 1);
    right->addLayout(counts);
    right->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    right->addLayout(buttons);

    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 2);
    top->addLayout(right, 3);

    // Tab order as listed; each label just before the control it names.
    QList<QWidget *> chain = {cmbAlign, txtBorderSize, txtCellPadding, txtCellSpacing};
    chain += fraSize->tabChain();
    chain += {cmdBGc, cmdBGd, cmdBdCc, cmdBdCd, cmdBdCdc, cmdBdCdd, cmdBdClc, cmdBdCld,
              txtBackground, Browse1, txtColumns, txtRows, cmdOK, cmdCancel};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    // The client area: 6135 by 5895 twips, or larger if the fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixels(6135), twipsToPixels(5895))));

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
    f.width = fraSize->txtWidth->text();
    f.widthPercent = fraSize->optPercent->isChecked();
    f.height = fraSize->txtHeight->text();
    f.heightPercent = fraSize->optPercentH->isChecked();
    f.background = txtBackground->text();
    f.backgroundColour = Pic1->value();
    f.borderColour = Pic2->value();
    f.borderColourDark = Pic3->value();
    f.borderColourLight = Pic4->value();
    f.columns = txtColumns->text();
    f.rows = txtRows->text();
    return f;
}

void frmT::cmdOK_Click()
{
    const TableBuild built = buildTable(fields());
    if (!built.fragment) {
        main_.platform().messageBox(this, built.message, kTableErrorTitle, MsgIcon::Exclamation,
                                    MsgButtons::OK);
        return;
    }
    insertFragment(main_, *built.fragment, QStringLiteral("Insert Table"));
    accept(); // hides; the fields keep their values
}

void frmT::cmdCancel_Click()
{
    reject(); // hides; Esc and the close box reject the same way
}
