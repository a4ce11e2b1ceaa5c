#include "options_dialogs/locations_dialog.h"

#include "core/locations.h"
#include "core/settings.h"
#include "options_dialogs/locations_owner.h"
#include "widgets/dialog_host.h"
#include "widgets/dialog_parts.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

const QString kProgramFilter =
    QStringLiteral("Application|") + kProgramPattern + QStringLiteral("|All files (*.*)|*.*");

frmLoc::frmLoc(DialogHost &host, LocationsOwner &owner)
    : QDialog(host.hostWindow()), host_(host), owner_(owner)
{
    setWindowTitle(QStringLiteral("Locations"));
    // A fixed dialog: a close box, no minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    buildControls();
    layOut();

    connect(Browse1, &QPushButton::clicked, this, &frmLoc::Browse1_Click);
    connect(Browse2, &QPushButton::clicked, this, &frmLoc::Browse2_Click);
    connect(Browse3, &QPushButton::clicked, this, &frmLoc::Browse3_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmLoc::cmdClose_Click);
    // Edits take effect at once: View in Browser reads them while the
    // dialog is still open.
    connect(txtBrowser, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!loading_)
            owner_.setBrowser(text);
    });
    connect(txtBrowserStartIn, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!loading_)
            owner_.setBrowserStartIn(text);
    });
    loadValues();
}

void frmLoc::buildControls()
{
    txtBrowser = new QLineEdit(this);
    lblBrowser = new QLabel(QStringLiteral("&Browser location (type '%HTML%' for the file):"), this);
    lblBrowser->setBuddy(txtBrowser);
    Browse1 = new QPushButton(QStringLiteral("&..."), this);

    txtBrowserStartIn = new QLineEdit(this);
    lblBrowserStartIn = new QLabel(QStringLiteral("Browser &start in location:"), this);
    lblBrowserStartIn->setBuddy(txtBrowserStartIn);
    Browse2 = new QPushButton(QStringLiteral("..."), this);

    lblTD = new QLabel(this);
    lblTD->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblTD->setTextFormat(Qt::PlainText);
    lblTD->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path must not widen the dialog; the tool tip shows it whole.
    lblTD->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lblTD->setMinimumHeight(txtBrowser->sizeHint().height());
    Browse3 = new QPushButton(QStringLiteral("..."), this);
    // The label's access key goes to the next control in tab order.
    lbllblTD = new QLabel(QStringLiteral("&Temp directory:"), this);
    lbllblTD->setBuddy(Browse3);

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setDefault(true);

    for (QLabel *label : {lblBrowser, lblBrowserStartIn, lbllblTD})
        label->setTextFormat(Qt::PlainText);
    for (QPushButton *browse : {Browse1, Browse2, Browse3})
        browse->setFixedWidth(twipsToPixels(375));

    const QList<QWidget *> chain = tabChain();
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    nameControls(this, "frmLoc", {
        {lblBrowser, "lblBrowser"},   {txtBrowser, "txtBrowser"},
        {Browse1, "Browse1"},         {lblBrowserStartIn, "lblBrowserStartIn"},
        {txtBrowserStartIn, "txtBrowserStartIn"}, {Browse2, "Browse2"},
        {lbllblTD, "lbllblTD"},       {lblTD, "lblTD"},
        {Browse3, "Browse3"},         {cmdClose, "cmdClose"}});
    unlimitedTextBoxes(this);
}

void frmLoc::layOut()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(lblBrowser, 0, 0, 1, 2);
    grid->addWidget(txtBrowser, 1, 0);
    grid->addWidget(Browse1, 1, 1);
    grid->addWidget(lblBrowserStartIn, 2, 0, 1, 2);
    grid->addWidget(txtBrowserStartIn, 3, 0);
    grid->addWidget(Browse2, 3, 1);
    grid->addWidget(lbllblTD, 4, 0, 1, 2);
    grid->addWidget(lblTD, 5, 0);
    grid->addWidget(Browse3, 5, 1);
    // Room between the rows that belong together.
    grid->setRowMinimumHeight(2, lblBrowserStartIn->sizeHint().height() + 6);
    grid->setRowMinimumHeight(4, lbllblTD->sizeHint().height() + 6);
    grid->setAlignment(lblBrowserStartIn, Qt::AlignBottom);
    grid->setAlignment(lbllblTD, Qt::AlignBottom);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addSpacing(6);
    outer->addLayout(buttons);
    setMinimumWidth(twipsToPixels(6000));
    // Wider for long paths, never taller.
    setFixedHeight(sizeHint().height());
}

QList<QWidget *> frmLoc::tabChain() const
{
    return {txtBrowser, Browse1, txtBrowserStartIn, Browse2, Browse3, cmdClose};
}

void frmLoc::loadValues()
{
    const LocationValues &values = owner_.locations();
    loading_ = true;
    if (txtBrowser->text() != values.browser)
        txtBrowser->setText(values.browser);
    if (txtBrowserStartIn->text() != values.browserStartIn)
        txtBrowserStartIn->setText(values.browserStartIn);
    loading_ = false;
    lblTD->setText(values.tempDir);
    lblTD->setToolTip(values.tempDir);
}

void frmLoc::showEvent(QShowEvent *event)
{
    loadValues();
    QDialog::showEvent(event);
}

bool frmLoc::bringToFront()
{
    if (!isVisible())
        return false;
    raise();
    activateWindow();
    return true;
}

void frmLoc::showModal()
{
    if (!bringToFront())
        exec();
}

void frmLoc::showModeless()
{
    if (bringToFront())
        return;
    setModal(false);
    show();
    raise();
    activateWindow();
}

void frmLoc::Browse1_Click()
{
    // The chosen program is quoted when it needs to be, so the command line
    // splits back into that program.
    const std::optional<QString> chosen = host_.fileDialog().borrowOpen(
        this, kProgramFilter, QStringLiteral("Choose your browser program"));
    if (chosen)
        txtBrowser->setText(locations::quoteWord(*chosen) + QStringLiteral(" %HTML%"));
}

void frmLoc::Browse2_Click()
{
    const std::optional<QString> folder = host_.platform().chooseFolder(
        this, QStringLiteral("Choose the browser start in location:"), txtBrowserStartIn->text());
    if (folder && !folder->isEmpty())
        txtBrowserStartIn->setText(*folder);
}

void frmLoc::Browse3_Click()
{
    const std::optional<QString> folder = host_.platform().chooseFolder(
        this, QStringLiteral("Choose the temp directory location:"), owner_.locations().tempDir);
    if (!folder || folder->isEmpty())
        return;
    owner_.setTempDir(*folder);
    loadValues();
}

void frmLoc::storeSettings()
{
    const std::optional<QString> error =
        settings::Store().set({{QStringLiteral("Browser"), txtBrowser->text()},
                               {QStringLiteral("BrowserSI"), txtBrowserStartIn->text()},
                               {QStringLiteral("TempDir"), lblTD->text()}});
    // Told as the exit sequence tells it; the dialog still closes.
    if (error)
        host_.platform().messageBox(this, *error, QStringLiteral("Velmora"), MsgIcon::Exclamation,
                                    MsgButtons::OK);
}

void frmLoc::cmdClose_Click()
{
    storeSettings();
    hide();
}

void frmLoc::reject()
{
    storeSettings();
    QDialog::reject();
}

void frmLoc::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous() && isVisible())
        reject();
    else
        hide();
    event->accept();
}
