// The main dialog's enabling rules of both views, and its geometry rules at their edges.
#include <QtTest>

#include "ui/MainDialogRules.h"

class MainDialogRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void enablingOfBothViewsWithAndWithoutValues() {
        const SViewEnabling cloneNoValues = ViewEnabling({EView::Clone, true, true, false});
        QVERIFY(cloneNoValues.cloneControls && !cloneNoValues.cloneValueControls);
        QVERIFY(!cloneNoValues.settingControls && cloneNoValues.clearSetSource);
        const SViewEnabling cloneValues = ViewEnabling({EView::Clone, false, true, true});
        QVERIFY(cloneValues.cloneControls && cloneValues.cloneValueControls);
        QVERIFY(!cloneValues.clearSetSource && cloneValues.comSet);
        // Values without a table with items offer nothing.
        const SViewEnabling cloneEmpty = ViewEnabling({EView::Clone, true, false, true});
        QVERIFY(!cloneEmpty.cloneControls && !cloneEmpty.cloneValueControls);

        const SViewEnabling setting = ViewEnabling({EView::Setting, true, true, true});
        QVERIFY(setting.settingControls && !setting.cloneControls && !setting.comSet);
        QVERIFY(!setting.cloneValueControls && setting.clearSetSource);
        QVERIFY(!ViewEnabling({EView::Setting, false, true, true}).settingControls);
        QVERIFY(!ViewEnabling({EView::Setting, true, false, false}).settingControls);
    }

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
