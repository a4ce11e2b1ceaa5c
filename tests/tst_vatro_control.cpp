// The editor's Vatro control: created through the private class registry of
// the test, called for real files and folders; a missing registration,
// library file or entry point gives a message naming what is missing.

#include "widgets/vatro_control.h"
#include "support/test_env.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <dlfcn.h>

class TestVatroControl : public QObject {
    Q_OBJECT

private slots:
    void existence_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("file");
        QTest::addColumn<bool>("folder");
        const QString root = testenv::root();
        QFile(root + QString::fromUtf8("/übung ä.htm")).open(QIODevice::WriteOnly);
        QDir(root).mkpath("folder");
        // Missing paths are covered by the control's own tests; here: the path
        // reaches it intact and both answers are read back.
        QTest::newRow("non-ASCII file") << root + QString::fromUtf8("/übung ä.htm") << true << false;
        QTest::newRow("folder") << root + "/folder" << false << true;
    }
    void existence()
    {
        QFETCH(QString, path);
        QFETCH(bool, file);
        QFETCH(bool, folder);
        QString error;
        auto control = VatroControl::create(&error);
        QVERIFY2(control, qPrintable(error));
        bool fileOk = false, folderOk = false;
        QCOMPARE(control->FExists(path, &fileOk), file);
        QCOMPARE(control->DirExists(path, &folderOk), folder);
        QVERIFY(fileOk && folderOk);
    }

    void missingPieces_data()
    {
        QTest::addColumn<QByteArray>("registry");
        QTest::addColumn<QString>("named");
        // A missing registration is covered by the control's own tests.
        const QByteArray section = "[CLSID\\{4C7BC103-7DA9-11D3-B327-000021C5C8A9}]\nInprocServer32=";
        QTest::newRow("library file missing") << section + (testenv::root() + "/gone.so").toUtf8() << "does not exist";
        // A real library that is no component: Qt's own core library.
        Dl_info qt{};
        dladdr(reinterpret_cast<void *>(&qVersion), &qt);
        QTest::newRow("no entry point") << section + QByteArray(qt.dli_fname) << "no entry point DllGetClassObject";
    }
    void missingPieces()
    {
        QFETCH(QByteArray, registry);
        QFETCH(QString, named);
        const QByteArray saved = qgetenv("VATRO_REGISTRY");
        const QString path = testenv::root() + "/other-registry.ini";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(registry) == registry.size());
        f.close();
        qputenv("VATRO_REGISTRY", path.toLocal8Bit());
        QString error;
        const bool created = bool(VatroControl::create(&error));
        qputenv("VATRO_REGISTRY", saved);
        QVERIFY(!created);
        QVERIFY2(error.contains("VatroOCX.Vatro") && error.contains(named), qPrintable(error));
    }
};

VELMORA_TEST_MAIN(TestVatroControl)
#include "tst_vatro_control.moc"
