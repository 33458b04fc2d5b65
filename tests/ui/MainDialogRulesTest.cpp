// The main dialog's geometry rules at their edges.
#include <QtTest>

#include "ui/MainDialogRules.h"

class MainDialogRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void columnsShareWidthChangesAndCarryTheRemainder() {
        SColumnShare grow = ShareWidthChange(0, 100);
        QCOMPARE(grow.perColumn, 33);
        QCOMPARE(grow.carried, 1);
        QCOMPARE(ShareWidthChange(grow.carried, 2).perColumn, 1);
        SColumnShare shrink = ShareWidthChange(0, -102);
        QCOMPARE(shrink.perColumn, -34);
        QCOMPARE(shrink.carried, 0);
        SColumnShare odd = ShareWidthChange(0, -4);
        QCOMPARE(odd.perColumn, -1);
        QCOMPARE(odd.carried, -1);
    }

    void sidePanelNeverWiderThanAQuarterAndAlwaysSlides() {
        const QRect frame(400, 100, 800, 600);
        const QRect client(404, 130, 792, 566);
        QCOMPARE(SidePanelRect(frame, client, 40), QRect(360, 130, 40, 566));
        QCOMPARE(SidePanelRect(frame, client, 500).width(), 200);
        // A panel narrower than 25 pixels would otherwise never finish sliding.
        QCOMPARE(SlideStep(10), 1);
    }
};

QTEST_GUILESS_MAIN(MainDialogRulesTest)
#include "MainDialogRulesTest.moc"
