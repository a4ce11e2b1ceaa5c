#include "document_dialogs/new_dialog.h"

#include "widgets/dialog_host.h"

#include "widgets/dialog_parts.h"
#include "core/conversions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kDefaultTitle = QStringLiteral("Title goes here");
const QString kDefaultStartText = QStringLiteral("Page content goes here");

QLabel *labelFor(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

// The narrow "..." buttons beside the path boxes.
QPushButton *browseButton(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setFixedWidth(twipsToPixels(375));
    return button;
}

// A colour button, its swatch and its default button on one row.
QHBoxLayout *swatchRow(QPushButton *colourButton, ColourSwatch *swatch, QPushButton *defaultButton)
{
    auto *row = new QHBoxLayout;
    row->addWidget(colourButton, 1);
    row->addWidget(swatch);
    row->addWidget(defaultButton, 1);
    return row;
}

QHBoxLayout *withButton(QWidget *box, QPushButton *button)
{
    auto *row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(button);
    return row;
}

} // namespace

frmNew::frmNew(DialogHost &host) : QDialog(host.hostWindow()), host_(host)
{
    setWindowTitle(QStringLiteral("Startup HTML"));
    setModal(true);
    buildControls();
    layOut();

    connect(cmdOK, &QPushButton::clicked, this, &frmNew::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNew::cmdCancel_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmNew::cmdReset_Click);
    // Like a check box's click event, this follows every change of its value,
    // by the user or by Reset.
    connect(chkLoop, &QCheckBox::toggled, this, &frmNew::chkLoop_Click);

    ColourDialog &colour = host_.colourDialog();
    connectSwatchButtons(picBC, cmdBC, cmdDef, colour);
    connectSwatchButtons(Pic1, cmdC1, Def1, colour);
    connectSwatchButtons(Pic2, cmdC2, Def2, colour);
    connectSwatchButtons(Pic3, cmdC3, Def3, colour);
    connectSwatchButtons(Pic4, cmdC4, Def4, colour);

    OpenSaveDialog &files = host_.fileDialog();
    connectBrowseButton(Browse1, txtSound, files, kSoundFilter, QStringLiteral("Choose a Sound"));
    connectBrowseButton(Browse2, txtImage, files, kImageFilter, QStringLiteral("Choose an Image"));
    connectBrowseButton(Browse3, txtCSS, files, kStyleSheetFilter,
                        QStringLiteral("Choose a Style Sheet"));
    plainTextLabels(this);
}

void frmNew::buildControls()
{
    fraMain = new QGroupBox(QStringLiteral("Main"), this);
    txtTitle = new QLineEdit(kDefaultTitle, fraMain);
    lblTitle = labelFor(QStringLiteral("T&itle:"), txtTitle, fraMain);
    cmdBC = new QPushButton(QStringLiteral("&Back colour..."), fraMain);
    cmdDef = new QPushButton(QStringLiteral("&Default colour"), fraMain);
    picBC = new ColourSwatch(fraMain);
    txtST = new QLineEdit(kDefaultStartText, fraMain);
    lblST = labelFor(QStringLiteral("Start te&xt:"), txtST, fraMain);
    txtBase = new QLineEdit(fraMain);
    lblBase = labelFor(QStringLiteral("Base lo&cation:"), txtBase, fraMain);
    txtTarget = new QLineEdit(fraMain);
    lblTarget = labelFor(QStringLiteral("Default target &frame:"), txtTarget, fraMain);

    fraColours = new QGroupBox(QStringLiteral("Colours"), this);
    cmdC1 = new QPushButton(QStringLiteral("Text&..."), fraColours);
    Def1 = new QPushButton(QStringLiteral("D&efault"), fraColours);
    cmdC2 = new QPushButton(QStringLiteral("&Hyperlink..."), fraColours);
    Def2 = new QPushButton(QStringLiteral("Defa&ult"), fraColours);
    cmdC3 = new QPushButton(QStringLiteral("&Visited link..."), fraColours);
    Def3 = new QPushButton(QStringLiteral("Def&ault"), fraColours);
    cmdC4 = new QPushButton(QStringLiteral("Active li&nk..."), fraColours);
    Def4 = new QPushButton(QStringLiteral("Defaul&t"), fraColours);
    Pic1 = new ColourSwatch(fraColours);
    Pic2 = new ColourSwatch(fraColours);
    Pic3 = new ColourSwatch(fraColours);
    Pic4 = new ColourSwatch(fraColours);

    fraBackground = new QGroupBox(QStringLiteral("Background sound"), this);
    txtSound = new QLineEdit(fraBackground);
    lblSnd = labelFor(QStringLiteral("&Sound:"), txtSound, fraBackground);
    Browse1 = browseButton(QStringLiteral("&..."), fraBackground);
    chkLoop = new QCheckBox(QStringLiteral("&Play continuously"), fraBackground);
    txtLoop = new QLineEdit(QStringLiteral("1"), fraBackground);
    lblLoop = labelFor(QStringLiteral("&Loop:"), txtLoop, fraBackground);

    fraSound = new QGroupBox(QStringLiteral("Background image"), this);
    txtImage = new QLineEdit(fraSound);
    lblImage = labelFor(QStringLiteral("I&mage:"), txtImage, fraSound);
    Browse2 = browseButton(QStringLiteral("..."), fraSound);
    chkWater = new QCheckBox(QStringLiteral("&Watermark"), fraSound);

    fraMargins = new QGroupBox(QStringLiteral("Margins (in pixels)/Stylesheet"), this);
    txtMarginT = new QLineEdit(fraMargins);
    lblMarginT = labelFor(QStringLiteral("Top mar&gin:"), txtMarginT, fraMargins);
    txtMarginL = new QLineEdit(fraMargins);
    lblMarginL = labelFor(QStringLiteral("Left margin&:"), txtMarginL, fraMargins);
    txtCSS = new QLineEdit(fraMargins);
    lblCSS = labelFor(QStringLiteral("St&yle Sheet:"), txtCSS, fraMargins);
    Browse3 = browseButton(QStringLiteral("..."), fraMargins);

    cmdReset = new QPushButton(QStringLiteral("&Reset"), this);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setEnabled(false);

    const QList<QWidget *> chain = tabChain();
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    nameControls(this, "frmNew", {
        {fraMain, "fraMain"},       {lblTitle, "lblTitle"},     {txtTitle, "txtTitle"},
        {cmdBC, "cmdBC"},           {cmdDef, "cmdDef"},         {picBC, "picBC"},
        {lblST, "lblST"},           {txtST, "txtST"},           {lblBase, "lblBase"},
        {txtBase, "txtBase"},       {lblTarget, "lblTarget"},   {txtTarget, "txtTarget"},
        {fraColours, "fraColours"}, {cmdC1, "cmdC1"},           {Def1, "Def1"},
        {cmdC2, "cmdC2"},           {Def2, "Def2"},             {cmdC3, "cmdC3"},
        {Def3, "Def3"},             {cmdC4, "cmdC4"},           {Def4, "Def4"},
        {Pic1, "Pic1"},             {Pic2, "Pic2"},             {Pic3, "Pic3"},
        {Pic4, "Pic4"},             {fraBackground, "fraBackground"}, {lblSnd, "lblSnd"},
        {txtSound, "txtSound"},     {Browse1, "Browse1"},       {chkLoop, "chkLoop"},
        {lblLoop, "lblLoop"},       {txtLoop, "txtLoop"},       {fraSound, "fraSound"},
        {lblImage, "lblImage"},     {txtImage, "txtImage"},     {Browse2, "Browse2"},
        {chkWater, "chkWater"},     {fraMargins, "fraMargins"}, {lblMarginT, "lblMarginT"},
        {txtMarginT, "txtMarginT"}, {lblMarginL, "lblMarginL"}, {txtMarginL, "txtMarginL"},
        {lblCSS, "lblCSS"},         {txtCSS, "txtCSS"},         {Browse3, "Browse3"},
        {cmdReset, "cmdReset"},     {cmdOK, "cmdOK"},           {cmdCancel, "cmdCancel"}});
}

void frmNew::layOut()
{
    auto *main = new QVBoxLayout(fraMain);
    main->setSpacing(3);
    main->addWidget(lblTitle);
    main->addWidget(txtTitle);
    main->addLayout(swatchRow(cmdBC, picBC, cmdDef));
    main->addWidget(lblST);
    main->addWidget(txtST);
    main->addWidget(lblBase);
    main->addWidget(txtBase);
    main->addWidget(lblTarget);
    main->addWidget(txtTarget);

    auto *colours = new QVBoxLayout(fraColours);
    colours->setSpacing(3);
    colours->addLayout(swatchRow(cmdC1, Pic1, Def1));
    colours->addLayout(swatchRow(cmdC2, Pic2, Def2));
    colours->addLayout(swatchRow(cmdC3, Pic3, Def3));
    colours->addLayout(swatchRow(cmdC4, Pic4, Def4));

    auto *sound = new QVBoxLayout(fraBackground);
    sound->setSpacing(3);
    sound->addWidget(lblSnd);
    sound->addLayout(withButton(txtSound, Browse1));
    sound->addWidget(chkLoop);
    auto *loopRow = new QHBoxLayout;
    loopRow->addWidget(lblLoop);
    loopRow->addWidget(txtLoop, 1);
    sound->addLayout(loopRow);

    auto *image = new QVBoxLayout(fraSound);
    image->setSpacing(3);
    image->addWidget(lblImage);
    image->addLayout(withButton(txtImage, Browse2));
    image->addWidget(chkWater);

    auto *margins = new QVBoxLayout(fraMargins);
    margins->setSpacing(3);
    margins->addWidget(lblMarginT);
    margins->addWidget(txtMarginT);
    margins->addWidget(lblMarginL);
    margins->addWidget(txtMarginL);
    margins->addWidget(lblCSS);
    margins->addLayout(withButton(txtCSS, Browse3));

    auto *left = new QVBoxLayout;
    left->addWidget(fraMain);
    left->addWidget(fraColours);
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(fraBackground);
    right->addWidget(fraSound);
    right->addWidget(fraMargins);
    right->addStretch(1);
    auto *frames = new QHBoxLayout;
    frames->addLayout(left, 1);
    frames->addLayout(right, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);

    auto *all = new QVBoxLayout(this);
    all->addLayout(frames, 1);
    all->addWidget(cmdReset);
    all->addLayout(buttons);

    // The dialog's client area is 6855 by 6735 twips; grow only where the
    // fonts of this desktop need more room.
    const QSize designed(twipsToPixels(6855), twipsToPixels(6735));
    setFixedSize(designed.expandedTo(sizeHint()));
    unlimitedTextBoxes(this);
}

QList<QWidget *> frmNew::tabChain() const
{
    return {txtTitle, cmdBC,   cmdDef,     txtST,      txtBase,    txtTarget, cmdC1,
            Def1,     cmdC2,   Def2,       cmdC3,      Def3,       cmdC4,     Def4,
            txtSound, Browse1, chkLoop,    txtLoop,    txtImage,   Browse2,   chkWater,
            txtMarginT, txtMarginL, txtCSS, Browse3,   cmdReset,   cmdOK,     cmdCancel};
}

NewPageFields frmNew::fields() const
{
    NewPageFields f;
    f.title = txtTitle->text();
    f.startText = txtST->text();
    f.base = txtBase->text();
    f.target = txtTarget->text();
    f.backColour = picBC->colour();
    f.textColour = Pic1->colour();
    f.linkColour = Pic2->colour();
    f.visitedColour = Pic3->colour();
    f.activeColour = Pic4->colour();
    f.sound = txtSound->text();
    f.playContinuously = chkLoop->isChecked();
    f.loop = txtLoop->text();
    f.image = txtImage->text();
    f.watermark = chkWater->isChecked();
    f.marginTop = txtMarginT->text();
    f.marginLeft = txtMarginL->text();
    f.styleSheet = txtCSS->text();
    return f;
}

void frmNew::cmdOK_Click()
{
    const BuilderResult page = buildNewPage(fields(), Ver());
    if (host_.refuses(this, page))
        return;
    // The page replaces the whole document.
    host_.replaceDocument(page.html);
    done(QDialog::Accepted);
}

void frmNew::cmdCancel_Click()
{
    done(QDialog::Rejected);
}

void frmNew::reject()
{
    if (cmdCancel->isEnabled())
        cmdCancel_Click();
}

void frmNew::cmdReset_Click()
{
    txtTitle->setText(kDefaultTitle);
    txtST->setText(kDefaultStartText);
    picBC->clear();
    txtBase->clear();
    txtTarget->clear();
    Pic1->clear();
    Pic2->clear();
    Pic3->clear();
    Pic4->clear();
    txtSound->clear();
    chkLoop->setChecked(false);
    txtLoop->clear();
    txtImage->clear();
    chkWater->setChecked(false);
    txtMarginT->clear();
    txtMarginL->clear();
    txtCSS->clear();
}

void frmNew::chkLoop_Click()
{
    const bool loopCount = !chkLoop->isChecked();
    lblLoop->setEnabled(loopCount);
    txtLoop->setEnabled(loopCount);
}

#include "moc_new_dialog.cpp"
