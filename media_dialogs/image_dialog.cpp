#include "media_dialogs/image_dialog.h"

#include "widgets/dialog_parts.h"
#include "widgets/dialog_host.h"
#include "widgets/dialog_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmI::frmI(DialogHost &host) : QDialog(host.hostWindow()), host_(host)
{
    setWindowTitle(kImageTitle);
    setObjectName(QStringLiteral("frmI"));

    // Each label names the control below it and comes just before it in tab
    // order: its access key moves the focus there.
    auto label = [this](const QString &caption, const char *name) {
        return named(new QLabel(caption, this), name);
    };
    auto box = [this](QLabel *l, const char *name) {
        return named(buddyTextBox(this, QString(), l), name);
    };
    auto button = [this](const QString &caption, const char *name) {
        return named(new QPushButton(caption, this), name);
    };

    lblLink = label(QStringLiteral("&Hyperlink:"), "lblLink");
    txtLink = box(lblLink, "txtLink");
    lblTarget = label(QStringLiteral("&Target:"), "lblTarget");
    txtTarget = box(lblTarget, "txtTarget");
    lblImage = label(QStringLiteral("&Image source:"), "lblImage");
    txtImage = box(lblImage, "txtImage");
    lblLow = label(QStringLiteral("&Low source:"), "lblLow");
    txtLow = box(lblLow, "txtLow");
    lblAlt = label(QStringLiteral("T&ooltip text:"), "lblAlt");
    txtAlt = box(lblAlt, "txtAlt");
    lblAlign = label(QStringLiteral("&Align:"), "lblAlign");
    cmbAlign = new QComboBox(this); // a list without free text
    cmbAlign->setObjectName(QStringLiteral("cmbAlign"));
    cmbAlign->addItems(kImageAlignments);
    lblAlign->setBuddy(cmbAlign);

    lblBorder = label(QStringLiteral("&Border"), "lblBorder");
    txtBorder = box(lblBorder, "txtBorder");
    lblHspc = label(QStringLiteral("Horizonal &spacing:"), "lblHspc");
    txtHspc = box(lblHspc, "txtHspc");
    lblVspc = label(QStringLiteral("Vertical spacing:"), "lblVspc");
    txtVspc = box(lblVspc, "txtVspc");
    lblWidth = label(QStringLiteral("&Width:"), "lblWidth");
    txtWidth = box(lblWidth, "txtWidth");
    lblHeight = label(QStringLiteral("H&eight:"), "lblHeight");
    txtHeight = box(lblHeight, "txtHeight");

    cmdOK = button(QStringLiteral("&OK"), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = button(QStringLiteral("&Cancel"), "cmdCancel");
    cmdBrowse1 = button(QStringLiteral("&..."), "cmdBrowse1");
    cmdBrowse2 = button(QStringLiteral("..."), "cmdBrowse2");
    connect(cmdOK, &QPushButton::clicked, this, &frmI::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmI::cmdCancel_Click);
    connectBrowseButton(cmdBrowse1, txtImage, host_.fileDialog(), kImageFilter, kImageBrowseTitle);
    connectBrowseButton(cmdBrowse2, txtLow, host_.fileDialog(), kImageFilter, kLowImageBrowseTitle);

    // Two columns of 3735 twips; the source boxes leave room for a square
    // browse button as high as the box, so the two columns' rows line up.
    const int browseSide = txtImage->sizeHint().height();
    for (QPushButton *b : {cmdBrowse1, cmdBrowse2})
        b->setFixedSize(browseSide, browseSide);
    auto column = [](const QList<QWidget *> &widgets) {
        auto *c = new QVBoxLayout;
        c->setSpacing(2);
        for (QWidget *w : widgets)
            c->addWidget(w);
        return c;
    };
    auto withBrowse = [](QLineEdit *box, QPushButton *browse) {
        auto *row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(box);
        row->addWidget(browse);
        return row;
    };
    QVBoxLayout *left = column({lblLink, txtLink, lblTarget, txtTarget, lblImage});
    left->addLayout(withBrowse(txtImage, cmdBrowse1));
    left->addWidget(lblLow);
    left->addLayout(withBrowse(txtLow, cmdBrowse2));
    for (QWidget *w : QList<QWidget *>{lblAlt, txtAlt, lblAlign, cmbAlign})
        left->addWidget(w);
    left->addStretch();
    QVBoxLayout *right = column({lblBorder, txtBorder, lblHspc, txtHspc, lblVspc, txtVspc, lblWidth,
                                 txtWidth, lblHeight, txtHeight});
    right->addStretch();

    auto *columns = new QGridLayout;
    columns->setHorizontalSpacing(twipsToPixels(300));
    columns->addLayout(left, 0, 0);
    columns->addLayout(right, 0, 1);
    columns->setColumnMinimumWidth(0, twipsToPixels(3735));
    columns->setColumnMinimumWidth(1, twipsToPixels(3735));
    columns->addWidget(cmdOK, 1, 0, Qt::AlignLeft);
    columns->addWidget(cmdCancel, 1, 1, Qt::AlignRight);
    columns->setRowMinimumHeight(1, cmdOK->sizeHint().height() + 12);
    setLayout(columns);

    setTabChain(this, {txtLink, txtTarget, txtImage, txtLow, txtAlt, cmbAlign, txtBorder, txtHspc,
                       txtVspc, txtWidth, txtHeight, cmdOK, cmdCancel, cmdBrowse1, cmdBrowse2});

    // The client area: 8055 by 4815 twips, or larger if the fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixels(8055), twipsToPixels(4815))));
    unlimitedTextBoxes(this);

    Form_Load();
}

void frmI::Form_Load()
{
    cmbAlign->setCurrentIndex(0); // "bottom": no align attribute
}

ImageFields frmI::fields() const
{
    ImageFields f;
    f.link = txtLink->text();
    f.target = txtTarget->text();
    f.image = txtImage->text();
    f.low = txtLow->text();
    f.alt = txtAlt->text();
    f.alignIndex = cmbAlign->currentIndex();
    f.border = txtBorder->text();
    f.hspace = txtHspc->text();
    f.vspace = txtVspc->text();
    f.width = txtWidth->text();
    f.height = txtHeight->text();
    return f;
}

void frmI::cmdOK_Click()
{
    // The dialog hides before the Undo command takes the new name; refused,
    // it stays open for the source.
    host_.insertBuilt(this, buildImage(fields()), QStringLiteral("Insert Image"),
                      [this] { accept(); });
}

void frmI::cmdCancel_Click()
{
    reject(); // hides; Esc and the close box reject the same way
}
