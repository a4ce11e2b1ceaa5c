// How long a 1000 x 1000 table takes to build and to land in the text pane
// through the insertion protocol (change notification and preview included).
#include "document_dialogs/table_builder.h"
#include "editor/main_window.h"
#include "insert/insertion.h"
#include "support/scripted_platform.h"
#include "support/test_env.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    testenv::setUp();
    QApplication app(argc, argv);

    ScriptedPlatform platform;
    QString error;
    std::unique_ptr<VatroControl> vatro = VatroControl::create(&error);
    if (!vatro) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    frmHTML main(platform, std::move(vatro), QString());
    main.HTML->setWholeText(QStringLiteral("<html><body>\r\n\r\n</body></html>"));
    main.HTML->setSelStart(14);

    TableFields fields;
    fields.columns = QStringLiteral("1000");
    fields.rows = QStringLiteral("1000");

    QElapsedTimer timer;
    timer.start();
    const TableBuild built = buildTable(fields);
    const qint64 buildNs = timer.nsecsElapsed();
    if (!built.fragment) {
        std::fprintf(stderr, "%s\n", qPrintable(built.message));
        return 1;
    }
    timer.restart();
    insertFragment(main, *built.fragment, QStringLiteral("Insert Table"));
    const qint64 landNs = timer.nsecsElapsed();

    const bool landed = main.HTML->textLength() == 32 + built.fragment->size()
        && main.HTML->selStart() == 14 + built.fragment->size();
    std::printf("1000 x 1000 table: %lld characters\n", static_cast<long long>(built.fragment->size()));
    std::printf("  build:                     %8.1f ms\n", buildNs / 1e6);
    std::printf("  insert (protocol, preview): %7.1f ms\n", landNs / 1e6);
    std::printf("  total:                     %8.1f ms\n", (buildNs + landNs) / 1e6);
    std::printf("  landed intact: %s\n", landed ? "yes" : "NO");
    return landed ? 0 : 1;
}
