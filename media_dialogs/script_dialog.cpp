#include "media_dialogs/script_dialog.h"

#include "widgets/dialog_host.h"
#include "widgets/dialog_parts.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QFont frmS::scriptFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(9.75);
    if (QFontInfo(font).fixedPitch())
        return font;
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(9.75);
    return font;
}

frmS::frmS(DialogHost &host) : QDialog(host.hostWindow()), host_(host)
{
    setWindowTitle(QStringLiteral("Insert Script"));
    setObjectName(QStringLiteral("frmS"));

    txtScript = named(new QPlainTextEdit(this), "txtScript");
    txtScript->setFont(scriptFont());
    txtScript->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtScript->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtScript->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtScript->setTabChangesFocus(true); // Tab moves on, as in every other box
    plainLineBreaks(txtScript);
    optJS = named(new QRadioButton(QStringLiteral("&JavaScript"), this), "optJS");
    optVBS = named(new QRadioButton(QStringLiteral("&VBScript"), this), "optVBS");
    chkServer = named(new QCheckBox(QStringLiteral("&Run script on server"), this), "chkServer");
    optOther = named(new QRadioButton(QStringLiteral("O&ther:"), this), "optOther");
    txtOther = named(new QLineEdit(this), "txtOther");
    optJS->setChecked(true);
    chkServer->setEnabled(false);
    txtOther->setEnabled(false);
    for (QRadioButton *option : {optJS, optVBS, optOther})
        connect(option, &QRadioButton::toggled, this, &frmS::languageChanged);

    // Neither button is the default, so Enter never closes the dialog; a
    // button with the focus still takes Enter (keyPressEvent).
    cmdOK = named(new QPushButton(QStringLiteral("&OK"), this), "cmdOK");
    cmdCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");
    for (QPushButton *b : {cmdOK, cmdCancel})
        b->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &frmS::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmS::cmdCancel_Click);

    // Top: the languages at the left, OK over Cancel at the right; below,
    // the script box across the whole width.
    auto *languages = new QGridLayout;
    languages->setVerticalSpacing(2);
    languages->addWidget(optJS, 0, 0);
    languages->addWidget(optVBS, 1, 0);
    languages->addWidget(chkServer, 1, 1);
    languages->addWidget(optOther, 2, 0);
    languages->addWidget(txtOther, 2, 1);
    languages->setColumnMinimumWidth(1, twipsToPixels(2400));
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto *topRow = new QHBoxLayout;
    topRow->addLayout(languages);
    topRow->addStretch();
    topRow->addLayout(buttons);
    txtScript->setMinimumSize(twipsToPixels(9135), twipsToPixels(5055));
    auto *top = new QVBoxLayout(this);
    top->addLayout(topRow);
    top->addWidget(txtScript, 1);

    setTabChain(this, {txtScript, optJS, optVBS, chkServer, optOther, txtOther, cmdOK, cmdCancel});
    txtScript->setFocus(); // the first tab position holds the focus at first

    // The client area: 9375 by 6495 twips, or larger if the fonts need it.
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixels(9375), twipsToPixels(6495))));
    unlimitedTextBoxes(this);
}

void frmS::languageChanged()
{
    // Only the enabled states follow the language; the values stay.
    chkServer->setEnabled(optVBS->isChecked());
    txtOther->setEnabled(optOther->isChecked());
}

void frmS::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget())) {
            button->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

ScriptFields frmS::fields() const
{
    ScriptFields f;
    f.script = multiLineText(txtScript);
    f.language = optVBS->isChecked()     ? ScriptLanguage::VBScript
                 : optOther->isChecked() ? ScriptLanguage::Other
                                         : ScriptLanguage::JavaScript;
    f.server = chkServer->isChecked();
    f.otherLanguage = txtOther->text();
    return f;
}

void frmS::cmdOK_Click()
{
    host_.insertFragment(buildScript(fields()), QStringLiteral("Insert Script"));
    accept(); // hides; the script and the choices keep their values
}

void frmS::cmdCancel_Click()
{
    reject(); // hides; Esc and the close box reject the same way
}
