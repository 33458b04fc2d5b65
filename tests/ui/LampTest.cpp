// Lamp timing and the traffic lamp set.
#include <QTimer>
#include <QtTest>

#include "ui/LampControl.h"
#include "ui/TrafficLamps.h"

class LampTest : public QObject {
    Q_OBJECT
private:
    qint64 m_now = 0;

    void Configure(CLampControl& lamp, int duration) {
        lamp.SetClock([this] { return m_now; });
        lamp.SetAutoOff(true);
        lamp.SetOnDuration(duration);
    }
    // What the lamp's timer does when it fires.
    static void Fire(CLampControl& lamp) {
        QVERIFY(QMetaObject::invokeMethod(&lamp, "CheckAutoOff"));
    }
    static QTimer* Timer(CLampControl& lamp) { return lamp.findChild<QTimer*>(); }

private slots:
    void init() { m_now = 1000; }

    void litLampGoesDarkAfterItsDuration() {
        CLampControl lamp;
        Configure(lamp, 100);
        lamp.Light();
        QVERIFY(lamp.IsLit());
        QVERIFY(Timer(lamp)->isActive());
        QCOMPARE(Timer(lamp)->interval(), 100);
        m_now += 100;
        Fire(lamp);
        QVERIFY(!lamp.IsLit());
    }

    void retriggerKeepsItLitForTheFullDurationAfterTheLastLight() {
        CLampControl lamp;
        Configure(lamp, 100);
        lamp.Light();
        m_now += 50;
        lamp.Light();
        m_now += 50;  // the first duration is over
        Fire(lamp);
        QVERIFY(lamp.IsLit());
        QVERIFY(Timer(lamp)->isActive());
        QCOMPARE(Timer(lamp)->interval(), 50);
        m_now += 49;
        Fire(lamp);
        QVERIFY(lamp.IsLit());
        m_now += 1;
        Fire(lamp);
        QVERIFY(!lamp.IsLit());
    }

    void withoutAutoOffOrDurationItStaysLit() {
        CLampControl manual;
        manual.SetClock([this] { return m_now; });
        manual.Light();
        QVERIFY(!Timer(manual)->isActive());
        manual.Darken();
        QVERIFY(!manual.IsLit());
        CLampControl zero;
        Configure(zero, 0);
        zero.Light();
        QVERIFY(!Timer(zero)->isActive());
        QVERIFY(zero.IsLit());
    }

    void paintsItsOnColourOnlyWhileLit() {
        CLampControl lamp;
        lamp.resize(40, 40);
        lamp.SetOnColour(QColor(255, 0, 0));
        auto circleCentre = [&] { return lamp.grab().toImage().pixelColor(20, 30); };
        QVERIFY(circleCentre() != QColor(255, 0, 0));
        lamp.Light();
        QCOMPARE(circleCentre(), QColor(255, 0, 0));
    }

    void trafficSignalsDriveTheThreeLamps() {
        CLampControl tx, rx, err;
        CTrafficLamps lamps;
        lamps.Register(CTrafficLamps::kTx, &tx);
        lamps.Register(CTrafficLamps::kRx, &rx);
        lamps.Signal(0);
        QVERIFY(!tx.IsLit());  // ignored until all three are registered
        lamps.Register(CTrafficLamps::kErr, &err);
        lamps.Signal(0);
        QVERIFY(tx.IsLit() && !rx.IsLit() && !err.IsLit());
        lamps.Signal(1);
        QVERIFY(!tx.IsLit() && rx.IsLit() && !err.IsLit());
        lamps.Signal(2);
        QVERIFY(!tx.IsLit() && rx.IsLit() && err.IsLit());
        lamps.Signal(7);
        QVERIFY(rx.IsLit() && err.IsLit());
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
