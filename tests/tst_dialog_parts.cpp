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
    void defaultButton_data();
    void defaultButton();
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
    QTest::addColumn<ColourValue>("before");
    QTest::addColumn<OptColour>("answer");
    QTest::addColumn<ColourValue>("preselected");
    QTest::addColumn<ColourValue>("after");

    // The colour dialog last chose 0x00AA00.
    QTest::newRow("no colour yet, confirmed")
        << kSysButtonFace << OptColour(0x123456) << ColourValue(0x00AA00) << ColourValue(0x123456);
    QTest::newRow("RGB colour is preselected, cancelled")
        << ColourValue(0x0000FF) << OptColour() << ColourValue(0x0000FF) << ColourValue(0x0000FF);
    QTest::newRow("no colour, cancelled")
        << kSysButtonFace << OptColour() << ColourValue(0x00AA00) << kSysButtonFace;
    QTest::newRow("black counts as a colour")
        << ColourValue(0xFFFFFF) << OptColour(0) << ColourValue(0xFFFFFF) << ColourValue(0);
}

void TestDialogParts::colourButton()
{
    QFETCH(ColourValue, before);
    QFETCH(OptColour, answer);
    QFETCH(ColourValue, preselected);
    QFETCH(ColourValue, after);

    ScriptedPlatform platform;
    ColourDialog dialog(platform);
    dialog.colour = 0x00AA00;
    QWidget window;
    auto *swatch = new ColourSwatch(&window);
    auto *pick = new QPushButton(&window);
    auto *reset = new QPushButton(&window);
    connectSwatchButtons(swatch, pick, reset, dialog);
    swatch->setValue(before);
    platform.colourAnswers << answer;

    pick->click();
    QCOMPARE(platform.colourRequests.size(), 1);
    QCOMPARE(platform.colourRequests[0].current, preselected);
    QCOMPARE(swatch->value(), after);
    QCOMPARE(swatch->hasColour(), after != kSysButtonFace);
    QCOMPARE(swatch->colour().has_value(), after != kSysButtonFace);
    QCOMPARE(platform.unexpectedCalls, 0);
}

void TestDialogParts::defaultButton_data()
{
    QTest::addColumn<ColourValue>("noColour");
    QTest::newRow("button face swatch") << kSysButtonFace;
    QTest::newRow("text colour swatch") << kSysButtonText;
}

void TestDialogParts::defaultButton()
{
    QFETCH(ColourValue, noColour);
    ScriptedPlatform platform;
    ColourDialog dialog(platform);
    QWidget window;
    auto *swatch = new ColourSwatch(&window, noColour);
    auto *reset = new QPushButton(&window);
    connectSwatchButtons(swatch, nullptr, reset, dialog);
    QCOMPARE(swatch->value(), noColour);
    QVERIFY(!swatch->hasColour());

    swatch->setValue(0x123456);
    QVERIFY(swatch->hasColour());
    reset->click();
    QCOMPARE(swatch->value(), noColour);
    QVERIFY(!swatch->colour());
    QCOMPARE(platform.requestCount(), 0);
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
