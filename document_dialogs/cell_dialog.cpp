#include "document_dialogs/cell_dialog.h"

#include "document_dialogs/dialog_parts.h"
#include "document_dialogs/table_cell_layout.h"
#include "editor/main_window.h"
#include "insert/insertion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmC::frmC(frmHTML &main) : QDialog(&main), main_(main)
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
    SizeFrame::Captions size;
    size.frame = QStringLiteral("Cell size:");
    size.percentH = QStringLiteral("Percen&t");
    size.pixelsH = QStringLiteral("P&ixels");
    fraSize = new SizeFrame(size, this);

    auto button = [this](const char *caption) { return new QPushButton(QString::fromUtf8(caption), this); };
    cmdBGc = button("Bac&kground colour");
    cmdBGd = button("Back&ground default colour");
    cmdBdCc = button("Bor&der colour");
    cmdBdCd = button("Border de&fault colour");
    cmdBdCdc = button("Border co&lour dark");
    cmdBdCdd = button("Border default colour d&ark");
    cmdBdClc = button("Border colo&ur light");
    cmdBdCld = button("Border& default colour light");
    lblBackground = new QLabel(QStringLiteral("&Background picture:"), this);
    txtBackground = buddyTextBox(this, QString(), lblBackground);
    Browse1 = button("&...");
    connectBrowseButton(Browse1, txtBackground, main_.OpenSave, kImageFilter,
                        QStringLiteral("Choose an Image"));
    cmdOK = button("&OK");
    cmdOK->setDefault(true);
    cmdCancel = button("Cancel");
    connect(cmdOK, &QPushButton::clicked, this, &frmC::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmC::cmdCancel_Click);
    Pic4 = new ColourSwatch(this);
    Pic3 = new ColourSwatch(this);
    Pic2 = new ColourSwatch(this);
    Pic1 = new ColourSwatch(this);
    connectSwatchButtons(Pic1, cmdBGc, cmdBGd, main_.Colour);
    connectSwatchButtons(Pic2, cmdBdCc, cmdBdCd, main_.Colour);
    connectSwatchButtons(Pic3, cmdBdCdc, cmdBdCdd, main_.Colour);
    connectSwatchButtons(Pic4, cmdBdClc, cmdBdCld, main_.Colour);
    lblInfo = new QLabel(kCellAdvice, this);
    lblInfo->setWordWrap(true);

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
    auto *colours = swatchGrid({{cmdBGc, cmdBGd, Pic1}, {cmdBdCc, cmdBdCd, Pic2},
                                {cmdBdCdc, cmdBdCdd, Pic3}, {cmdBdClc, cmdBdCld, Pic4}});
    colours->addWidget(lblInfo, 8, 0, 1, 2);
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
    QList<QWidget *> chain = {cmbHAlign, cmbVAlign, txtR, txtH, chkHeader, chkWrap};
    chain += fraSize->tabChain();
    chain += {cmdBGc, cmdBGd, cmdBdCc, cmdBdCd, cmdBdCdc, cmdBdCdd, cmdBdClc, cmdBdCld,
              txtBackground, Browse1, cmdOK, cmdCancel};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    // The client area: 6135 by 5775 twips, or larger if the fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixels(6135), twipsToPixels(5775))));

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
    f.width = fraSize->txtWidth->text();
    f.widthPercent = fraSize->optPercent->isChecked();
    f.height = fraSize->txtHeight->text();
    f.heightPercent = fraSize->optPercentH->isChecked();
    f.background = txtBackground->text();
    f.backgroundColour = Pic1->value();
    f.borderColour = Pic2->value();
    f.borderColourDark = Pic3->value();
    f.borderColourLight = Pic4->value();
    return f;
}

void frmC::cmdOK_Click()
{
    insertFragment(main_, buildCell(fields()), QStringLiteral("Cell Properties"));
    accept(); // hides; the fields keep their values
}

void frmC::cmdCancel_Click()
{
    reject(); // hides; Esc and the close box reject the same way
}
