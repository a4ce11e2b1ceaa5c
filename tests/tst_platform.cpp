// The platform services: the shared common dialogs over the scripted
// platform, and the Qt implementation (message box, input box, file dialogs,
// the font dialog with colour).
#include "editor/common_dialogs.h"
#include "editor/font_dialog.h"
#include "support/scripted_platform.h"
#include "support/test_env.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

Q_DECLARE_METATYPE(MsgButtons)
Q_DECLARE_METATYPE(MsgResult)

namespace {
// Runs `act` on the modal dialog of type T once it is shown.
template <typename T>
void whenShown(std::function<void(T *)> act)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            act(dialog);
        }
    });
    timer->start(10);
}
} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void commonDialogs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("cancel");
        for (const char *kind : {"open", "save", "colour", "font"}) {
            QTest::addRow("%s chosen", kind) << kind << false;
            QTest::addRow("%s cancelled", kind) << kind << true;
        }
    }
    void commonDialogs()
    {
        QFETCH(QString, kind);
        QFETCH(bool, cancel);
        ScriptedPlatform p;
        OpenSaveDialog files(p);
        files.fileName = QStringLiteral("old.htm");
        ColourDialog colour(p);
        colour.colour = 0x112233;
        FontDialog font(p);
        FontChoice courier{QStringLiteral("Courier")};
        bool shown;
        if (kind == QLatin1String("colour")) {
            p.colourAnswers << (cancel ? std::nullopt : std::optional<ColourValue>(0x00FF00));
            shown = colour.show(nullptr);
            QCOMPARE(p.colourRequests.value(0).current, ColourValue(0x112233));
            QCOMPARE(colour.colour, ColourValue(cancel ? 0x112233 : 0x00FF00));
        } else if (kind == QLatin1String("font")) {
            p.fontAnswers << (cancel ? std::nullopt : std::optional<FontChoice>(courier));
            shown = font.show(nullptr);
            QCOMPARE(p.fontRequests.value(0), FontChoice());
            QCOMPARE(font.font, cancel ? FontChoice() : courier);
        } else {
            const bool save = kind == QLatin1String("save");
            p.fileAnswers << (cancel ? std::nullopt : std::optional<QString>(QStringLiteral("/x/new.htm")));
            shown = save ? files.showSave(nullptr) : files.showOpen(nullptr);
            QCOMPARE(p.fileRequests.value(0).save, save);
            QCOMPARE(p.fileRequests.value(0).filter, kDocumentFilter);
            QCOMPARE(p.fileRequests.value(0).fileName, QStringLiteral("old.htm"));
            QCOMPARE(files.fileName, cancel ? QStringLiteral("old.htm") : QStringLiteral("/x/new.htm"));
        }
        QCOMPARE(shown, !cancel);
        QCOMPARE(p.unexpectedCalls, 0);
        // An empty queue answers Cancel and is counted.
        QCOMPARE(p.messageBox(nullptr, "t", "T", MsgIcon::Question, MsgButtons::YesNo), MsgResult::Cancel);
        QCOMPARE(p.unexpectedCalls, 1);
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
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(qtNameFilters(filter), expected);
    }

    void qtMessageBox_data()
    {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<int>("press"); // a QMessageBox::StandardButton; 0: Escape
        QTest::addColumn<MsgResult>("expected");
        QTest::addColumn<int>("count");
        QTest::newRow("OK by Escape") << MsgButtons::OK << 0 << MsgResult::OK << 1;
        QTest::newRow("Yes") << MsgButtons::YesNo << int(QMessageBox::Yes) << MsgResult::Yes << 2;
        QTest::newRow("No") << MsgButtons::YesNoCancel << int(QMessageBox::No) << MsgResult::No << 3;
        QTest::newRow("Cancel by Escape") << MsgButtons::YesNoCancel << 0 << MsgResult::Cancel << 3;
    }
    void qtMessageBox()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(int, press);
        QFETCH(MsgResult, expected);
        QFETCH(int, count);
        bool shape = false; // the buttons asked for, the warning icon
        whenShown<QMessageBox>([&](QMessageBox *box) {
            shape = box->buttons().size() == count && box->icon() == QMessageBox::Warning;
            if (press)
                box->button(QMessageBox::StandardButton(press))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QVERIFY(QtPlatform().messageBox(nullptr, "text", "Title", MsgIcon::Exclamation, buttons) == expected);
        QVERIFY(shape);
    }

    void qtInputBoxCancelGivesEmpty()
    {
        QtPlatform qt;
        whenShown<QInputDialog>([](QInputDialog *d) { d->accept(); });
        QCOMPARE(qt.inputBox(nullptr, "Prompt", "Title", "default"), QStringLiteral("default"));
        whenShown<QInputDialog>([](QInputDialog *d) { d->reject(); });
        QCOMPARE(qt.inputBox(nullptr, "Prompt", "Title", "default"), QString());
    }

    void qtFileDialogs()
    {
        const QString missing = testenv::root() + QStringLiteral("/not there.htm");
        for (bool save : {false, true}) {
            bool anyFile = false, confirms = !save, saves = !save;
            whenShown<QFileDialog>([&](QFileDialog *d) {
                anyFile = d->fileMode() == QFileDialog::AnyFile && d->defaultSuffix().isEmpty();
                saves = d->acceptMode() == QFileDialog::AcceptSave;
                confirms = !d->testOption(QFileDialog::DontConfirmOverwrite);
                d->selectFile(missing);
                static_cast<QDialog *>(d)->accept();
            });
            QtPlatform qt;
            const FileDialogRequest request{kDocumentFilter, QStringLiteral("Choose"), missing};
            // A name that does not exist is accepted; Save asks before replacing.
            QCOMPARE((save ? qt.saveFile(nullptr, request) : qt.openFile(nullptr, request)).value_or(""), missing);
            QVERIFY(anyFile && saves == save && confirms == save);
            whenShown<QFileDialog>([](QFileDialog *d) { d->reject(); });
            QVERIFY(!qt.openFile(nullptr, request));
        }
    }

    void fontColourDialog()
    {
        for (const QString &name : {QFont(QStringLiteral("DejaVu Sans")).family(), QStringLiteral("MS Sans Serif")}) {
            FontChoice f{name, 10.5, true, false, true, false, 0x0000FF}; // the second is not installed
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
            whenShown<FontColourDialog>([](FontColourDialog *d) { d->reject(); });
            QVERIFY(!qt.chooseFont(nullptr, f));
            whenShown<FontColourDialog>([](FontColourDialog *d) { d->underline->setChecked(true), d->accept(); });
            f.underline = true;
            QCOMPARE(qt.chooseFont(nullptr, f).value_or(FontChoice()), f);
        }
    }
};

VELMORA_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
