#pragma once
// The controls and layout pieces the table and cell dialogs have in common.

#include "widgets/dialog_parts.h"
#include "document_dialogs/table_builder.h"

#include <QList>
#include <QString>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

struct SwatchRow {
    QPushButton *colourButton;
    QPushButton *defaultButton;
    ColourSwatch *swatch;
};

// The colour buttons stacked in pairs, each pair with its swatch beside it,
// as tall as the two buttons.
QGridLayout *swatchGrid(const QList<SwatchRow> &rows);

// The size frame, the eight colour buttons with their four swatches (Pic1 the
// background, Pic2 the border, Pic3 its dark and Pic4 its light side) and the
// background picture with its browse button, which the table and the cell
// dialogs both carry. Each dialog derives from this beside QDialog, so the
// controls stay its own members.
struct SizeColourControls {
    // The captions that differ between the dialogs: the six border buttons
    // and the picture label (their access keys avoid the dialog's others).
    struct Captions {
        QString borderColour, borderDefault;
        QString borderDark, borderDarkDefault;
        QString borderLight, borderLightDefault;
        QString background;
    };

    SizeFrame *fraSize = nullptr; // txtWidth, optPercent, ..., fraOpts, optPixelsH
    QPushButton *cmdBGc = nullptr, *cmdBGd = nullptr;
    QPushButton *cmdBdCc = nullptr, *cmdBdCd = nullptr;
    QPushButton *cmdBdCdc = nullptr, *cmdBdCdd = nullptr;
    QPushButton *cmdBdClc = nullptr, *cmdBdCld = nullptr;
    ColourSwatch *Pic1 = nullptr, *Pic2 = nullptr, *Pic3 = nullptr, *Pic4 = nullptr;
    QLabel *lblBackground = nullptr;
    QLineEdit *txtBackground = nullptr;
    QPushButton *Browse1 = nullptr;

protected:
    // Creates the controls in `dialog`, in tab order, and wires the colour
    // buttons to the shared colour dialog and the browse button to the shared
    // file dialog with the image filter.
    void createSizeColourControls(QDialog *dialog, const SizeFrame::Captions &size, const Captions &captions,
                                  ColourDialog &colour, OpenSaveDialog &files);

    // The right-hand column's top: the colour buttons in pairs beside their
    // swatches (with `belowColours`, if any, under them in the same grid),
    // then the picture label and the picture box with its browse button.
    QVBoxLayout *sizeColourColumn(QWidget *belowColours = nullptr) const;

    // The size frame's controls, the colour buttons, the picture box and its
    // browse button, in tab order.
    QList<QWidget *> sizeColourTabChain() const;

    // Copies the controls' values into the builder's shared fields.
    void readSizeColourFields(SizeColourFields &fields) const;
};
