// The main dialog's enabling, colour and geometry rules.
#include <QtTest>

#include "ui/MainDialogRules.h"

class MainDialogRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void cloneViewOffersUploadAndOpenUntilValuesArePresent() {
        SViewEnabling noValues = ViewEnabling({EView::Clone, true, true, false});
        QVERIFY(noValues.cloneControls);
        QVERIFY(!noValues.cloneValueControls);
        QVERIFY(!noValues.settingControls);
        QVERIFY(noValues.clearSetSource);

        SViewEnabling values = ViewEnabling({EView::Clone, false, true, true});
        QVERIFY(values.cloneControls && values.cloneValueControls);
        QVERIFY(!values.clearSetSource);

        // Values without a table with items offer nothing.
        SViewEnabling empty = ViewEnabling({EView::Clone, true, false, true});
        QVERIFY(!empty.cloneControls && !empty.cloneValueControls);
    }

    void settingViewNeedsConnectionAndItems() {
        QVERIFY(ViewEnabling({EView::Setting, true, true, true}).settingControls);
        QVERIFY(!ViewEnabling({EView::Setting, false, true, true}).settingControls);
        QVERIFY(!ViewEnabling({EView::Setting, true, false, false}).settingControls);
        SViewEnabling setting = ViewEnabling({EView::Setting, true, true, true});
        QVERIFY(!setting.cloneControls && !setting.cloneValueControls);
        QVERIFY(setting.clearSetSource);
    }

    void comSetOnlyWhileDisconnected() {
        QVERIFY(ViewEnabling({EView::Setting, false, false, false}).comSet);
        QVERIFY(!ViewEnabling({EView::Clone, true, true, true}).comSet);
    }

    void valueEntryIsRedOnlyWhenWritableAndChanged() {
        QCOMPARE(ValueEntryColour(EView::Setting, true, true, true), EFieldColour::Red);
        QCOMPARE(ValueEntryColour(EView::Setting, true, true, false), EFieldColour::White);
        QCOMPARE(ValueEntryColour(EView::Setting, true, false, true), EFieldColour::ButtonFace);
        QCOMPARE(ValueEntryColour(EView::Setting, false, true, true), EFieldColour::ButtonFace);
        QCOMPARE(ValueEntryColour(EView::Clone, true, true, true), EFieldColour::ButtonFace);
        QCOMPARE(CurrentNameColour(EView::Setting, true), EFieldColour::White);
        QCOMPARE(CurrentNameColour(EView::Clone, true), EFieldColour::ButtonFace);
        QCOMPARE(StatusLineColour(true), EFieldColour::Orange);
        QCOMPARE(StatusLineColour(false), EFieldColour::ButtonFace);
    }

    void columnsShareWidthChangesAndCarryTheRemainder() {
        SColumnShare first = ShareWidthChange(0, 100);
        QCOMPARE(first.perColumn, 33);
        QCOMPARE(first.carried, 1);
        SColumnShare second = ShareWidthChange(first.carried, 2);
        QCOMPARE(second.perColumn, 1);
        QCOMPARE(second.carried, 0);
        // Shrinking back gives the same total: 34 + (-34) per column.
        SColumnShare shrink = ShareWidthChange(0, -102);
        QCOMPARE(shrink.perColumn, -34);
        QCOMPARE(shrink.carried, 0);
        SColumnShare odd = ShareWidthChange(0, -4);
        QCOMPARE(odd.perColumn, -1);
        QCOMPARE(odd.carried, -1);
    }

    void pictureIsNinetyPercentOfItsWidth() {
        QCOMPARE(PictureHeight(186), 167);
        QCOMPARE(PictureHeight(9), 8);
    }

    void sidePanelSitsLeftOfTheWindowBelowTheCaption() {
        const QRect frame(400, 100, 800, 600);
        const QRect client(404, 130, 792, 566);
        QCOMPARE(SidePanelWidth(frame), 200);
        QCOMPARE(SidePanelRect(frame, client, 200), QRect(200, 130, 200, 566));
        QCOMPARE(SidePanelRect(frame, client, 40), QRect(360, 130, 40, 566));
        // Never wider than a quarter, however far the slide went.
        QCOMPARE(SidePanelRect(frame, client, 500).width(), 200);
    }

    void slideAlwaysAdvances() {
        QCOMPARE(SlideStep(200), 8);
        // A panel narrower than 25 pixels would otherwise never finish sliding.
        QCOMPARE(SlideStep(10), 1);
    }

    void windowMovesRightOnlyWhenThePanelWouldNotFit() {
        const QRect screen(0, 0, 1920, 1080);
        QCOMPARE(MainLeftForPanel(QRect(400, 0, 800, 600), 200, screen), 400);
        QCOMPARE(MainLeftForPanel(QRect(50, 0, 800, 600), 200, screen), 200);
        QCOMPARE(MainLeftForPanel(QRect(1200, 0, 800, 600), 200, QRect(1920, 0, 1920, 1080)), 2120);
    }
};

QTEST_GUILESS_MAIN(MainDialogRulesTest)
#include "MainDialogRulesTest.moc"
