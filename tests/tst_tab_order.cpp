// Tab order: from its first control, Tab visits every focusable control of
// each dialog in the order the design gives (labels take no focus), and
// nothing else.
#include "document_dialogs/cell_dialog.h"
#include "document_dialogs/new_dialog.h"
#include "document_dialogs/table_dialog.h"
#include "media_dialogs/image_dialog.h"
#include "media_dialogs/marquee_dialog.h"
#include "media_dialogs/script_dialog.h"
#include "options_dialogs/locations_dialog.h"
#include "options_dialogs/locations_owner.h"
#include "support/fake_host.h"
#include "support/test_env.h"
#include "text_dialogs/rule_dialog.h"
#include "text_dialogs/tag_dialog.h"

#include <memory>

namespace {
struct NoLocations : LocationsOwner {
    LocationValues values;
    const LocationValues &locations() const override { return values; }
    void setBrowser(const QString &) override {}
    void setBrowserStartIn(const QString &) override {}
    void setTempDir(const QString &) override {}
};
using Make = std::function<QDialog *(FakeHost &, LocationsOwner &)>;
template <class Dialog>
QDialog *make(FakeHost &host, LocationsOwner &owner)
{
    if constexpr (std::is_same_v<Dialog, frmLoc>)
        return new Dialog(host, owner);
    else
        return new Dialog(host);
}
// The size frame and the colours the table and cell dialogs share.
const QString kSizeColours = "txtWidth optPercent optPixels txtHeight optPercentH optPixelsH cmdBGc cmdBGd "
                             "cmdBdCc cmdBdCd cmdBdCdc cmdBdCdd cmdBdClc cmdBdCld txtBackground Browse1";
} // namespace
Q_DECLARE_METATYPE(Make)

class TestTabOrder : public QObject {
    Q_OBJECT
private slots:
    void chain_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("order");
        QTest::newRow("frmNew") << Make(make<frmNew>) << "txtTitle cmdBC cmdDef txtST txtBase txtTarget cmdC1 Def1 cmdC2 "
            "Def2 cmdC3 Def3 cmdC4 Def4 txtSound Browse1 chkLoop txtLoop txtImage Browse2 chkWater txtMarginT "
            "txtMarginL txtCSS Browse3 cmdReset cmdOK cmdCancel";
        QTest::newRow("frmT") << Make(make<frmT>) << "cmbAlign txtBorderSize txtCellPadding txtCellSpacing "
            + kSizeColours + " txtColumns txtRows cmdOK cmdCancel";
        QTest::newRow("frmC") << Make(make<frmC>) << "cmbHAlign cmbVAlign txtR txtH chkHeader chkWrap "
            + kSizeColours + " cmdOK cmdCancel";
        QTest::newRow("frmI") << Make(make<frmI>) << "txtLink txtTarget txtImage txtLow txtAlt cmbAlign txtBorder "
            "txtHspc txtVspc txtWidth txtHeight cmdOK cmdCancel cmdBrowse1 cmdBrowse2";
        QTest::newRow("frmM") << Make(make<frmM>) << "txtText optLeft optRight txtDelay txtPixels cmbBehave cmbAlign "
            "optInfinite optRepeat txtRepeat txtWidth optPixW optPerW txtHeight Option3 optPerH cmdColour cmdDef "
            "cmdOK cmdCancel";
        QTest::newRow("frmS") << Make(make<frmS>) << "txtScript optJS optVBS chkServer optOther txtOther cmdOK cmdCancel";
        QTest::newRow("frmH") << Make(make<frmH>) << "txtSize cmbAlign chkShade cmdColour cmdDef txtWidth optPixels "
            "optPercent cmdOK mnuCancel";
        QTest::newRow("frmTag") << Make(make<frmTag>) << "cmdLeft cmdRight cmdAmp cmdQuot cmdBlank cmdBold1 cmdBold0 "
            "cmdItalic1 cmdItalic0 cmdUnderline1 cmdUnderline0 cmdStrikethrough1 cmdStrikethrough0 cmdTypewriter1 "
            "cmdTypewriter0 optOpen optClose cmbStyle cmdInsertStyle lstFont cmdRFL lstSize lstAlign cmdTC cmdDef "
            "cmdBC cmdDefB txtText cmdInsertText cmdClose";
        QTest::newRow("frmLoc") << Make(make<frmLoc>) << "txtBrowser Browse1 txtBrowserStartIn Browse2 Browse3 cmdClose";
    }
    void chain()
    {
        QFETCH(Make, make);
        QFETCH(QString, order);
        FakeHost host;
        NoLocations owner;
        const std::unique_ptr<QDialog> dialog(make(host, owner));
        dialog->show();
        // The chain Tab follows (among option buttons of one group, Tab
        // itself stops only at the selected one, as the system does).
        QStringList names;
        for (QWidget *w : focusChain(dialog.get(), dialog->findChild<QWidget *>(order.section(' ', 0, 0))))
            names << w->objectName();
        QCOMPARE(names.join(' '), order);
    }
};

VELMORA_TEST_MAIN(TestTabOrder)
#include "tst_tab_order.moc"
