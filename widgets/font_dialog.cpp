#include "widgets/font_dialog.h"

#include "widgets/dialog_parts.h"

#include "core/conversions.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FontColourDialog::FontColourDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Font"));

    fontName = new QFontComboBox(this);
    fontName->setEditable(true);
    fontSize = new QDoubleSpinBox(this);
    fontSize->setRange(1, 1638);
    fontSize->setDecimals(1);
    fontSize->setSingleStep(1);
    bold = new QCheckBox(tr("&Bold"), this);
    italic = new QCheckBox(tr("&Italic"), this);
    underline = new QCheckBox(tr("&Underline"), this);
    strikethrough = new QCheckBox(tr("Stri&keout"), this);
    colourButton = new QPushButton(this);
    colourButton->setMinimumWidth(64);
    sample = new QLabel(tr("AaBbYyZz"), this);
    sample->setAlignment(Qt::AlignCenter);
    sample->setMinimumSize(220, 60);
    sample->setFrameShape(QFrame::StyledPanel);
    sample->setAutoFillBackground(true);

    auto *form = new QFormLayout;
    auto *nameLabel = new QLabel(tr("&Font:"), this);
    nameLabel->setBuddy(fontName);
    form->addRow(nameLabel, fontName);
    auto *sizeLabel = new QLabel(tr("&Size:"), this);
    sizeLabel->setBuddy(fontSize);
    form->addRow(sizeLabel, fontSize);

    auto *effects = new QGroupBox(tr("Effects"), this);
    auto *effectsLayout = new QVBoxLayout(effects);
    auto *styleRow = new QHBoxLayout;
    styleRow->addWidget(bold);
    styleRow->addWidget(italic);
    effectsLayout->addLayout(styleRow);
    auto *lineRow = new QHBoxLayout;
    lineRow->addWidget(strikethrough);
    lineRow->addWidget(underline);
    effectsLayout->addLayout(lineRow);
    auto *colourRow = new QHBoxLayout;
    auto *colourLabel = new QLabel(tr("&Colour:"), this);
    colourLabel->setBuddy(colourButton);
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(colourButton);
    colourRow->addStretch();
    effectsLayout->addLayout(colourRow);

    auto *sampleBox = new QGroupBox(tr("Sample"), this);
    auto *sampleLayout = new QVBoxLayout(sampleBox);
    sampleLayout->addWidget(sample);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(effects);
    layout->addWidget(sampleBox);
    layout->addWidget(buttons);

    askColour = [](QWidget *parent, ColourValue current) -> std::optional<ColourValue> {
        const QColor c = QColorDialog::getColor(colourToQColor(current), parent, tr("Colour"));
        if (!c.isValid())
            return std::nullopt;
        return qcolorToColour(c);
    };
    connect(colourButton, &QPushButton::clicked, this, [this] {
        if (const auto c = askColour(this, colour_))
            setColour(*c);
    });

    connect(fontName, &QComboBox::currentTextChanged, this, [this] { updateSample(); });
    connect(fontSize, &QDoubleSpinBox::valueChanged, this, [this] { updateSample(); });
    for (QCheckBox *box : {bold, italic, underline, strikethrough})
        connect(box, &QCheckBox::toggled, this, [this] { updateSample(); });

    setChoice(FontChoice());
    plainTextLabels(this);
    unlimitedTextBoxes(this);
}

void FontColourDialog::setChoice(const FontChoice &choice)
{
    // A name the system does not have stays as it is, shown in the box.
    fontName->setCurrentFont(QFont(choice.name));
    fontName->setEditText(choice.name);
    fontSize->setValue(choice.size);
    bold->setChecked(choice.bold);
    italic->setChecked(choice.italic);
    underline->setChecked(choice.underline);
    strikethrough->setChecked(choice.strikethrough);
    setColour(choice.colour);
}

FontChoice FontColourDialog::choice() const
{
    FontChoice c;
    const QString name = fontName->currentText().trimmed();
    c.name = name.isEmpty() ? fontName->currentFont().family() : name;
    c.size = fontSize->value();
    c.bold = bold->isChecked();
    c.italic = italic->isChecked();
    c.underline = underline->isChecked();
    c.strikethrough = strikethrough->isChecked();
    c.colour = colour_;
    return c;
}

void FontColourDialog::setColour(ColourValue colour)
{
    colour_ = colour;
    QPixmap swatch(40, 14);
    swatch.fill(colourToQColor(colour, palette()));
    colourButton->setIcon(QIcon(swatch));
    colourButton->setIconSize(swatch.size());
    updateSample();
}

void FontColourDialog::updateSample()
{
    QFont f(fontName->currentText());
    f.setPointSizeF(fontSize->value());
    f.setBold(bold->isChecked());
    f.setItalic(italic->isChecked());
    f.setUnderline(underline->isChecked());
    f.setStrikeOut(strikethrough->isChecked());
    sample->setFont(f);
    QPalette pal = sample->palette();
    pal.setColor(QPalette::WindowText, colourToQColor(colour_, palette()));
    sample->setPalette(pal);
}
