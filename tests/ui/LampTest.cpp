// Lamp timing and the traffic lamp set.
#include <QtTest>

#include "ui/LampControl.h"
#include "ui/TrafficLamps.h"

class LampTest : public QObject {
    Q_OBJECT
  private slots:
    void litLampGoesDarkAfterItsDuration() {
        qint64 now = 1000;
        CLampControl lamp;
        lamp.SetClock([&now] { return now; });
        lamp.SetAutoOff(true);
        lamp.SetOnDuration(100);
        lamp.SetStateTexts("sending", "off");  // what a screen reader hears
        lamp.Light();
        QVERIFY(lamp.IsLit());
        QCOMPARE(lamp.accessibleDescription(), QStringLiteral("sending"));
        now += 99;
        QVERIFY(QMetaObject::invokeMethod(&lamp, "CheckAutoOff"));
        QVERIFY(lamp.IsLit());
        now += 1;
        QVERIFY(QMetaObject::invokeMethod(&lamp, "CheckAutoOff"));  // the timer firing
        QVERIFY(!lamp.IsLit());
        QCOMPARE(lamp.accessibleDescription(), QStringLiteral("off"));
    }

    void aDestroyedLampSilencesTheSet() {
        CLampControl tx, rx;
        CTrafficLamps lamps;
        auto* err = new CLampControl;
        lamps.Register(CTrafficLamps::kTx, &tx);
        lamps.Register(CTrafficLamps::kRx, &rx);
        lamps.Register(CTrafficLamps::kErr, err);
        delete err;
        lamps.Signal(0);
        QVERIFY(!tx.IsLit());
    }
};

QTEST_MAIN(LampTest)
#include "LampTest.moc"
