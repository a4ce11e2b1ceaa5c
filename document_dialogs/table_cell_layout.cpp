#include "document_dialogs/table_cell_layout.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QGridLayout *swatchGrid(const QList<SwatchRow> &rows)
{
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(rows[i].colourButton, 2 * i, 0);
        grid->addWidget(rows[i].defaultButton, 2 * i + 1, 0);
        rows[i].swatch->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        grid->addWidget(rows[i].swatch, 2 * i, 1, 2, 1);
    }
    return grid;
}

void SizeColourControls::createSizeColourControls(QDialog *dialog, const SizeFrame::Captions &size,
                                                  const Captions &captions, ColourDialog &colour,
                                                  OpenSaveDialog &files)
{
    fraSize = new SizeFrame(size, dialog);

    auto button = [dialog](const QString &caption) { return new QPushButton(caption, dialog); };
    cmdBGc = button(QStringLiteral("Bac&kground colour"));
    cmdBGd = button(QStringLiteral("Back&ground default colour"));
    cmdBdCc = button(captions.borderColour);
    cmdBdCd = button(captions.borderDefault);
    cmdBdCdc = button(captions.borderDark);
    cmdBdCdd = button(captions.borderDarkDefault);
    cmdBdClc = button(captions.borderLight);
    cmdBdCld = button(captions.borderLightDefault);
    Pic1 = new ColourSwatch(dialog);
    Pic2 = new ColourSwatch(dialog);
    Pic3 = new ColourSwatch(dialog);
    Pic4 = new ColourSwatch(dialog);
    connectSwatchButtons(Pic1, cmdBGc, cmdBGd, colour);
    connectSwatchButtons(Pic2, cmdBdCc, cmdBdCd, colour);
    connectSwatchButtons(Pic3, cmdBdCdc, cmdBdCdd, colour);
    connectSwatchButtons(Pic4, cmdBdClc, cmdBdCld, colour);

    lblBackground = new QLabel(captions.background, dialog);
    txtBackground = buddyTextBox(dialog, QString(), lblBackground);
    Browse1 = button(QStringLiteral("&..."));
    connectBrowseButton(Browse1, txtBackground, files, kImageFilter, QStringLiteral("Choose an Image"));
    nameControls(dialog, nullptr, {{cmdBGc, "cmdBGc"}, {cmdBGd, "cmdBGd"}, {cmdBdCc, "cmdBdCc"},
                                   {cmdBdCd, "cmdBdCd"}, {cmdBdCdc, "cmdBdCdc"}, {cmdBdCdd, "cmdBdCdd"},
                                   {cmdBdClc, "cmdBdClc"}, {cmdBdCld, "cmdBdCld"}, {Pic1, "Pic1"},
                                   {Pic2, "Pic2"}, {Pic3, "Pic3"}, {Pic4, "Pic4"},
                                   {lblBackground, "lblBackground"}, {txtBackground, "txtBackground"},
                                   {Browse1, "Browse1"}});
}

QVBoxLayout *SizeColourControls::sizeColourColumn(QWidget *belowColours) const
{
    auto *colours = swatchGrid({{cmdBGc, cmdBGd, Pic1}, {cmdBdCc, cmdBdCd, Pic2},
                                {cmdBdCdc, cmdBdCdd, Pic3}, {cmdBdClc, cmdBdCld, Pic4}});
    if (belowColours)
        colours->addWidget(belowColours, 8, 0, 1, 2);
    auto *column = new QVBoxLayout;
    column->setSpacing(2);
    column->addLayout(colours);
    column->addSpacing(6);
    column->addWidget(lblBackground);
    auto *picture = new QHBoxLayout;
    picture->addWidget(txtBackground);
    picture->addWidget(Browse1);
    Browse1->setFixedWidth(Browse1->sizeHint().height() + 6);
    column->addLayout(picture);
    return column;
}

QList<QWidget *> SizeColourControls::sizeColourTabChain() const
{
    return fraSize->tabChain()
        + QList<QWidget *>{cmdBGc, cmdBGd, cmdBdCc, cmdBdCd, cmdBdCdc, cmdBdCdd, cmdBdClc, cmdBdCld,
                           txtBackground, Browse1};
}

void SizeColourControls::readSizeColourFields(SizeColourFields &f) const
{
    f.width = fraSize->txtWidth->text();
    f.widthPercent = fraSize->optPercent->isChecked();
    f.height = fraSize->txtHeight->text();
    f.heightPercent = fraSize->optPercentH->isChecked();
    f.background = txtBackground->text();
    f.backgroundColour = Pic1->value();
    f.borderColour = Pic2->value();
    f.borderColourDark = Pic3->value();
    f.borderColourLight = Pic4->value();
}
