// The colour swatch and its buttons, shared by the dialogs. (The browse
// button and the width/height frame are tested through each dialog.)

#include "widgets/dialog_parts.h"
#include "support/scripted_platform.h"
#include "support/test_env.h"

#include <QApplication>
#include <QPushButton>

using OptColour = std::optional<ColourValue>;
Q_DECLARE_METATYPE(OptColour)

class TestDialogParts : public QObject {
    Q_OBJECT
private slots:
    void swatchPaintsItsValue_data()
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
    void swatchPaintsItsValue()
    {
        QFETCH(ColourValue, value);
        QFETCH(QColor, painted);
        ColourSwatch swatch;
        swatch.setValue(value);
        const QImage image = swatch.grab().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), painted);
    }

    void colourButton_data()
    {
        QTest::addColumn<ColourValue>("noColour");
        QTest::addColumn<ColourValue>("before");
        QTest::addColumn<bool>("pick"); // the colour button, else the default button
        QTest::addColumn<OptColour>("answer");
        QTest::addColumn<ColourValue>("preselected");
        QTest::addColumn<ColourValue>("after");
        // The colour dialog last chose 0x00AA00.
        const ColourValue face = kSysButtonFace, last = 0x00AA00;
        QTest::newRow("no colour yet, confirmed") << face << face << true << OptColour(0x123456) << last
                                                  << ColourValue(0x123456);
        // The shared dialog opens on the colour it holds, not the swatch's,
        // and a Cancel leaves it and the swatch as they were.
        QTest::newRow("RGB swatch: the dialog's own colour, cancelled")
            << face << ColourValue(0xFF) << true << OptColour() << last << ColourValue(0xFF);
        QTest::newRow("black counts as a colour") << face << ColourValue(0xFFFFFF) << true << OptColour(0)
                                                  << last << ColourValue(0);
        QTest::newRow("default button") << face << ColourValue(0) << false << OptColour() << last << face;
        QTest::newRow("default button, text colour swatch")
            << kSysButtonText << face << false << OptColour() << last << kSysButtonText;
    }
    void colourButton()
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
        QPushButton colourButton(&window), defaultButton(&window);
        connectSwatchButtons(swatch, &colourButton, &defaultButton, dialog);
        swatch->setValue(before);
        if (pick)
            platform.colourAnswers << answer;
        (pick ? colourButton : defaultButton).click();
        QCOMPARE(platform.colourRequests.size(), pick ? 1 : 0);
        QCOMPARE(platform.colourRequests.value(0).current, pick ? preselected : 0);
        QCOMPARE(swatch->value(), after);
        QCOMPARE(swatch->colour().has_value(), after != noColour);
        QCOMPARE(dialog.colour, answer.value_or(0x00AA00));
        QCOMPARE(platform.unexpectedCalls, 0);
    }

};

VELMORA_TEST_MAIN(TestDialogParts)
#include "tst_dialog_parts.moc"
