#pragma once
// The font dialog of the editor: font name, size, the four effects and the
// text colour, with a sample. Qt's own font dialog offers no colour.

#include "widgets/platform.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QPushButton;

class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontColourDialog(QWidget *parent = nullptr);

    void setChoice(const FontChoice &choice);
    FontChoice choice() const;

    // The controls, for tests and for the colour button's own dialog.
    QFontComboBox *fontName = nullptr;
    QDoubleSpinBox *fontSize = nullptr;
    QCheckBox *bold = nullptr;
    QCheckBox *italic = nullptr;
    QCheckBox *underline = nullptr;
    QCheckBox *strikethrough = nullptr;
    QPushButton *colourButton = nullptr;
    QLabel *sample = nullptr;

    // The colour shown on the colour button; the button asks through this
    // function (a QColorDialog unless a test replaces it).
    std::function<std::optional<ColourValue>(QWidget *, ColourValue)> askColour;

private:
    void setColour(ColourValue colour);
    void updateSample();

    ColourValue colour_ = 0;
};
