#pragma once
// Pieces every dialog shares, written once:
//  - the colour swatch and the wiring of its colour button and default button;
//  - the browse button that borrows the main window's file dialog and always
//    gives it back with the document filter;
//  - the width/height frame with its two independent unit groups, used by the
//    table and cell dialogs.

#include "widgets/common_dialogs.h"
#include "core/conversions.h"
#include "widgets/platform.h"

#include <QFrame>
#include <QGroupBox>
#include <QString>
#include <optional>

#include <initializer_list>
#include <utility>

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QPushButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// A small framed box painted with the colour value it holds. It holds one
// optional colour: its no-colour value (the button face for every swatch but
// the styled text's text colour, which uses the button text) means "none".
class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget *parent = nullptr, ColourValue noColour = kSysButtonFace);

    ColourValue value() const { return value_; }
    void setValue(ColourValue value);
    ColourValue noColour() const { return noColour_; }
    // False while the swatch holds its no-colour value: it adds no attribute.
    bool hasColour() const { return value_ != noColour_; }
    // The colour for a builder: empty while the swatch holds no colour.
    std::optional<ColourValue> colour() const;
    // Puts back the no-colour value (the default buttons).
    void clear() { setValue(noColour_); }

    QSize sizeHint() const override;

signals:
    void valueChanged(ColourValue value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ColourValue value_;
    ColourValue noColour_;
};

// Shows the shared colour dialog for `swatch`, opening on the colour the
// dialog holds. On confirm the swatch takes the chosen colour; on cancel the
// swatch and the dialog keep their own. Returns whether a colour was chosen.
bool pickSwatchColour(ColourDialog &dialog, ColourSwatch &swatch, QWidget *parent);

// Wires a swatch's colour button (pick a colour) and default button (back to
// the no-colour value). The dialog parent of the colour dialog is the
// swatch's window. Either button may be null.
void connectSwatchButtons(ColourSwatch *swatch, QAbstractButton *colourButton,
                          QAbstractButton *defaultButton, ColourDialog &dialog);

// The file filters and titles the browse buttons use.
inline const QString kSoundFilter = QStringLiteral(
    "Wave Sound (*.wav)|*.wav|MIDI Sequence (*.mid;*.rmi)|*.mid;*.rmi|MP3 File (*.mp3)|*.mp3|All files (*.*)|*.*");
inline const QString kImageFilter = QStringLiteral(
    "JPG and GIF|*.jpg;*.jpeg;*.jfif;*.gif|JPEG Image (*.jpg)|*.jpg;*.jpeg;*.jfif|GIF Image (*.gif)|*.gif|All files (*.*)|*.*");
inline const QString kStyleSheetFilter =
    QStringLiteral("Cascading Style Sheet Document (*.css)|*.css|All files (*.*)|*.*");

// Borrows the shared file dialog (OpenSaveDialog::borrowOpen) and on success
// sets `target` to "file://" followed by the chosen path exactly as the
// dialog returned it. Returns whether a file was chosen; on cancel `target`
// is left unchanged.
bool browseForFile(OpenSaveDialog &dialog, QWidget *parent, const QString &filter,
                   const QString &title, QLineEdit *target);

// Wires a browse button to browseForFile for `target`, with the target's
// window as the file dialog's parent.
void connectBrowseButton(QAbstractButton *button, QLineEdit *target, OpenSaveDialog &dialog,
                         const QString &filter, const QString &title);

// The width/height frame of the table and cell dialogs: a width box with its
// percent/pixels options in the frame itself, and a height box whose options
// sit in an inner frame without caption, so the two groups are independent.
// Percent is selected in both at creation; both boxes start empty.
class SizeFrame : public QGroupBox {
    Q_OBJECT
public:
    struct Captions {
        QString frame;    // e.g. "&Table size:"
        QString width = QStringLiteral("&Width:");
        QString percent = QStringLiteral("&Percent");
        QString pixels = QStringLiteral("Pi&xles");
        QString height = QStringLiteral("&Height:");
        QString percentH = QStringLiteral("Percent");
        QString pixelsH = QStringLiteral("Pixels");
    };

    explicit SizeFrame(const Captions &captions, QWidget *parent = nullptr);

    QLabel *lblWidth = nullptr;
    QLineEdit *txtWidth = nullptr;
    QRadioButton *optPercent = nullptr;
    QRadioButton *optPixels = nullptr;
    QLabel *lblHeight = nullptr;
    QLineEdit *txtHeight = nullptr;
    QFrame *fraOpts = nullptr;
    QRadioButton *optPercentH = nullptr;
    QRadioButton *optPixelsH = nullptr;

    // "%" with percent selected, empty with pixels.
    QString widthUnit() const;
    QString heightUnit() const;

    // The focusable controls in tab order: txtWidth, optPercent, optPixels,
    // txtHeight, optPercentH, optPixelsH (the labels are their buddies).
    QList<QWidget *> tabChain() const;

private:
    QButtonGroup *widthGroup_ = nullptr;
    QButtonGroup *heightGroup_ = nullptr;
};

// The text of a multi-line box exactly as typed or pasted, every character
// kept (toPlainText() would make each no-break space a plain space), each
// line break it holds written as CR LF.
QString multiLineText(const QPlainTextEdit *box);
// Shift+Enter in `box` breaks the line as Enter does, so that a line
// separator (U+2028) in the box is only ever one that was pasted, and kept.
void plainLineBreaks(QPlainTextEdit *box);

// Every one-line box of `window` takes text of any length: a QLineEdit cuts
// what is typed, pasted or set at 32,767 characters, without a word.
void unlimitedTextBoxes(QWidget *window);

// A text box holding `text`, with `label` as its access-key buddy.
QLineEdit *buddyTextBox(QWidget *parent, const QString &text, QLabel *label);

// Chains the widgets' tab order in list order.
void setTabChain(QWidget *window, const QList<QWidget *> &chain);

// The OK button at the left, Cancel at the right.
QHBoxLayout *okCancelRow(QPushButton *ok, QPushButton *cancel);

// Object names as the controls' names in the design, for tests and
// accessibility tools: `window` (when `windowName` is given) and each of
// `controls`.
void nameControls(QWidget *window, const char *windowName,
                  std::initializer_list<std::pair<QWidget *, const char *>> controls);

// `widget` with the object name `name` (the control's name in the design).
template <class Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Where a window whose frame is `size` first shows beside its owner (the
// owner's frame `owner`) on `area`, the screen's available part: wholly on
// the area, hiding as little of `keep` (what the user works in) as it can,
// then as little of the owner; among equals right of the owner, left,
// below, above, then at the owner's corners or the area's.
QPoint placeAside(const QSize &size, const QRect &owner, const QRect &keep, const QRect &area);

// Twips of the dialog descriptions to pixels (15 twips to a pixel).
// Every label of `window` shows its text as written: no label guesses at
// markup (the cell advice names "<td>" and "</td>").
void plainTextLabels(QWidget *window);

constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}
