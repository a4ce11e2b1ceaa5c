#include "widgets/dialog_parts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

// ---------------------------------------------------------------------------
// Colour swatch

ColourSwatch::ColourSwatch(QWidget *parent, ColourValue noColour)
    : QFrame(parent), value_(noColour), noColour_(noColour)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ColourSwatch::setValue(ColourValue value)
{
    if (value == value_)
        return;
    value_ = value;
    update();
    emit valueChanged(value_);
}

std::optional<ColourValue> ColourSwatch::colour() const
{
    if (!hasColour())
        return std::nullopt;
    return value_;
}

QSize ColourSwatch::sizeHint() const
{
    // About 375 by 255 twips, the size of the swatches in the dialogs.
    return {twipsToPixels(375), twipsToPixels(255)};
}

void ColourSwatch::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), colourToQColor(value_, palette()));
    }
    QFrame::paintEvent(event);
}

bool pickSwatchColour(ColourDialog &dialog, ColourSwatch &swatch, QWidget *parent)
{
    // The shared dialog opens on the colour it holds (the last one chosen
    // anywhere, or the one a caller set); a Cancel leaves it and the swatch
    // as they were.
    if (!dialog.show(parent))
        return false;
    // A colour from the colour dialog is always an RGB value.
    swatch.setValue(dialog.colour & 0x00FFFFFFu);
    return true;
}

void connectSwatchButtons(ColourSwatch *swatch, QAbstractButton *colourButton,
                          QAbstractButton *defaultButton, ColourDialog &dialog)
{
    if (colourButton) {
        QObject::connect(colourButton, &QAbstractButton::clicked, swatch, [swatch, &dialog] {
            pickSwatchColour(dialog, *swatch, swatch->window());
        });
    }
    if (defaultButton)
        QObject::connect(defaultButton, &QAbstractButton::clicked, swatch, &ColourSwatch::clear);
}

// ---------------------------------------------------------------------------
// Browse button

bool browseForFile(OpenSaveDialog &dialog, QWidget *parent, const QString &filter,
                   const QString &title, QLineEdit *target)
{
    const std::optional<QString> chosen = dialog.borrowOpen(parent, filter, title);
    if (!chosen)
        return false;
    // The file reference text: the path exactly as the dialog gives it.
    target->setText(QStringLiteral("file://") + *chosen);
    return true;
}

void connectBrowseButton(QAbstractButton *button, QLineEdit *target, OpenSaveDialog &dialog,
                         const QString &filter, const QString &title)
{
    QObject::connect(button, &QAbstractButton::clicked, target,
                     [target, &dialog, filter, title] {
                         browseForFile(dialog, target->window(), filter, title, target);
                     });
}

// ---------------------------------------------------------------------------
// Width/height frame

SizeFrame::SizeFrame(const Captions &captions, QWidget *parent) : QGroupBox(captions.frame, parent)
{
    lblWidth = new QLabel(captions.width, this);
    txtWidth = new QLineEdit(this);
    lblWidth->setBuddy(txtWidth);
    optPercent = new QRadioButton(captions.percent, this);
    optPixels = new QRadioButton(captions.pixels, this);
    optPercent->setChecked(true);
    widthGroup_ = new QButtonGroup(this);
    widthGroup_->addButton(optPercent);
    widthGroup_->addButton(optPixels);

    lblHeight = new QLabel(captions.height, this);
    txtHeight = new QLineEdit(this);
    lblHeight->setBuddy(txtHeight);
    fraOpts = new QFrame(this);
    fraOpts->setFrameStyle(QFrame::Box | QFrame::Sunken);
    optPercentH = new QRadioButton(captions.percentH, fraOpts);
    optPixelsH = new QRadioButton(captions.pixelsH, fraOpts);
    optPercentH->setChecked(true);
    heightGroup_ = new QButtonGroup(this);
    heightGroup_->addButton(optPercentH);
    heightGroup_->addButton(optPixelsH);

    auto *optsLayout = new QVBoxLayout(fraOpts);
    optsLayout->setContentsMargins(4, 2, 4, 2);
    optsLayout->setSpacing(2);
    optsLayout->addWidget(optPercentH);
    optsLayout->addWidget(optPixelsH);
    nameControls(this, "fraSize", {{lblWidth, "lblWidth"}, {txtWidth, "txtWidth"},
                                   {optPercent, "optPercent"}, {optPixels, "optPixels"},
                                   {lblHeight, "lblHeight"}, {txtHeight, "txtHeight"},
                                   {fraOpts, "fraOpts"}, {optPercentH, "optPercentH"},
                                   {optPixelsH, "optPixelsH"}});

    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    grid->addWidget(lblWidth, 0, 0);
    grid->addWidget(txtWidth, 1, 0);
    auto *widthOpts = new QVBoxLayout;
    widthOpts->setSpacing(2);
    widthOpts->addWidget(optPercent);
    widthOpts->addWidget(optPixels);
    grid->addLayout(widthOpts, 0, 1, 2, 1);
    grid->addWidget(lblHeight, 2, 0);
    grid->addWidget(txtHeight, 3, 0);
    grid->addWidget(fraOpts, 2, 1, 2, 1);

    const QList<QWidget *> chain = tabChain();
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

QString SizeFrame::widthUnit() const
{
    return optPercent->isChecked() ? QStringLiteral("%") : QString();
}

QString SizeFrame::heightUnit() const
{
    return optPercentH->isChecked() ? QStringLiteral("%") : QString();
}

QList<QWidget *> SizeFrame::tabChain() const
{
    return {txtWidth, optPercent, optPixels, txtHeight, optPercentH, optPixelsH};
}

#include "moc_dialog_parts.cpp"

QLineEdit *buddyTextBox(QWidget *parent, const QString &text, QLabel *label)
{
    auto *box = new QLineEdit(text, parent);
    label->setBuddy(box);
    return box;
}

void setTabChain(QWidget *window, const QList<QWidget *> &chain)
{
    for (int i = 1; i < chain.size(); ++i)
        window->setTabOrder(chain[i - 1], chain[i]);
}

QHBoxLayout *okCancelRow(QPushButton *ok, QPushButton *cancel)
{
    auto *row = new QHBoxLayout;
    row->addWidget(ok);
    row->addStretch();
    row->addWidget(cancel);
    return row;
}

void plainTextLabels(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
}

QString multiLineText(const QPlainTextEdit *box)
{
    // Each block of the document is one line; the blocks' own text is what
    // was typed, character for character.
    QString text;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        if (block.position() > 0)
            text += QStringLiteral("\r\n");
        text += block.text();
    }
    return text;
}

namespace {
class PlainLineBreaks : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || !(key->modifiers() & Qt::ShiftModifier))
            return false;
        QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ShiftModifier,
                        key->text(), key->isAutoRepeat(), ushort(key->count()));
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
};
} // namespace

void plainLineBreaks(QPlainTextEdit *box)
{
    box->installEventFilter(new PlainLineBreaks(box));
}

void nameControls(QWidget *window, const char *windowName,
                  std::initializer_list<std::pair<QWidget *, const char *>> controls)
{
    if (windowName)
        window->setObjectName(QLatin1String(windowName));
    for (const auto &[widget, name] : controls)
        widget->setObjectName(QLatin1String(name));
}

void unlimitedTextBoxes(QWidget *window)
{
    for (QLineEdit *box : window->findChildren<QLineEdit *>())
        box->setMaxLength(std::numeric_limits<int>::max());
}

QPoint placeAside(const QSize &size, const QRect &owner, const QRect &keep, const QRect &area)
{
    auto onArea = [&](int x, int y) {
        return QPoint(qBound(area.left(), x, std::max(area.left(), area.right() + 1 - size.width())),
                      qBound(area.top(), y, std::max(area.top(), area.bottom() + 1 - size.height())));
    };
    QList<QPoint> places = {onArea(owner.right() + 1, owner.top()),
                            onArea(owner.left() - size.width(), owner.top()),
                            onArea(owner.left(), owner.bottom() + 1),
                            onArea(owner.left(), owner.top() - size.height())};
    for (int y : {owner.top(), owner.bottom() + 1 - size.height(), area.top(), area.bottom() + 1 - size.height()})
        for (int x : {owner.right() + 1 - size.width(), owner.left(), area.right() + 1 - size.width(), area.left()})
            places << onArea(x, y);
    auto hidden = [&size](const QPoint &at, const QRect &r) {
        const QRect overlap = QRect(at, size).intersected(r);
        return qint64(overlap.width()) * overlap.height();
    };
    auto cost = [&](const QPoint &at) { return std::pair(hidden(at, keep), hidden(at, owner)); };
    return *std::min_element(places.begin(), places.end(),
                             [&](const QPoint &a, const QPoint &b) { return cost(a) < cost(b); });
}
