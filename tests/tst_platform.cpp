// The platform services: the shared common dialogs over the scripted
// platform, the scripted platform's own defaults, and the Qt implementation
// (message box, input box, file dialogs, the font dialog with colour).
#include "editor/common_dialogs.h"
#include "editor/conversions.h"
#include "editor/font_dialog.h"
#include "support/scripted_platform.h"
#include "support/test_env.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace {

// Runs `act` on the modal dialog of type T once it is shown.
template <typename T>
void whenShown(std::function<void(T *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
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
        OpenSaveDialog fileDialog(p);
        fileDialog.title = QStringLiteral("Open");
        fileDialog.fileName = QStringLiteral("old.htm");
        ColourDialog colourDialog(p);
        colourDialog.colour = 0x112233;
        colourDialog.customColours = {1, 2, 3};
        FontDialog fontDialog(p);
        FontChoice chosenFont;
        chosenFont.name = QStringLiteral("Courier");
        chosenFont.size = 12;
        chosenFont.colour = 0xFF;

        bool shown = false;
        if (kind == QLatin1String("open") || kind == QLatin1String("save")) {
            p.fileAnswers << (cancel ? std::nullopt : std::optional<QString>(QStringLiteral("/x/new.htm")));
            shown = kind == QLatin1String("open") ? fileDialog.showOpen(nullptr) : fileDialog.showSave(nullptr);
            QCOMPARE(p.fileRequests.size(), 1);
            QCOMPARE(p.fileRequests[0].save, kind == QLatin1String("save"));
            QCOMPARE(p.fileRequests[0].filter, kDocumentFilter);
            QCOMPARE(p.fileRequests[0].fileName, QStringLiteral("old.htm"));
            QCOMPARE(fileDialog.fileName, cancel ? QStringLiteral("old.htm") : QStringLiteral("/x/new.htm"));
        } else if (kind == QLatin1String("colour")) {
            p.colourAnswers << (cancel ? std::nullopt : std::optional<ColourValue>(0x00FF00));
            shown = colourDialog.show(nullptr);
            QCOMPARE(p.colourRequests.size(), 1);
            QCOMPARE(p.colourRequests[0].current, ColourValue(0x112233));
            QCOMPARE(p.colourRequests[0].customColours, QList<ColourValue>({1, 2, 3}));
            QCOMPARE(colourDialog.colour, ColourValue(cancel ? 0x112233 : 0x00FF00));
        } else {
            p.fontAnswers << (cancel ? std::nullopt : std::optional<FontChoice>(chosenFont));
            shown = fontDialog.show(nullptr);
            QCOMPARE(p.fontRequests.size(), 1);
            QCOMPARE(p.fontRequests[0], FontChoice());
            QCOMPARE(fontDialog.font, cancel ? FontChoice() : chosenFont);
        }
        QCOMPARE(shown, !cancel);
        QCOMPARE(p.unexpectedCalls, 0);
        QVERIFY(p.allAnswersUsed());
    }

    void scriptedDefaults()
    {
        ScriptedPlatform p;
        QCOMPARE(p.messageBox(nullptr, "t", "T", MsgIcon::Exclamation, MsgButtons::OK), MsgResult::OK);
        QCOMPARE(p.messageBox(nullptr, "t", "T", MsgIcon::Question, MsgButtons::YesNo), MsgResult::Cancel);
        QCOMPARE(p.messageBox(nullptr, "t", "T", MsgIcon::Question, MsgButtons::YesNoCancel), MsgResult::Cancel);
        QCOMPARE(p.inputBox(nullptr, "prompt", "T", "default"), QString());
        QVERIFY(!p.openFile(nullptr, {}));
        QList<ColourValue> custom;
        QVERIFY(!p.chooseColour(nullptr, 0, custom));
        QVERIFY(!p.chooseFont(nullptr, {}));
        QVERIFY(!p.chooseFolder(nullptr, "where"));
        QVERIFY(!p.startProcess("xdg-open x", "/"));
        QCOMPARE(p.unexpectedCalls, 9);
        QCOMPARE(p.requestCount(), 9);
        p.messageAnswers << MsgResult::No;
        QCOMPARE(p.messageBox(nullptr, "t", "T", MsgIcon::Question, MsgButtons::YesNo), MsgResult::No);
        QCOMPARE(p.unexpectedCalls, 9);
        QCOMPARE(p.messages.last().icon, MsgIcon::Question);
    }

    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("document filter") << kDocumentFilter
            << QStringList{"Microsoft HTML Document 5.0 (*.htm;*.html) (*.htm *.html)",
                           "Text Document (*.txt) (*.txt)", "All files (*.*) (*)"};
        QTest::newRow("one pair") << "Pictures|*.gif;*.jpg" << QStringList{"Pictures (*.gif *.jpg)"};
        QTest::newRow("empty pattern") << "Any|" << QStringList{"Any (*)"};
        QTest::newRow("dangling description") << "A|*.a|B" << QStringList{"A (*.a)"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(qtNameFilters(filter), expected);
    }

    void qtMessageBox_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press"); // QMessageBox::StandardButton, 0: Escape
        QTest::addColumn<int>("expected");
        QTest::addColumn<QStringList>("captions");
        const QStringList ok{"OK"}, yn{"&Yes", "&No"}, ync{"&Yes", "&No", "Cancel"};
        QTest::newRow("OK") << int(MsgButtons::OK) << int(QMessageBox::Ok) << int(MsgResult::OK) << ok;
        QTest::newRow("OK by Escape") << int(MsgButtons::OK) << 0 << int(MsgResult::OK) << ok;
        QTest::newRow("Yes") << int(MsgButtons::YesNo) << int(QMessageBox::Yes) << int(MsgResult::Yes) << yn;
        QTest::newRow("No") << int(MsgButtons::YesNoCancel) << int(QMessageBox::No) << int(MsgResult::No) << ync;
        QTest::newRow("Cancel by Escape") << int(MsgButtons::YesNoCancel) << 0 << int(MsgResult::Cancel) << ync;
    }
    void qtMessageBox()
    {
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, expected);
        QFETCH(QStringList, captions);
        QStringList seen;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenShown<QMessageBox>([&](QMessageBox *box) {
            for (QAbstractButton *b : box->buttons())
                seen << b->text();
            title = box->windowTitle();
            icon = box->icon();
            if (press)
                box->button(QMessageBox::StandardButton(press))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QtPlatform qt;
        const MsgResult r = qt.messageBox(nullptr, "text", "Title", MsgIcon::Critical, MsgButtons(buttons));
        QCOMPARE(int(r), expected);
        seen.sort();
        captions.sort();
        QCOMPARE(seen, captions);
        QCOMPARE(title, QStringLiteral("Title"));
        QCOMPARE(icon, QMessageBox::Critical);
    }

    void qtInputBox_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("expected");
        QTest::newRow("OK") << true << "typed";
        QTest::newRow("Cancel") << false << "";
    }
    void qtInputBox()
    {
        QFETCH(bool, accept);
        QFETCH(QString, expected);
        QString shownDefault;
        whenShown<QInputDialog>([&](QInputDialog *d) {
            shownDefault = d->textValue();
            d->setTextValue(QStringLiteral("typed"));
            accept ? d->accept() : d->reject();
        });
        QtPlatform qt;
        QCOMPARE(qt.inputBox(nullptr, "Prompt", "Title", "default"), expected);
        QCOMPARE(shownDefault, QStringLiteral("default"));
    }

    void qtFileDialogs_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("open") << false;
        QTest::newRow("save") << true;
    }
    void qtFileDialogs()
    {
        QFETCH(bool, save);
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("not there.htm"));
        QFileDialog::FileMode mode{};
        QFileDialog::AcceptMode acceptMode{};
        bool confirms = false;
        QString suffix = QStringLiteral("unset");
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog *d) {
            mode = d->fileMode();
            acceptMode = d->acceptMode();
            confirms = !d->testOption(QFileDialog::DontConfirmOverwrite);
            suffix = d->defaultSuffix();
            filters = d->nameFilters();
            d->selectFile(missing);
            static_cast<QDialog *>(d)->accept();
        });
        QtPlatform qt;
        const FileDialogRequest request{kDocumentFilter, QStringLiteral("Choose"), missing};
        const auto chosen = save ? qt.saveFile(nullptr, request) : qt.openFile(nullptr, request);
        QCOMPARE(chosen.value_or(QString()), missing); // a name that does not exist is accepted
        QCOMPARE(mode, QFileDialog::AnyFile);
        QCOMPARE(acceptMode, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(confirms, save);
        QCOMPARE(suffix, QString());
        QCOMPARE(filters, qtNameFilters(kDocumentFilter));

        whenShown<QFileDialog>([](QFileDialog *d) { d->reject(); });
        QVERIFY(!qt.openFile(nullptr, request));
    }

    void fontColourDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("installed font") << QFont(QStringLiteral("DejaVu Sans")).family();
        QTest::newRow("font this system lacks") << "MS Sans Serif";
    }
    void fontColourDialog()
    {
        QFETCH(QString, name);
        FontChoice f;
        f.name = name;
        f.size = 10.5;
        f.bold = true;
        f.strikethrough = true;
        f.colour = 0x0000FF;
        FontColourDialog dialog;
        dialog.setChoice(f);
        QCOMPARE(dialog.choice(), f);
        QVERIFY(dialog.sample->font().strikeOut());
        QCOMPARE(dialog.sample->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        // The colour button; a cancelled colour keeps the old one.
        QList<std::optional<ColourValue>> answers{ColourValue(0x00FF00), std::nullopt};
        dialog.askColour = [&](QWidget *, ColourValue) { return answers.takeFirst(); };
        dialog.colourButton->click();
        QCOMPARE(dialog.choice().colour, ColourValue(0x00FF00));
        dialog.colourButton->click();
        QCOMPARE(dialog.choice().colour, ColourValue(0x00FF00));
        dialog.italic->setChecked(true);
        dialog.fontSize->setValue(14);
        QVERIFY(dialog.choice().italic);
        QCOMPARE(dialog.choice().size, 14.0);
    }

    void qtChooseFontCancel()
    {
        whenShown<FontColourDialog>([](FontColourDialog *d) { d->reject(); });
        QtPlatform qt;
        QVERIFY(!qt.chooseFont(nullptr, FontChoice()));
        whenShown<FontColourDialog>([](FontColourDialog *d) {
            d->underline->setChecked(true);
            d->accept();
        });
        const auto chosen = qt.chooseFont(nullptr, FontChoice());
        QVERIFY(chosen);
        QVERIFY(chosen->underline);
        QCOMPARE(chosen->name, FontChoice().name);
    }
};

VELMORA_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
