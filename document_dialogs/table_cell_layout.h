#pragma once
// Layout pieces the table and cell dialogs have in common.

#include <QList>
#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ColourSwatch;

// A text box holding `text`, with `label` as its access-key buddy.
QLineEdit *buddyTextBox(QWidget *parent, const QString &text, QLabel *label);

struct SwatchRow {
    QPushButton *colourButton;
    QPushButton *defaultButton;
    ColourSwatch *swatch;
};

// The colour buttons stacked in pairs, each pair with its swatch beside it,
// as tall as the two buttons.
QGridLayout *swatchGrid(const QList<SwatchRow> &rows);
