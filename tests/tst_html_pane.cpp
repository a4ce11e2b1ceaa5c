// The text pane: UTF-16 positions over Scintilla's UTF-8, line ends kept,
// change notifications, the selected text as one undo step, the uniform
// format, and the menu shortcuts that must get past the control.
#include "core/conversions.h"
#include "widgets/html_pane.h"
#include "support/test_env.h"

using Change = std::function<void(HTMLPane &)>;
Q_DECLARE_METATYPE(Change)

namespace {
const QString kAstral = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two code units

long sci(const HTMLPane &p, unsigned msg, unsigned long w = 0, long l = 0)
{
    return p.SendScintilla(msg, w, l);
}
} // namespace

class TestHTMLPane : public QObject {
    Q_OBJECT
private slots:
    void selection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("selected");
        const QString mixed = QStringLiteral("a\u00e9") + kAstral + QStringLiteral("b\r\n\u4e2dc\rd\ne");
        QTest::newRow("after two-byte char") << mixed << 2 << 2 << kAstral;
        QTest::newRow("after astral char") << mixed << 4 << 3 << "b\r\n";
        QTest::newRow("last line") << mixed << 11 << 2 << "\ne";
        QTest::newRow("length past end clamps") << mixed << 12 << 50 << "e";
        QTest::newRow("start past end clamps") << "abc" << 10 << 0 << "";
        QTest::newRow("byte-order mark kept") << QStringLiteral("\uFEFFab") << 0 << 2 << QStringLiteral("\uFEFFa");
        QTest::newRow("nul kept") << QString::fromUtf16(u"a\0b", 3) << 1 << 2 << QString::fromUtf16(u"\0b", 2);
    }
    void selection()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, selected);
        HTMLPane pane;
        pane.setWholeText(text);
        QVERIFY(pane.wholeText() == text && pane.textLength() == text.size());
        pane.setSelStart(start);
        QVERIFY(pane.selStart() == qMin<int>(start, text.size()) && pane.selLength() == 0);
        pane.setSelLength(length);
        QCOMPARE(pane.selText(), selected);
        QCOMPARE(pane.selLength(), selected.size());
    }

    void lineEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("enter");
        QTest::newRow("CR LF") << "a\r\nb\r\n" << "\r\n";
        QTest::newRow("CR") << "a\rb\r" << "\r";
        QTest::newRow("mixed, first is LF") << "a\nb\r\nc\r" << "\n";
        QTest::newRow("no line end: CR LF of a new document") << "abc" << "\r\n";
    }
    void lineEnds()
    {
        QFETCH(QString, text);
        QFETCH(QString, enter);
        HTMLPane pane;
        pane.setWholeText(text);
        pane.setSelStart(pane.textLength());
        QTest::keyClick(&pane, Qt::Key_Return);
        QCOMPARE(pane.wholeText(), text + enter);
        // Pasting through the selected text keeps foreign line ends too.
        pane.setSelText(QStringLiteral("x\ry\nz\r\n"));
        QCOMPARE(pane.wholeText(), text + enter + QStringLiteral("x\ry\nz\r\n"));
    }

    void changeNotification_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("typed over a selection") << Change([](HTMLPane &p) { QTest::keyClick(&p, Qt::Key_X); });
        QTest::newRow("whole text") << Change([](HTMLPane &p) { p.setWholeText("new"); });
        QTest::newRow("selected text") << Change([](HTMLPane &p) { p.setSelText("XY"); });
        QTest::newRow("control's own cut") << Change([](HTMLPane &p) { p.cut(); });
        QTest::newRow("direct Scintilla message, told afterwards")
            << Change([](HTMLPane &p) { p.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 2UL, "zz"); });
    }
    void changeNotification()
    {
        QFETCH(Change, change);
        HTMLPane pane;
        pane.setWholeText(QStringLiteral("abcdef"));
        pane.setSelText(QStringLiteral("1"));
        pane.setSelStart(2);
        pane.setSelLength(2);
        int count = 0;
        QString seen;
        connect(&pane, &HTMLPane::changed, &pane, [&] { ++count, seen = pane.wholeText(); });
        change(pane);
        QTRY_COMPARE(count, 1);
        QTest::qWait(10);
        QCOMPARE(count, 1);
        QCOMPARE(seen, pane.wholeText()); // notified after the change is complete
    }

    // Alt with a letter is a menu key or nothing; AltGr (Ctrl+Alt) types.
    void altKeysTypeNothing_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier) << "abc";
        QTest::newRow("Alt+Shift") << Qt::KeyboardModifiers(Qt::AltModifier | Qt::ShiftModifier) << "abc";
        QTest::newRow("Ctrl+Alt, as AltGr") << Qt::KeyboardModifiers(Qt::AltModifier | Qt::ControlModifier) << "abctkq";
    }
    void altKeysTypeNothing()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        HTMLPane pane;
        QTest::keyClicks(&pane, "abc");
        for (const char c : {'t', 'k', 'q'})
            QTest::keyClick(&pane, c, modifiers);
        QTEST(pane.wholeText(), "typed");
    }

    void setSelTextLeavesCaretAfterAndIsOneUndoStep()
    {
        HTMLPane pane;
        pane.setWholeText(QStringLiteral("abc"));
        pane.setSelStart(1);
        pane.setSelLength(1);
        const QString inserted = QStringLiteral("<\u00e9") + kAstral + QStringLiteral(">\r\n");
        pane.setSelText(inserted);
        QCOMPARE(pane.wholeText(), "a" + inserted + "c");
        QVERIFY(pane.selStart() == 1 + inserted.size() && pane.selLength() == 0);
        QTest::keyClick(&pane, Qt::Key_Q);
        pane.undo();
        QCOMPARE(pane.wholeText(), "a" + inserted + "c");
        pane.undo();
        QCOMPARE(pane.wholeText(), QStringLiteral("abc"));
        pane.setWholeText(QStringLiteral("fresh")); // a fresh history
        QVERIFY(!pane.isUndoAvailable());
    }

    // A document of one long line: taking it in, selecting it all for the
    // editor font and going back to the start (as Open does) costs about
    // what the same text in short lines costs (no layout of the whole
    // line), and the caret on it stays lit (a blink repaints the line).
    void longLine()
    {
        HTMLPane pane;
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        qint64 took[2];
        for (const bool oneLine : {false, true}) {
            QElapsedTimer t;
            t.start();
            pane.setWholeText((QStringLiteral("<b>word</b>") + (oneLine ? " " : "\n")).repeated(1 << 17));
            pane.setSelLength(pane.textLength());
            pane.setSelFormat(pane.selFormat());
            pane.setSelStart(0);
            took[oneLine] = t.elapsed();
        }
        QVERIFY2(took[1] < 5 * took[0] + 100, qPrintable(QString("%1 ms, in short lines %2 ms").arg(took[1]).arg(took[0])));
        QTRY_COMPARE(sci(pane, QsciScintillaBase::SCI_GETCARETPERIOD), 0L);
        pane.setWholeText("short");
        QTRY_VERIFY(sci(pane, QsciScintillaBase::SCI_GETCARETPERIOD) > 0);
    }

    void formatAndBackColour()
    {
        HTMLPane pane;
        FontChoice f{QStringLiteral("DejaVu Serif"), 10.5, true, true, true, true, 0x3366CC};
        pane.setSelFormat(f);
        using B = QsciScintillaBase;
        for (unsigned long style : {0UL, B::STYLE_DEFAULT + 0UL}) // the style of all text, and the default
            QVERIFY(sci(pane, B::SCI_STYLEGETSIZEFRACTIONAL, style) == 1050 && sci(pane, B::SCI_STYLEGETBOLD, style) &&
                    sci(pane, B::SCI_STYLEGETFORE, style) == 0x3366CC);
        // Typed text is struck through as well; without the effect it is not.
        QTest::keyClicks(&pane, QStringLiteral("ab"));
        QCOMPARE(sci(pane, B::SCI_INDICATORVALUEAT, 8, 1), 1L);
        f.strikethrough = false;
        pane.setSelFormat(f);
        QTest::keyClicks(&pane, QStringLiteral("c"));
        QCOMPARE(sci(pane, B::SCI_INDICATORVALUEAT, 8, 1) + sci(pane, B::SCI_INDICATORVALUEAT, 8, 2), 0L);
        // System colours resolve through the palette.
        QCOMPARE(pane.backColour(), kSysWindow);
        pane.setBackColour(kSysButtonFace);
        QCOMPARE(ColourValue(sci(pane, B::SCI_STYLEGETBACK, 0)),
                 qcolorToColour(pane.palette().color(QPalette::Button)));
        // Black never chosen, on a background never chosen, is the theme's
        // text colour (light on a dark theme); on a chosen one it is black.
        pane.setPalette(QPalette(Qt::white, Qt::black)); // white text on a black window
        f.colour = 0;
        pane.setSelFormat(f);
        QCOMPARE(sci(pane, B::SCI_STYLEGETFORE, 0), 0xFFFFFFL);
        pane.setBackColour(0xFFFFFF);
        QCOMPARE(sci(pane, B::SCI_STYLEGETFORE, 0), 0L);
    }

    // The pane has one stream selection: the block-selection keys, Ctrl
    // with the mouse, and a pasted block give a stream selection (or none),
    // and Cut removes exactly what is highlighted.
    void oneStreamSelection_data()
    {
        QTest::addColumn<Change>("gesture");
        const auto at = [](HTMLPane &p, int index) {
            const long pos = p.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, index / 5) + index % 5;
            return QPoint(int(p.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, pos)) + 1,
                          int(p.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, pos)) + 3);
        };
        QTest::newRow("Alt+Shift+Down, Alt+Shift+Right") << Change([](HTMLPane &p) {
            QTest::keyClick(&p, Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
            QTest::keyClick(&p, Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
        });
        QTest::newRow("Ctrl+drag from b to g") << Change([at](HTMLPane &p) {
            QTest::mousePress(p.viewport(), Qt::LeftButton, Qt::ControlModifier, at(p, 1));
            QMouseEvent move(QEvent::MouseMove, at(p, 7), p.viewport()->mapToGlobal(at(p, 7)),
                             Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
            QApplication::sendEvent(p.viewport(), &move);
            QTest::mouseRelease(p.viewport(), Qt::LeftButton, Qt::ControlModifier, at(p, 7));
            QVERIFY(p.selLength() > 0);
        });
        QTest::newRow("Ctrl+click adds no second caret") << Change([at](HTMLPane &p) {
            p.setSelLength(2);
            QTest::mouseClick(p.viewport(), Qt::LeftButton, Qt::ControlModifier, at(p, 12));
        });
        QTest::newRow("a block pasted from another editor") << Change([](HTMLPane &p) {
            auto *data = new QMimeData;
            data->setText(QStringLiteral("X\nY"));
            data->setData(QStringLiteral("text/x-qscintilla-rectangular"), "X\nY");
            QGuiApplication::clipboard()->setMimeData(data);
            p.paste();
            QCOMPARE(p.wholeText(), QStringLiteral("aX\nYbcd\nefgh\nijkl"));
            p.setSelStart(1);
            p.setSelLength(4);
        });
    }
    void oneStreamSelection()
    {
        QFETCH(Change, gesture);
        HTMLPane pane;
        pane.resize(300, 200);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.setWholeText(QStringLiteral("abcd\nefgh\nijkl"));
        pane.setSelStart(1);
        gesture(pane);
        QCOMPARE(sci(pane, QsciScintillaBase::SCI_GETSELECTIONS), 1L);
        QCOMPARE(sci(pane, QsciScintillaBase::SCI_SELECTIONISRECTANGLE), 0L);
        const QString before = pane.wholeText();
        const int start = pane.selStart();
        const QString selected = pane.selText();
        pane.cut();
        QCOMPARE(pane.wholeText(), before.left(start) + before.mid(start + selected.size()));
    }
};

VELMORA_TEST_MAIN(TestHTMLPane)
#include "tst_html_pane.moc"
