// The pieces the dialogs share: colour swatch with its buttons, the browse
// button that borrows the file dialog, the width/height frame.

#include "document_dialogs/dialog_parts.h"
#include "support/scripted_platform.h"
#include "support/test_env.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using OptColour = std::optional<ColourValue>;
using OptPath = std::optional<QString>;
Q_DECLARE_METATYPE(OptColour)
Q_DECLARE_METATYPE(OptPath)

class TestDialogParts : public QObject {
    Q_OBJECT
private slots:
    void swatchPaintsItsValue_data();
    void swatchPaintsItsValue();
    void colourButton_data();
    void colourButton();
    void browse_data();
    void browse();
    void sizeFrameGroupsAreIndependent();
};

void TestDialogParts::swatchPaintsItsValue_data()
{
    QTest::addColumn<ColourValue>("value");
    QTest::addColumn<QColor>("painted");
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::ButtonText, QColor(4, 5, 6));
    qApp->setPalette(palette);

    QTest::newRow("RGB value, red in the low byte") << ColourValue(0x563412) << QColor(0x12, 0x34, 0x56);
    QTest::newRow("button face") << kSysButtonFace << QColor(1, 2, 3);
    QTest::newRow("button text") << kSysButtonText << QColor(4, 5, 6);
}

void TestDialogParts::swatchPaintsItsValue()
{
    QFETCH(ColourValue, value);
    QFETCH(QColor, painted);
    ColourSwatch swatch;
    swatch.setValue(value);
    const QImage image = swatch.grab().toImage();
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), painted);
}

void TestDialogParts::colourButton_data()
{
    QTest::addColumn<ColourValue>("noColour");
    QTest::addColumn<ColourValue>("before");
    QTest::addColumn<bool>("pick"); // the colour button, else the default button
    QTest::addColumn<OptColour>("answer");
    QTest::addColumn<ColourValue>("preselected");
    QTest::addColumn<ColourValue>("after");

    // The colour dialog last chose 0x00AA00.
    const ColourValue face = kSysButtonFace, last = 0x00AA00;
    QTest::newRow("no colour yet, confirmed")
        << face << face << true << OptColour(0x123456) << last << ColourValue(0x123456);
    QTest::newRow("RGB colour preselected, cancelled")
        << face << ColourValue(0xFF) << true << OptColour() << ColourValue(0xFF) << ColourValue(0xFF);
    QTest::newRow("no colour, cancelled") << face << face << true << OptColour() << last << face;
    QTest::newRow("black counts as a colour")
        << face << ColourValue(0xFFFFFF) << true << OptColour(0) << ColourValue(0xFFFFFF)
        << ColourValue(0);
    QTest::newRow("default button") << face << ColourValue(0) << false << OptColour() << last << face;
    QTest::newRow("default button, text colour swatch")
        << kSysButtonText << face << false << OptColour() << last << kSysButtonText;
}

void TestDialogParts::colourButton()
{
    QFETCH(ColourValue, noColour);
    QFETCH(ColourValue, before);
    QFETCH(bool, pick);
    QFETCH(OptColour, answer);
    QFETCH(ColourValue, preselected);
    QFETCH(ColourValue, after);

    ScriptedPlatform platform;
    ColourDialog dialog(platform);
    dialog.colour = 0x00AA00;
    QWidget window;
    auto *swatch = new ColourSwatch(&window, noColour);
    QCOMPARE(swatch->value(), noColour);
    auto *colourButton = new QPushButton(&window);
    auto *defaultButton = new QPushButton(&window);
    connectSwatchButtons(swatch, colourButton, defaultButton, dialog);
    swatch->setValue(before);
    if (pick)
        platform.colourAnswers << answer;

    (pick ? colourButton : defaultButton)->click();
    QCOMPARE(platform.colourRequests.size(), pick ? 1 : 0);
    if (pick)
        QCOMPARE(platform.colourRequests[0].current, preselected);
    QCOMPARE(swatch->value(), after);
    QCOMPARE(swatch->hasColour(), after != noColour);
    QCOMPARE(swatch->colour().has_value(), after != noColour);
    QCOMPARE(platform.unexpectedCalls, 0);
}

void TestDialogParts::browse_data()
{
    QTest::addColumn<OptPath>("answer");
    QTest::addColumn<QString>("text");

    QTest::newRow("Linux path") << OptPath("/home/u/a.wav") << "file:///home/u/a.wav";
    QTest::newRow("path kept as returned")
        << OptPath("C:\\snd\\my a.wav") << "file://C:\\snd\\my a.wav";
    QTest::newRow("cancelled") << OptPath() << "before";
}

void TestDialogParts::browse()
{
    QFETCH(OptPath, answer);
    QFETCH(QString, text);

    ScriptedPlatform platform;
    OpenSaveDialog files(platform);
    QWidget window;
    auto *box = new QLineEdit(QStringLiteral("before"), &window);
    auto *button = new QPushButton(&window);
    connectBrowseButton(button, box, files, kSoundFilter, QStringLiteral("Choose a Sound"));
    files.filter = QStringLiteral("left over|*.x");
    platform.fileAnswers << answer;

    button->click();
    QCOMPARE(platform.fileRequests.size(), 1);
    QCOMPARE(platform.fileRequests[0].filter, kSoundFilter);
    QCOMPARE(platform.fileRequests[0].title, QStringLiteral("Choose a Sound"));
    QVERIFY(!platform.fileRequests[0].save);
    QCOMPARE(box->text(), text);
    QCOMPARE(files.filter, kDocumentFilter);
    QCOMPARE(files.title, QStringLiteral("Choose a Sound"));
}

void TestDialogParts::sizeFrameGroupsAreIndependent()
{
    SizeFrame::Captions captions;
    captions.frame = QStringLiteral("Cell size:");
    captions.pixelsH = QStringLiteral("P&ixels");
    SizeFrame frame(captions);
    QCOMPARE(frame.title(), QStringLiteral("Cell size:"));
    QCOMPARE(frame.optPixelsH->text(), QStringLiteral("P&ixels"));
    QCOMPARE(frame.lblWidth->buddy(), frame.txtWidth);
    QCOMPARE(frame.widthUnit(), QStringLiteral("%"));
    QCOMPARE(frame.heightUnit(), QStringLiteral("%"));

    frame.optPixels->click();
    QCOMPARE(frame.widthUnit(), QString());
    QCOMPARE(frame.heightUnit(), QStringLiteral("%"));
    frame.optPixelsH->click();
    frame.optPercent->click();
    QCOMPARE(frame.widthUnit(), QStringLiteral("%"));
    QCOMPARE(frame.heightUnit(), QString());
    QVERIFY(frame.optPixelsH->isChecked() && !frame.optPercentH->isChecked());
}

VELMORA_TEST_MAIN(TestDialogParts)
#include "tst_dialog_parts.moc"
