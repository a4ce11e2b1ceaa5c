// How long a 1000 x 1000 table takes to build and to land in the text pane
// through the insertion protocol: once with auto-update off (the text pane
// alone), once with it on (the preview file is rewritten as well).
#include "document_dialogs/table_builder.h"
#include "support/test_env.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    testenv::setUp();
    QApplication app(argc, argv);
    WindowFixture fx;
    fx.start();
    frmHTML &main = *fx.window;

    TableFields fields;
    fields.columns = QStringLiteral("1000");
    fields.rows = QStringLiteral("1000");
    const QString page = QStringLiteral("<html><body>\r\n\r\n</body></html>");

    bool intact = true;
    for (bool autoUpdate : {false, true}) {
        if (main.menu().mnuAU->isChecked() != autoUpdate)
            main.menu().mnuAU->trigger();
        main.HTML()->setWholeText(page);
        main.HTML()->setSelStart(14);

        QElapsedTimer timer;
        timer.start();
        const BuilderResult built = buildTable(fields);
        const qint64 buildNs = timer.nsecsElapsed();
        if (built.message) {
            std::fprintf(stderr, "%s\n", qPrintable(built.message->text));
            return 1;
        }
        timer.restart();
        main.insertFragment(built.html, QStringLiteral("Insert Table"));
        const qint64 landNs = timer.nsecsElapsed();

        const qsizetype size = built.html.size();
        intact = intact && main.HTML()->textLength() == page.size() + size
            && main.HTML()->selStart() == 14 + size;
        std::printf("1000 x 1000 table (%lld characters), auto-update %s:\n", static_cast<long long>(size),
                    autoUpdate ? "on" : "off");
        std::printf("  build  %8.1f ms\n  insert %8.1f ms\n  total  %8.1f ms\n", buildNs / 1e6, landNs / 1e6,
                    (buildNs + landNs) / 1e6);
    }
    std::printf("landed intact: %s\n", intact ? "yes" : "NO");
    main.HTML()->setWholeText(page);
    return intact ? 0 : 1;
}
