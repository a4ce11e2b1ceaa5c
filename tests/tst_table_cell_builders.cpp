// The table and cell fragments, byte for byte, and the count checks.
#include "document_dialogs/cell_builder.h"
#include "document_dialogs/table_builder.h"
#include "support/fields_with.h"
#include "support/test_env.h"

Q_DECLARE_METATYPE(TableFields)
Q_DECLARE_METATYPE(CellFields)

namespace {

const QString kDefaultTable = QStringLiteral(
    "<table border=\"0\" cellpadding=\"1\" cellspacing=\"2\">\r\n\r\n"
    "<tr>\r\n<td>&nbsp;</td>\r\n<td>&nbsp;</td>\r\n</tr>\r\n"
    "<tr>\r\n<td>&nbsp;</td>\r\n<td>&nbsp;</td>\r\n</tr>\r\n"
    "\r\n</table>");

const auto tableWith = with<TableFields>;
const auto cellWith = with<CellFields>;

} // namespace

class TestTableCellBuilders : public QObject {
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<TableFields>("fields");
        QTest::addColumn<QString>("fragment"); // empty when a message is expected
        QTest::addColumn<QString>("message");  // part of the expected message

        QTest::newRow("initial values") << TableFields() << kDefaultTable << QString();
        QTest::newRow("wrapper Left") << tableWith([](auto &f) { f.alignIndex = 0; })
            << "<div align=\"Left\">\r\n\r\n" + kDefaultTable + "\r\n</div>" << QString();
        QTest::newRow("right, width percent, height pixels")
            << tableWith([](auto &f) { f.alignIndex = 2; f.width = "100"; f.height = "50"; f.heightPercent = false; })
            << "<div align=\"Right\">\r\n\r\n<table border=\"0\" cellpadding=\"1\" cellspacing=\"2\" "
               "width=\"100%\" height=\"50\">" + kDefaultTable.mid(kDefaultTable.indexOf('>') + 1) + "\r\n</div>" << QString();
        QTest::newRow("no columns, one row") << tableWith([](auto &f) { f.columns = "0"; f.rows = "1"; })
            << "<table border=\"0\" cellpadding=\"1\" cellspacing=\"2\">\r\n\r\n<tr>\r\n</tr>\r\n\r\n</table>" << QString();
        QTest::newRow("no rows") << tableWith([](auto &f) { f.rows = "0"; })
            << "<table border=\"0\" cellpadding=\"1\" cellspacing=\"2\">\r\n\r\n\r\n</table>" << QString();
        QTest::newRow("columns not a number, rows wrong too: columns first") << tableWith([](auto &f) { f.columns = "1,000"; f.rows = "x"; })
            << QString()
            << "A number was not entered into the columns textbox, please enter a number and try clicking OK again.";
        QTest::newRow("rows not a number") << tableWith([](auto &f) { f.rows = "x"; }) << QString()
            << "A number was not entered into the rows textbox, please enter a number and try clicking OK again.";
        QTest::newRow("negative columns") << tableWith([](auto &f) { f.columns = "-1"; }) << QString()
            << "whole number from 0 to 32767 was not entered into the columns textbox";
        QTest::newRow("fractional rows") << tableWith([](auto &f) { f.rows = "2.5"; }) << QString()
            << "whole number from 0 to 32767 was not entered into the rows textbox";
        QTest::newRow("rows past 32767") << tableWith([](auto &f) { f.columns = "0"; f.rows = "32768"; }) << QString()
            << "into the rows textbox";
        QTest::newRow("more than a million cells") << tableWith([](auto &f) { f.columns = "1001"; f.rows = "1000"; })
            << QString() << "1,000,000 cells";
        QTest::newRow("exactly a million cells") << tableWith([](auto &f) { f.columns = f.rows = "1000"; })
            << "<table border=\"0\" cellpadding=\"1\" cellspacing=\"2\">\r\n\r\n"
                   + ("<tr>\r\n" + QStringLiteral("<td>&nbsp;</td>\r\n").repeated(1000) + "</tr>\r\n").repeated(1000)
                   + "\r\n</table>" << QString();
    }
    void table()
    {
        QFETCH(TableFields, fields);
        QFETCH(QString, fragment);
        QFETCH(QString, message);
        const BuilderResult built = buildTable(fields);
        const QString said = built.message ? built.message->title + "|" + built.message->text : QString();
        QCOMPARE(built.html, fragment);
        QVERIFY2(message.isEmpty() ? said.isEmpty() : said.startsWith("Table Creation Error|") && said.contains(message), qPrintable(said));
    }

    void readsAsNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        for (const char *yes : {"7", "  -7  ", "+1.5", ".5", "5.", "1e3", "1E-3", "\t2"})
            QTest::newRow(yes) << QString(yes) << true;
        for (const char *no : {"", "   ", ".", "-", "1e", "e1", "1 2", "--1", "1,000", "&H10", "$5", "12a", "\u0663"})
            QTest::addRow("not: '%s'", no) << QString::fromUtf8(no) << false;
    }
    void readsAsNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QCOMPARE(::readsAsNumber(text), number);
    }

    void cell_data()
    {
        QTest::addColumn<CellFields>("fields");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("only horizontal centre, spans as typed, height pixels")
            << cellWith([](auto &f) { f.hAlignIndex = 1; f.rowsSpanned = "x"; f.columnsSpanned = "-1"; f.height = "20"; f.heightPercent = false; })
            << "<td align=\"Centre\" rowspan=\"x\" colspan=\"-1\" height=\"20\">&nbsp;</td>";
        QTest::newRow("only vertical bottom, background and colours before nowrap")
            << cellWith([](auto &f) {
                   f.vAlignIndex = 3; f.noWrap = true; f.background = "file://p.gif"; f.width = "9"; f.widthPercent = false;
                   f.backgroundColour = 0; f.borderColour = 16777215; f.borderColourDark = 1193046;
                   f.borderColourLight = 65280;
               })
            << "<td valign=\"Bottom\" rowspan=\"1\" colspan=\"1\" width=\"9\" background=\"file://p.gif\" bgcolor=\"#000000\" "
               "bordercolor=\"#FFFFFF\" bordercolordark=\"#563412\" bordercolorlight=\"#00FF00\" nowrap>&nbsp;</td>";
    }
    void cell()
    {
        QFETCH(CellFields, fields);
        QFETCH(QString, fragment);
        QCOMPARE(buildCell(fields), fragment);
    }
};

VELMORA_TEST_MAIN(TestTableCellBuilders)
#include "tst_table_cell_builders.moc"
