// The platform services: the shared common dialogs over the scripted
// platform, the file filter conversion, and the Qt implementation (message
// box mapping, the font dialog with colour).
#include "document_dialogs/cell_dialog.h"
#include "document_dialogs/new_dialog.h"
#include "document_dialogs/table_dialog.h"
#include "widgets/common_dialogs.h"
#include "widgets/font_dialog.h"
#include "support/fake_host.h"
#include "support/scripted_platform.h"
#include "support/modal_watch.h"
#include "support/test_env.h"

namespace {
const QString kMarkup = QStringLiteral("Can't open file: /tmp/<b>x</b>.htm");
// A title longer than the text of its box; a text beyond Qt's own limit of 32,767.
const QString kLongTitle = QStringLiteral("A title longer than the text of its box"), kPasted(40000, 'x');

// Whether `box` shows kLongTitle whole: in bold, with room for the title
// bar's icon and buttons.
bool wideForTitle(const QWidget *box)
{
    const QFont bold(box->font().family(), box->font().pointSize(), QFont::Bold);
    return box->width() >= QFontMetrics(bold).horizontalAdvance(kLongTitle) + 100;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    // Messages, prompts and the dialogs' labels are plain text: a file named
    // "<b>x</b>.htm" is not shown bold, the cell advice's "<td>" is shown.
    // The input box is as wide as its title needs and keeps a long pasted
    // text whole (the dialogs' boxes: tst_media_dialogs).
    void textsShownAsWritten()
    {
        QString shown;
        ModalWatch<QInputDialog> input([&](QInputDialog &dialog) {
            auto *label = dialog.findChild<QLabel *>();
            shown = label && label->textFormat() == Qt::PlainText && wideForTitle(&dialog) ? label->text() : "markup";
            dialog.findChild<QLineEdit *>()->setText(kPasted);
            dialog.accept();
        });
        QCOMPARE(QtPlatform().inputBox(nullptr, kMarkup, kLongTitle, QString()), kPasted);
        QCOMPARE(shown, kMarkup); // the message box's text is the message box test's

        FakeHost host;
        frmNew newPage(host);
        frmT table(host);
        frmC cell(host);
        FontColourDialog font;
        for (QWidget *dialog : std::initializer_list<QWidget *>{&newPage, &table, &cell, &font})
            for (QLabel *label : dialog->findChildren<QLabel *>())
                QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(dialog->windowTitle() + ": " + label->text()));
    }

    // The shared file and font dialogs ask the platform with what they hold,
    // and a Cancel keeps it (the colour dialog's part is the colour button's
    // test).
    void commonDialogs_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("chosen") << false;
        QTest::newRow("cancelled: the old values stay") << true;
    }
    void commonDialogs()
    {
        QFETCH(bool, cancel);
        ScriptedPlatform p;
        const FontChoice courier{QStringLiteral("Courier")}, old{QStringLiteral("Old"), 9};
        const auto file = cancel ? std::nullopt : std::optional<QString>(QStringLiteral("/x/new.htm"));
        p.fileAnswers << file << file;
        p.fontAnswers << (cancel ? std::nullopt : std::optional<FontChoice>(courier));
        for (bool save : {false, true}) {
            OpenSaveDialog files(p);
            files.fileName = QStringLiteral("old.htm");
            QCOMPARE(save ? files.showSave(nullptr) : files.showOpen(nullptr), !cancel);
            const auto request = p.fileRequests.value(save);
            QVERIFY(request.save == save && request.filter == kDocumentFilter && request.fileName == "old.htm");
            QCOMPARE(files.fileName, file.value_or("old.htm"));
        }
        FontDialog font(p);
        font.font = old;
        QCOMPARE(font.show(nullptr), !cancel);
        QCOMPARE(p.fontRequests.value(0), old);
        QCOMPARE(font.font, cancel ? old : courier);
        QCOMPARE(p.unexpectedCalls, 0);
    }

    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("document filter") << kDocumentFilter
            << QStringList{"Microsoft HTML Document 5.0 (*.htm;*.html) (*.htm *.html)",
                           "Text Document (*.txt) (*.txt)", "All files (*.*) (*)"};
        QTest::newRow("empty pattern") << "Any|" << QStringList{"Any (*)"};
        QTest::newRow("dangling description") << "A|*.a|B" << QStringList{"A (*.a)"};
        QTest::newRow("programs") << "Application|<programs>|All files (*.*)|*.*"
                                  << QStringList{"Application (*)", "All files (*.*) (*)"};
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(qtNameFilters(filter), expected);
    }

    // The programs filter lists folders and files the user may run; "All
    // files" lists every file.
    void programFilter()
    {
        const QString dir = testenv::root() + "/programs";
        QVERIFY(QDir().mkpath(dir + "/sub"));
        QVERIFY(QFile(dir + "/notes.txt").open(QIODevice::WriteOnly) && QFile(dir + "/run").open(QIODevice::WriteOnly));
        QVERIFY(QFile::setPermissions(dir + "/run", QFile::ReadOwner | QFile::ExeOwner));
        QStringList shown[2];
        ModalWatch<QFileDialog> files([&](QFileDialog &dialog) {
            QFileDialog *d = &dialog;
            auto *view = d->findChild<QListView *>("listView");
            auto *types = d->findChild<QComboBox *>("fileTypeCombo");
            const auto names = [view] {
                QStringList n;
                for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
                    n << view->model()->index(r, 0, view->rootIndex()).data().toString();
                n.sort();
                return n;
            };
            QTRY_VERIFY(!(shown[0] = names()).isEmpty());
            types->setCurrentIndex(1);
            emit types->activated(1);
            QTRY_COMPARE((shown[1] = names()).size(), 3);
            d->reject();
        });
        QtPlatform().openFile(nullptr, {"Application|<programs>|All files (*.*)|*.*", "t", dir + "/x"});
        QCOMPARE(shown[0], QStringList({"run", "sub"}));
        QCOMPARE(shown[1], QStringList({"notes.txt", "run", "sub"}));
    }

    // Qt's own dialogs are driven only as far as our mapping onto them goes;
    // the text is shown as written.
    void qtMessageBox()
    {
        using B = QMessageBox;
        // The icon asked for and Qt's, the buttons, the button pressed (NoButton: Escape), the answer.
        const std::tuple<MsgIcon, B::Icon, MsgButtons, B::StandardButton, MsgResult> cases[] = {
            {MsgIcon::Information, B::Information, MsgButtons::OK, B::NoButton, MsgResult::OK},
            {MsgIcon::Exclamation, B::Warning, MsgButtons::YesNo, B::Yes, MsgResult::Yes},
            {MsgIcon::Critical, B::Critical, MsgButtons::YesNoCancel, B::No, MsgResult::No},
            {MsgIcon::Question, B::Question, MsgButtons::YesNoCancel, B::NoButton, MsgResult::Cancel},
        };
        for (const auto &[icon, qtIcon, buttons, press, expected] : cases) {
            qsizetype shown = -1; // the buttons, under the right icon
            ModalWatch<QMessageBox> answer([&, want = qtIcon, key = press](QMessageBox &box) {
                auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
                const bool plain = label && label->textFormat() == Qt::PlainText && label->text() == kMarkup && wideForTitle(&box);
                shown = box.icon() == want && plain ? box.buttons().size() : 0;
                if (key)
                    box.button(key)->click();
                else
                    QTest::keyClick(&box, Qt::Key_Escape);
            });
            const MsgResult result = QtPlatform().messageBox(nullptr, kMarkup, kLongTitle, icon, buttons);
            // OK; Yes, No; Yes, No, Cancel
            QVERIFY2(result == expected && shown == int(buttons) + 1, qPrintable(QString::number(int(icon))));
        }
    }

    void fontColourDialog()
    {
        FontChoice f{QStringLiteral("MS Sans Serif"), 10.5, true, false, true, false, 0x0000FF}; // not installed
        FontColourDialog dialog;
        dialog.setChoice(f);
        QCOMPARE(dialog.choice(), f);
        QVERIFY(dialog.sample->font().strikeOut());
        QCOMPARE(dialog.sample->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        // The colour button; a cancelled colour keeps the old one.
        QList<std::optional<ColourValue>> answers{ColourValue(0x00FF00), std::nullopt};
        dialog.askColour = [&](QWidget *, ColourValue) { return answers.takeFirst(); };
        dialog.colourButton->click();
        dialog.colourButton->click();
        QCOMPARE(dialog.choice().colour, ColourValue(0x00FF00));
        // Through the platform: Cancel is no choice; OK gives the edited one.
        QtPlatform qt;
        {
            ModalWatch<FontColourDialog> cancel([](FontColourDialog &d) { d.reject(); });
            QVERIFY(!qt.chooseFont(nullptr, f));
        }
        ModalWatch<FontColourDialog> underline([](FontColourDialog &d) { d.underline->setChecked(true), d.accept(); });
        f.underline = true;
        QCOMPARE(qt.chooseFont(nullptr, f).value_or(FontChoice()), f);
    }
};

VELMORA_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
