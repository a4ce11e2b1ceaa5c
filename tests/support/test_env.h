#pragma once
// Every Qt test runs in a private world: its own home, settings, temporary
// and runtime folders, and its own class registry with the VatroOCX library
// of this build registered in it. Nothing touches the real home folder.

#include <QString>
#include <QtTest>

namespace testenv {

// Sets up the private folders and registers the component. Call before the
// QApplication is created (VELMORA_TEST_MAIN does).
void setUp();

// The private root folder of this test run.
QString root();

} // namespace testenv

// Like QTEST_MAIN, with the private world set up first.
#define VELMORA_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        testenv::setUp();                                                                          \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
