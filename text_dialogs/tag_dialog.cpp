#include "text_dialogs/tag_dialog.h"

#include "core/conversions.h"
#include "text_dialogs/tag_proc.h"
#include "widgets/dialog_host.h"
#include "widgets/dialog_parts.h"
#include "widgets/html_pane.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

frmTag::frmTag(DialogHost &host) : QDialog(host.hostWindow()), host_(host)
{
    setWindowTitle(QStringLiteral("Insert Special Character/Tag/Text"));
    setModal(false);
    createTagFrame();
    createStyleFrame();
    createTextFrame();
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &frmTag::cmdClose_Click);
    nameControls(this, "frmTag", {{fraTag, "fraTag"}, {fraStyle, "fraStyle"}, {optOpen, "optOpen"},
                                  {optClose, "optClose"}, {cmbStyle, "cmbStyle"},
                                  {cmdInsertStyle, "cmdInsertStyle"}, {fraText, "fraText"},
                                  {lblFont, "lblFont"}, {lstFont, "lstFont"}, {cmdRFL, "cmdRFL"},
                                  {lblSize, "lblSize"}, {lstSize, "lstSize"}, {lblAlign, "lblAlign"},
                                  {lstAlign, "lstAlign"}, {cmdTC, "cmdTC"}, {cmdDef, "cmdDef"},
                                  {cmdBC, "cmdBC"}, {cmdDefB, "cmdDefB"}, {picTC, "picTC"},
                                  {picBC, "picBC"}, {lblSample, "lblSample"}, {lblText, "lblText"},
                                  {txtText, "txtText"}, {cmdInsertText, "cmdInsertText"},
                                  {cmdClose, "cmdClose"}});
    layOut();
    unlimitedTextBoxes(this);
    Form_Load();
}

void frmTag::TagProc(const QString &Txt, const QString &Undotxt)
{
    ::TagProc(host_, Txt, Undotxt);
}

void frmTag::createTagFrame()
{
    fraTag = new QGroupBox(QStringLiteral("Insert special character/tag"), this);
    QPushButton **const named[] = {&cmdLeft,          &cmdRight,          &cmdAmp,
                                   &cmdQuot,          &cmdBlank,          &cmdBold1,
                                   &cmdBold0,         &cmdItalic1,        &cmdItalic0,
                                   &cmdUnderline1,    &cmdUnderline0,     &cmdStrikethrough1,
                                   &cmdStrikethrough0, &cmdTypewriter1,   &cmdTypewriter0};
    const QList<FixedTag> &tags = fixedTags();
    for (int i = 0; i < tags.size(); ++i) {
        const FixedTag &tag = tags[i];
        auto *button = new QPushButton(tag.caption, fraTag);
        button->setObjectName(QLatin1String(tag.control));
        connect(button, &QPushButton::clicked, this, [this, tag] { TagProc(tag.text, tag.action); });
        *named[i] = button;
        fixedButtons << button;
    }
    // The entities in a wide column; the tags in two narrow ones to their
    // right, opening tags left and closing tags right, one row per tag.
    auto *grid = new QGridLayout(fraTag);
    grid->setVerticalSpacing(2);
    for (int row = 0; row < 5; ++row) {
        grid->addWidget(fixedButtons[row], row, 0);
        grid->addWidget(fixedButtons[5 + 2 * row], row, 1);
        grid->addWidget(fixedButtons[6 + 2 * row], row, 2);
    }
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

void frmTag::createStyleFrame()
{
    fraStyle = new QGroupBox(QStringLiteral("Styles"), this);
    optOpen = new QRadioButton(QStringLiteral("&Open"), fraStyle);
    optClose = new QRadioButton(QStringLiteral("Close"), fraStyle);
    optOpen->setChecked(true);
    cmbStyle = new QComboBox(fraStyle); // a list without free text
    for (const TagStyle &style : tagStyles())
        cmbStyle->addItem(style.item);
    cmdInsertStyle = new QPushButton(QStringLiteral("Ins&ert"), fraStyle);
    connect(cmdInsertStyle, &QPushButton::clicked, this, &frmTag::cmdInsertStyle_Click);

    auto *grid = new QGridLayout(fraStyle);
    grid->addWidget(optOpen, 0, 0);
    grid->addWidget(optClose, 0, 1);
    grid->addWidget(cmbStyle, 1, 0, 1, 2);
    grid->addWidget(cmdInsertStyle, 2, 0, 1, 2, Qt::AlignHCenter);
}

void frmTag::createTextFrame()
{
    fraText = new QGroupBox(QStringLiteral("Text"), this);
    lblFont = new QLabel(QStringLiteral("&Fonts:"), fraText);
    lstFont = new QListWidget(fraText);
    lblFont->setBuddy(lstFont);
    cmdRFL = new QPushButton(QStringLiteral("Refres&h font list"), fraText);
    lblSize = new QLabel(QStringLiteral("Si&ze:"), fraText);
    lstSize = new QListWidget(fraText);
    lstSize->addItems(kStyledSizes);
    lblSize->setBuddy(lstSize);
    lblAlign = new QLabel(QStringLiteral("Align&ment:"), fraText);
    lstAlign = new QListWidget(fraText);
    lstAlign->addItems(kStyledAlignments);
    lblAlign->setBuddy(lstAlign);
    cmdTC = new QPushButton(QStringLiteral("Te&xt colour..."), fraText);
    cmdDef = new QPushButton(QStringLiteral("&Default colour"), fraText);
    cmdBC = new QPushButton(QStringLiteral("Back colour..."), fraText);
    cmdDefB = new QPushButton(QStringLiteral("Default colour"), fraText);
    picTC = new ColourSwatch(fraText, kSysButtonText);
    picBC = new ColourSwatch(fraText, kSysButtonFace);
    connectSwatchButtons(picTC, cmdTC, cmdDef, host_.colourDialog());
    connectSwatchButtons(picBC, cmdBC, cmdDefB, host_.colourDialog());

    lblSample = new QLabel(kSampleText, fraText);
    lblSample->setTextFormat(Qt::PlainText); // the text is shown as typed
    lblSample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblSample->setAutoFillBackground(true);
    // The sample is clipped to its place, whatever its font and text; its
    // place holds the text it starts with at the largest size whole.
    lblSample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    QFont largest(kSampleFontName);
    largest.setPointSize(*std::max_element(kStyledSizePoints.begin(), kStyledSizePoints.end()));
    const QFontMetrics metrics(largest);
    const int room = 2 * lblSample->frameWidth() + 2 * lblSample->margin() + metrics.averageCharWidth();
    lblSample->setMinimumSize(
        qMax(twipsToPixels(3600), metrics.horizontalAdvance(kSampleText) + room),
        qMax(twipsToPixels(900), metrics.height() + room));

    lblText = new QLabel(QStringLiteral("Text&:"), fraText);
    txtText = new QLineEdit(kSampleText, fraText);
    lblText->setBuddy(txtText);
    cmdInsertText = new QPushButton(QStringLiteral("Inse&rt"), fraText);

    connect(cmdRFL, &QPushButton::clicked, this, &frmTag::cmdRFL_Click);
    connect(cmdInsertText, &QPushButton::clicked, this, &frmTag::cmdInsertText_Click);
    for (QListWidget *list : {lstFont, lstSize, lstAlign})
        connect(list, &QListWidget::currentRowChanged, this, &frmTag::updateSample);
    connect(txtText, &QLineEdit::textChanged, this, &frmTag::updateSample);
    connect(picTC, &ColourSwatch::valueChanged, this, &frmTag::updateSample);
    connect(picBC, &ColourSwatch::valueChanged, this, &frmTag::updateSample);

    // Top to bottom: the font label with the refresh button at its right;
    // the font list; the size and alignment lists at the left with the two
    // colour rows and the sample at their right; the text box with Insert.
    // The size and alignment lists show all their items, no wider than the
    // longest; the font list takes the rest of the frame.
    for (QListWidget *list : {lstSize, lstAlign}) {
        const int frame = 2 * list->frameWidth();
        list->setFixedSize(list->sizeHintForColumn(0) + frame + 12,
                           lstSize->sizeHintForRow(0) * kStyledSizes.size() + frame);
    }
    lstFont->setMinimumHeight(lstSize->sizeHintForRow(0) * 6 + 2 * lstFont->frameWidth());

    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(lblFont);
    fontRow->addStretch();
    fontRow->addWidget(cmdRFL);

    auto *lists = new QGridLayout;
    lists->setVerticalSpacing(2);
    lists->addWidget(lblSize, 0, 0);
    lists->addWidget(lstSize, 1, 0);
    lists->addWidget(lblAlign, 0, 1);
    lists->addWidget(lstAlign, 1, 1);
    lists->setRowStretch(2, 1);

    auto *colours = new QGridLayout;
    colours->setVerticalSpacing(4);
    colours->addWidget(cmdTC, 0, 0);
    colours->addWidget(picTC, 0, 1);
    colours->addWidget(cmdDef, 0, 2);
    colours->addWidget(cmdBC, 1, 0);
    colours->addWidget(picBC, 1, 1);
    colours->addWidget(cmdDefB, 1, 2);
    auto *right = new QVBoxLayout;
    right->addLayout(colours);
    right->addWidget(lblSample, 1);

    auto *middle = new QHBoxLayout;
    middle->addLayout(lists);
    middle->addLayout(right, 1);

    auto *textRow = new QHBoxLayout;
    textRow->addWidget(lblText);
    textRow->addWidget(txtText, 1);
    textRow->addWidget(cmdInsertText);

    auto *frame = new QVBoxLayout(fraText);
    frame->setSpacing(4);
    frame->addLayout(fontRow);
    frame->addWidget(lstFont, 1);
    frame->addLayout(middle);
    frame->addLayout(textRow);
}

void frmTag::layOut()
{
    auto *left = new QVBoxLayout;
    left->addWidget(fraTag);
    left->addWidget(fraStyle);
    left->addStretch();

    auto *right = new QVBoxLayout;
    right->addWidget(fraText, 1);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(cmdClose);
    right->addLayout(closeRow);

    auto *top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);

    // Tab order as listed: the fixed buttons, the styles, the Text frame,
    // Close. Each label comes just before the control it names.
    QList<QWidget *> chain;
    for (QPushButton *b : fixedButtons)
        chain << b;
    chain << optOpen << optClose << cmbStyle << cmdInsertStyle << lstFont << cmdRFL << lstSize
          << lstAlign << cmdTC << cmdDef << cmdBC << cmdDefB << txtText << cmdInsertText << cmdClose;
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    // The client area: 9015 by 6375 twips, or larger if the fonts need it.
    setFixedSize(minimumSizeHint().expandedTo(QSize(twipsToPixels(9015), twipsToPixels(6375))));
}

void frmTag::Form_Load()
{
    cmbStyle->setCurrentIndex(0);
    cmdRFL_Click(); // fills the font list and selects "(default)"
    lstSize->setCurrentRow(0);
    lstAlign->setCurrentRow(0);
    updateSample();
}

void frmTag::cmdRFL_Click()
{
    // Qt names a family that more than one foundry offers "Family [Foundry]";
    // the list and the face attribute want the family alone, once.
    QStringList families;
    for (const QString &family : QFontDatabase::families()) {
        const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
        families << (foundry > 0 ? family.left(foundry) : family);
    }
    families.removeDuplicates();
    // Sorted as the eye reads them; names that differ only in case keep
    // a fixed order.
    std::sort(families.begin(), families.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    const QSignalBlocker quiet(lstFont);
    lstFont->clear();
    lstFont->addItems(families);
    lstFont->insertItem(0, kDefaultItem);
    lstFont->setCurrentRow(0);
    updateSample();
}

StyledTextFields frmTag::textFields() const
{
    StyledTextFields f;
    if (lstFont->currentRow() > 0)
        f.fontName = lstFont->currentItem()->text();
    f.sizeIndex = std::max(0, lstSize->currentRow());
    f.alignIndex = std::max(0, lstAlign->currentRow());
    f.textColour = picTC->value();
    f.backColour = picBC->value();
    f.text = txtText->text();
    return f;
}

void frmTag::updateSample()
{
    const StyledTextFields f = textFields();
    QFont font(f.fontName.isEmpty() ? kSampleFontName : f.fontName);
    font.setPointSize(kStyledSizePoints.value(f.sizeIndex, 12));
    lblSample->setFont(font);
    static const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignHCenter,
                                           Qt::AlignRight};
    lblSample->setAlignment(aligns[qBound(0, f.alignIndex, 3)] | Qt::AlignVCenter);
    QPalette colours = lblSample->palette();
    colours.setColor(QPalette::WindowText, colourToQColor(f.textColour, palette()));
    colours.setColor(QPalette::Window, colourToQColor(f.backColour, palette()));
    lblSample->setPalette(colours);
    lblSample->setText(f.text);
}

void frmTag::cmdInsertStyle_Click()
{
    const int index = cmbStyle->currentIndex();
    if (index < 0 || index >= tagStyles().size())
        return;
    const TagStyle &style = tagStyles()[index];
    TagProc(optOpen->isChecked() ? style.open : style.close, styleAction(style.item));
}

void frmTag::cmdInsertText_Click()
{
    TagProc(buildStyledText(textFields()), QStringLiteral("Text Insertion"));
}

void frmTag::cmdClose_Click()
{
    hide();
}

void frmTag::showOrActivate()
{
    if (!isVisible() && !placed_) {
        // The first time, beside the editor where the screen has room, else
        // where it hides the least of the text being edited. Until it has
        // been shown its frame is not known: the owner's stands in for it.
        placed_ = true;
        const QWidget *owner = parentWidget();
        const QRect frame = owner->frameGeometry();
        const QRect inner = owner->geometry();
        const QSize outer = size().grownBy({inner.left() - frame.left(), inner.top() - frame.top(),
                                            frame.right() - inner.right(), frame.bottom() - inner.bottom()});
        QRect text;
        if (const auto *pane = owner->findChild<HTMLPane *>(); pane && pane->isVisible())
            text = QRect(pane->mapToGlobal(QPoint(0, 0)), pane->size());
        if (const QScreen *screen = owner->screen())
            move(placeAside(outer, frame, text, screen->availableGeometry()));
    }
    show();
    raise();
    activateWindow();
}
