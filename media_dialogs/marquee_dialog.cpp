#include "media_dialogs/marquee_dialog.h"

#include "widgets/dialog_parts.h"
#include "widgets/dialog_host.h"
#include "widgets/dialog_parts.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmM::frmM(DialogHost &host) : QDialog(host.hostWindow()), host_(host)
{
    setWindowTitle(kMarqueeTitle);
    setObjectName(QStringLiteral("frmM"));

    // Created in tab order; each label names the control after it.
    lblText = named(new QLabel(QStringLiteral("&Text:"), this), "lblText");
    txtText = named(buddyTextBox(this, QStringLiteral("Marquee"), lblText), "txtText");

    fraDirection = named(new QGroupBox(QStringLiteral("Direction"), this), "fraDirection");
    optLeft = named(new QRadioButton(QStringLiteral("&Left"), fraDirection), "optLeft");
    optRight = named(new QRadioButton(QStringLiteral("&Right"), fraDirection), "optRight");
    optLeft->setChecked(true);

    fraBehavior = named(new QGroupBox(QStringLiteral("Behavior"), this), "fraBehavior");
    lblDelay = named(new QLabel(QStringLiteral("&Delay:"), fraBehavior), "lblDelay");
    txtDelay = named(buddyTextBox(fraBehavior, QStringLiteral("90"), lblDelay), "txtDelay");
    lblPixels = named(new QLabel(QStringLiteral("&Pixels:"), fraBehavior), "lblPixels");
    txtPixels = named(buddyTextBox(fraBehavior, QStringLiteral("6"), lblPixels), "txtPixels");
    lblBehaviour = named(new QLabel(QStringLiteral("&Behaviour:"), fraBehavior), "lblBehaviour");
    cmbBehave = named(new QComboBox(fraBehavior), "cmbBehave"); // lists without free text
    cmbBehave->addItems(kMarqueeBehaviours);
    lblBehaviour->setBuddy(cmbBehave);
    lblAlign = named(new QLabel(QStringLiteral("&Alignment:"), fraBehavior), "lblAlign");
    cmbAlign = named(new QComboBox(fraBehavior), "cmbAlign");
    cmbAlign->addItems(kMarqueeAlignments);
    lblAlign->setBuddy(cmbAlign);
    optInfinite = named(new QRadioButton(QStringLiteral("Repeat continuou&sly"), fraBehavior), "optInfinite");
    optRepeat = named(new QRadioButton(QStringLiteral("This &many times:"), fraBehavior), "optRepeat");
    optInfinite->setChecked(true);
    txtRepeat = named(new QLineEdit(fraBehavior), "txtRepeat");
    txtRepeat->setEnabled(false);
    // Either option's click sets the box; neither touches its text.
    connect(optRepeat, &QRadioButton::toggled, txtRepeat, &QLineEdit::setEnabled);

    fraShapeColour = named(new QGroupBox(QStringLiteral("Shape and Colour"), this), "fraShapeColour");
    lblWidth = named(new QLabel(QStringLiteral("&Width:"), fraShapeColour), "lblWidth");
    txtWidth = named(buddyTextBox(fraShapeColour, QString(), lblWidth), "txtWidth");
    optPixW = named(new QRadioButton(QStringLiteral("P&ixels"), fraShapeColour), "optPixW");
    optPerW = named(new QRadioButton(QStringLiteral("P&ercent"), fraShapeColour), "optPerW");
    optPixW->setChecked(true);
    lblHeight = named(new QLabel(QStringLiteral("&Height:"), fraShapeColour), "lblHeight");
    txtHeight = named(buddyTextBox(fraShapeColour, QString(), lblHeight), "txtHeight");
    fraPer = named(new QFrame(fraShapeColour), "fraPer");
    Option3 = named(new QRadioButton(QStringLiteral("Pi&xels"), fraPer), "Option3");
    optPerH = named(new QRadioButton(QStringLiteral("Perce&nt"), fraPer), "optPerH");
    Option3->setChecked(true);
    cmdColour = named(new QPushButton(QStringLiteral("Colo&ur..."), fraShapeColour), "cmdColour");
    cmdDef = named(new QPushButton(QStringLiteral("De&fault colour"), fraShapeColour), "cmdDef");
    picMC = named(new ColourSwatch(fraShapeColour), "picMC");
    connectSwatchButtons(picMC, cmdColour, cmdDef, host_.colourDialog());

    cmdOK = named(new QPushButton(QStringLiteral("&OK"), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");
    connect(cmdOK, &QPushButton::clicked, this, &frmM::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmM::cmdCancel_Click);

    layOut();
    setTabChain(this, {txtText, optLeft, optRight, txtDelay, txtPixels, cmbBehave, cmbAlign,
                       optInfinite, optRepeat, txtRepeat, txtWidth, optPixW, optPerW, txtHeight,
                       Option3, optPerH, cmdColour, cmdDef, cmdOK, cmdCancel});

    // The client area: 6270 by 4335 twips, or larger if the fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixels(6270), twipsToPixels(4335))));
    unlimitedTextBoxes(this);

    Form_Load();
}

void frmM::layOut()
{
    auto *textRow = new QHBoxLayout;
    textRow->addWidget(lblText);
    textRow->addWidget(txtText, 1);

    auto *direction = new QHBoxLayout(fraDirection);
    direction->addWidget(optLeft);
    direction->addSpacing(twipsToPixels(600));
    direction->addWidget(optRight);
    direction->addStretch();

    // Behavior: delay over pixels, behaviour over alignment, the repeat
    // options over the repeat box.
    auto *behavior = new QGridLayout(fraBehavior);
    behavior->setVerticalSpacing(2);
    behavior->setHorizontalSpacing(twipsToPixels(180));
    behavior->addWidget(lblDelay, 0, 0);
    behavior->addWidget(txtDelay, 1, 0);
    behavior->addWidget(lblPixels, 2, 0);
    behavior->addWidget(txtPixels, 3, 0);
    behavior->addWidget(lblBehaviour, 0, 1);
    behavior->addWidget(cmbBehave, 1, 1);
    behavior->addWidget(lblAlign, 2, 1);
    behavior->addWidget(cmbAlign, 3, 1);
    behavior->addWidget(optInfinite, 0, 2, 2, 1, Qt::AlignBottom);
    behavior->addWidget(optRepeat, 2, 2);
    behavior->addWidget(txtRepeat, 3, 2);
    behavior->setColumnStretch(0, 2);
    behavior->setColumnStretch(1, 3);
    behavior->setColumnStretch(2, 3);

    // Shape and Colour: a width row and a height row, each with its unit
    // pair, and the two colour buttons beside the swatch.
    auto *per = new QHBoxLayout(fraPer);
    per->setContentsMargins(0, 0, 0, 0);
    per->addWidget(Option3);
    per->addWidget(optPerH);
    auto *shape = new QGridLayout(fraShapeColour);
    shape->setVerticalSpacing(4);
    shape->addWidget(lblWidth, 0, 0);
    shape->addWidget(txtWidth, 0, 1);
    auto *widthUnits = new QHBoxLayout;
    widthUnits->addWidget(optPixW);
    widthUnits->addWidget(optPerW);
    shape->addLayout(widthUnits, 0, 2);
    shape->addWidget(lblHeight, 1, 0);
    shape->addWidget(txtHeight, 1, 1);
    shape->addWidget(fraPer, 1, 2);
    shape->setColumnMinimumWidth(3, twipsToPixels(120));
    shape->addWidget(cmdColour, 0, 4);
    shape->addWidget(cmdDef, 1, 4);
    picMC->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    shape->addWidget(picMC, 0, 5, 2, 1);
    shape->setColumnStretch(1, 1);

    auto *top = new QVBoxLayout(this);
    top->addLayout(textRow);
    top->addWidget(fraDirection);
    top->addWidget(fraBehavior);
    top->addWidget(fraShapeColour);
    top->addStretch();
    top->addLayout(okCancelRow(cmdOK, cmdCancel));
}

void frmM::Form_Load()
{
    cmbBehave->setCurrentIndex(0); // "Scroll"
    cmbAlign->setCurrentIndex(2);  // "Bottom"
}

MarqueeFields frmM::fields() const
{
    MarqueeFields f;
    f.text = txtText->text();
    f.right = optRight->isChecked();
    f.delay = txtDelay->text();
    f.pixels = txtPixels->text();
    f.behaveIndex = cmbBehave->currentIndex();
    f.alignIndex = cmbAlign->currentIndex();
    f.repeat = optRepeat->isChecked();
    f.repeatCount = txtRepeat->text();
    f.width = txtWidth->text();
    f.widthPercent = optPerW->isChecked();
    f.height = txtHeight->text();
    f.heightPercent = optPerH->isChecked();
    f.background = picMC->value();
    return f;
}

void frmM::cmdOK_Click()
{
    // The dialog hides before the Undo command takes the new name; refused,
    // it stays open for the count.
    host_.insertBuilt(this, buildMarquee(fields()), QStringLiteral("Insert Marquee"),
                      [this] { accept(); });
}

void frmM::cmdCancel_Click()
{
    reject(); // hides; Esc and the close box reject the same way
}
