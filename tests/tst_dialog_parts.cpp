// The colour swatch and its buttons, and the browse button, shared by the
// dialogs. (The width/height frame is tested through each dialog.)

#include "widgets/dialog_parts.h"
#include "support/scripted_platform.h"
#include "support/test_env.h"

// A swatch holding `before` and one click on its colour button (`pick`) or
// its default button; `answer` is what the colour dialog gives.
struct Click {
    ColourValue noColour, before;
    bool pick;
    std::optional<ColourValue> answer;
    ColourValue preselected, after;
};
Q_DECLARE_METATYPE(Click)

class TestDialogParts : public QObject {
    Q_OBJECT
private slots:
    void swatchPaintsItsValue_data()
    {
        QTest::addColumn<ColourValue>("value");
        QTest::addColumn<QColor>("painted");
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(1, 2, 3));
        qApp->setPalette(palette);
        QTest::newRow("RGB value, red in the low byte") << ColourValue(0x563412) << QColor(0x12, 0x34, 0x56);
        QTest::newRow("no colour: the button face") << kSysButtonFace << QColor(1, 2, 3);
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
        QTest::addColumn<Click>("c");
        // The colour dialog last chose 0x00AA00.
        const ColourValue face = kSysButtonFace, last = 0x00AA00;
        // The shared dialog opens on the colour it holds, not the swatch's,
        // and a Cancel leaves it and the swatch as they were.
        QTest::newRow("RGB swatch: the dialog's own colour, cancelled") << Click{face, 0xFF, true, {}, last, 0xFF};
        QTest::newRow("black counts as a colour") << Click{face, 0xFFFFFF, true, 0, last, 0};
        QTest::newRow("default button: the swatch's own no-colour value")
            << Click{kSysButtonText, 0, false, {}, last, kSysButtonText};
    }
    void colourButton()
    {
        QFETCH(Click, c);
        const auto &[noColour, before, pick, answer, preselected, after] = c;
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
    }

    // Chosen, then cancelled: the box keeps the choice as "file://" and the
    // path as given; the document filter and name are back after either.
    void browseButton()
    {
        ScriptedPlatform platform;
        OpenSaveDialog files(platform);
        QLineEdit box;
        QPushButton button;
        files.fileName = QStringLiteral("/web/page.htm"); // the document's
        connectBrowseButton(&button, &box, files, kSoundFilter, QStringLiteral("Choose a Sound"));
        platform.fileAnswers << QStringLiteral("C:\\a b.wav") << std::nullopt;
        for (int i = 0; i < 2; ++i) {
            button.click();
            const auto r = platform.fileRequests.value(i);
            QVERIFY(r.filter == kSoundFilter && r.title == "Choose a Sound" && !r.save);
            QCOMPARE(r.fileName, "/web/"); // an empty name in the document's folder
            QCOMPARE(box.text(), QStringLiteral("file://C:\\a b.wav"));
            QVERIFY(files.filter == kDocumentFilter && files.fileName == "/web/page.htm");
        }
    }

    // The first place of a modeless 400 x 300 window on a 1000 x 800 screen.
    void placeAside()
    {
        const QRect area(0, 0, 1000, 800);
        const struct { const char *name; QRect owner, keep; QPoint at; } rows[] = {
            {"room at the left only", {450, 0, 550, 400}, {450, 200, 550, 200}, {50, 0}},
            {"no room: over the preview above the text", area, {0, 400, 1000, 400}, {600, 0}},
            {"no room: left of the text", area, {500, 0, 500, 800}, {0, 0}}};
        for (const auto &r : rows)
            QVERIFY2(::placeAside({400, 300}, r.owner, r.keep, area) == r.at, r.name);
    }
};

VELMORA_TEST_MAIN(TestDialogParts)
#include "tst_dialog_parts.moc"
