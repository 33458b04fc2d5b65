// One desktop program per user, and the settings it remembers between runs.
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "ui/RememberedSettings.h"
#include "ui/SingleInstance.h"

class SingleInstanceTest : public QObject {
    Q_OBJECT
  private slots:
    void secondStartRaisesTheFirstWindowAndTheLockEndsWithTheFirst() {
        QTemporaryDir folder;
        QWidget window;
        window.showMinimized();
        {
            CSingleInstance first(folder.path());
            QVERIFY(first.TryLock());
            CSingleInstance second(folder.path());
            QVERIFY(!second.TryLock());
            // The first is still starting: nothing answers, nothing is raised.
            QVERIFY(!second.AskFirstToRaise());
            QVERIFY(first.Listen(&window));
            QVERIFY(second.AskFirstToRaise());
            QTRY_VERIFY(!window.isMinimized());
            QVERIFY(window.isVisible());
        }
        CSingleInstance next(folder.path());
        QVERIFY(next.TryLock());
        QVERIFY(!next.AskFirstToRaise());
        // A socket left behind does not keep the next one from listening.
        QVERIFY(next.Listen(&window));
    }

    void rememberedSettingsRoundTripAndDamagedValuesAreIgnoredOneByOne() {
        QTemporaryDir folder;
        const QString path = folder.filePath("config/VEXA/VEXA.ini");
        SRemembered saved;
        saved.settings = {.portName = "/dev/ttyUSB3",
                          .baudRate = 9600,
                          .dataBits = 8,
                          .parity = CCommSettings::kParityNone,
                          .stopBits = 1};
        saved.unit = 42;
        QVERIFY(SaveRemembered(path, saved));
        SRemembered loaded;
        LoadRemembered(path, loaded);
        QVERIFY(loaded.settings == saved.settings);
        QCOMPARE(loaded.unit, 42);

        QFile file(folder.filePath("damaged.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[CommunicationSettings]\nPort=/dev/ttyS1\nBaudRate=0\nDataBits=9\n"
            "Parity=7\nStopBits=x\nUnit=100\n");
        file.close();
        SRemembered damaged;
        LoadRemembered(file.fileName(), damaged);
        QVERIFY(damaged.settings == CCommSettings({.portName = "/dev/ttyS1"}));
        QCOMPARE(damaged.unit, 1);
        SRemembered untouched;
        LoadRemembered(folder.filePath("missing.ini"), untouched);
        QVERIFY(untouched.settings == CCommSettings());
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
