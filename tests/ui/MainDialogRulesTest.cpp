// The main dialog's enabling rules of both views, and its geometry rules at their edges.
#include <QtTest>

#include "app/ConfigFiles.h"
#include "app/MessageTable.h"
#include "params/MenuParamTable.h"
#include "ui/MainDialogRules.h"
#include "ui/OutcomeText.h"
#include "ui/ReasonText.h"
#include "ui/SettingViewModel.h"
#include "ui/SidePanelRows.h"
#include "ui/VerifyResults.h"

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

        // The side panel shows what a whole-set operation left without a value, but a verify
        // cut short by a lost line read nothing that differs.
        using E = SOperationOutcome::EOperation;
        for (const E operation : {E::Upload, E::Download, E::Open, E::Verify}) {
            QVERIFY(OpensSidePanel(operation, ResultCode::kLineLost, 1) !=
                    (operation == E::Verify));
            QVERIFY(!OpensSidePanel(operation, ResultCode::kOk, 0));
        }
        QVERIFY(OpensSidePanel(E::Verify, ResultCode::kCancelled, 2));
        QVERIFY(!OpensSidePanel(E::Save, ResultCode::kOk, 3));
    }

    void writeBoxAndEntryFollowTheControllerAndTheLastAction() {
        using EAction = CSettingViewModel::EAction;
        CSettingViewModel model;
        SShownParameter shown;
        shown.currentName = "Set point";
        shown.hasNext = true;
        // Not writable: nothing to tick; written directly: ticked and open at once.
        SSettingViewState state = model.State(shown, false);
        QVERIFY(!state.writeBoxEnabled && !state.writeTicked && !state.upEnabled);
        shown.writable = true;
        state = model.State(shown, false);
        QVERIFY(state.writeBoxEnabled && state.writeTicked && state.downEnabled);
        // Written in write mode only: ticked while the controller is in it.
        shown.writeModeNeeded = true;
        QVERIFY(!model.State(shown, false).writeTicked);
        QVERIFY(model.State(shown, true).writeTicked);

        // A value refused unwritten stays to be corrected, in red, with why.
        const SResult bad = SResult::Failure(ResultCode::kBadValue, "too long; nothing written");
        model.Ended(EAction::Write, bad, "12345678");
        state = model.State(shown, true);
        QVERIFY(state.entryRed);
        QCOMPARE(state.newValue, std::string("12345678"));
        QCOMPARE(English(state.problem), std::string("Set point: too long; nothing written"));
        // Another operation was running: the action did nothing, and nothing changes.
        model.Ended(EAction::Step, SResult::Failure(ResultCode::kBusy, "busy"));
        QVERIFY(model.State(shown, true).entryRed);
        // A value sent but refused leaves the entry empty, still red.
        model.Ended(EAction::Write, SResult::Failure(ResultCode::kNoAnswer, "not written"), "5");
        state = model.State(shown, true);
        QVERIFY(state.entryRed && state.newValue.empty());
        // A step forgets it; a parameter that could not be read says why.
        shown.unreadReason = "cannot be read: no answer";
        model.Ended(EAction::Step, SResult::Failure(ResultCode::kNoAnswer, "no answer"));
        state = model.State(shown, true);
        QVERIFY(!state.entryRed);
        QCOMPARE(English(state.problem), std::string("Set point: cannot be read: no answer"));
        // The write-mode question declined is the operator's choice, not a problem.
        shown.unreadReason = {};
        model.Ended(EAction::WriteMode, SResult::Failure(ResultCode::kCancelled, "not entered"));
        QVERIFY(model.State(shown, false).problem.Empty());
    }

    void sidePanelRowsAndVerifyResultsTellTheStatusesApart() {
        CMenuParamTable table;
        const char* names[] = {"Ok",      "Absent",   "Not in set",  "Failed",
                               "Differs", "Unwalked", "Display only"};
        for (int n = 1; n <= 7; ++n) {
            CMenuParamItem item;
            item.number = static_cast<uint16_t>(n);
            item.name = names[n - 1];
            item.writable = n == 7 ? 0 : 1;
            item.scale = 10;
            item.decimalSeparator = '.';
            item.setValue = "250";
            item.valid = n < 6;
            QVERIFY(table.AddItem(std::move(item)));
        }
        const std::vector<SParamStatus> statuses = {{1, EParamStatus::Ok, "250"},
                                                    {2, EParamStatus::Absent, ""},
                                                    {3, EParamStatus::NotInSet, ""},
                                                    {4, EParamStatus::Failed, ""},
                                                    {5, EParamStatus::Differs, "185"}};
        CMessageTable shipped;
        QVERIFY(shipped.Load(QCoreApplication::applicationDirPath().toStdString() + "/VEXA.cap",
                             "Pyrona", 999));
        const std::vector<SSidePanelRow> rows = SidePanelRowsFor(table, true, statuses, shipped);
        std::vector<std::string> texts;
        for (const SSidePanelRow& row : rows) texts.push_back(row.text);
        // Without a status (a file opened), a parameter without a value is still marked, unless
        // it is only displayed and never transferred.
        QCOMPARE(texts, (std::vector<std::string>{"Ok", "- Absent", "? Not in set", "! Failed",
                                                  "<> Differs", "! Unwalked", "Display only"}));
        QCOMPARE(rows[4].toolTip, std::string("Differs: differs: file 25.0, controller 18.5"));
        QCOMPARE(SidePanelRowsFor(table, false, {}, shipped)[5].text, std::string("Unwalked"));

        // Verify's table: the walked parameters, a controller value only where one was read.
        CMessageTable catalogue;
        QVERIFY(LoadMessageCatalogue(catalogue));
        const std::vector<VerifyRow> verified = VerifyRowsFor(table, statuses, catalogue);
        QCOMPARE(verified.size(), size_t(5));
        QCOMPARE(TabSeparated({VerifyHeaders(catalogue), verified[0], verified[1], verified[4]}),
                 std::string("Parameter\tFile value\tController value\tStatus\n"
                             "Ok\t25.0\t25.0\tequal\n"
                             "Absent\t25.0\t\tnot on this controller\n"
                             "Differs\t25.0\t18.5\tdiffers\n"));
    }

    void engineReasonsAreWordedByTheCatalogue() {
        // Every reason has its entry in VEXA.cap, and VEXA.de.cap has each entry (ProfileTest).
        const std::string bin = QCoreApplication::applicationDirPath().toStdString();
        CMessageTable german, translation;
        QVERIFY(german.Load(bin + "/VEXA.cap", "Pyrona", 999) &&
                translation.Load(bin + "/VEXA.de.cap", "Pyrona", 999));
        german.Overlay(translation);
        // Reasons within reasons are worded too; the port and the parameter's name stay.
        const SReason lost =
            Reason<ReasonId::kThen>(Reason<ReasonId::kLineLostAt>("1", "Set point"),
                                    Reason<ReasonId::kDidNotComeBack>("/dev/ttyUSB0", "5"));
        QCOMPARE(
            FailureText(SOperationOutcome::EOperation::Upload, ReasonText(lost, german), german),
            QString("Auslesen fehlgeschlagen: Leitung verloren bei Parameter 1 (Set point); "
                    "/dev/ttyUSB0 kam nicht innerhalb von 5 s zurück"));
        // A catalogue without the entries says the engine's English.
        QCOMPARE(ReasonText(lost, CMessageTable()), QString::fromStdString(English(lost)));
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
        QCOMPARE(SidePanelRect(frame, client, 40, EPanelSide::Right), QRect(1200, 130, 40, 566));
        QCOMPARE(SidePanelRect(frame, client, 40, EPanelSide::Over), QRect(404, 130, 40, 566));
    }

    void sidePanelNeverPushesTheWindowOffTheScreen() {
        const QRect screen(0, 0, 1920, 1080);
        auto place = [&](int left, int width) {
            const SPanelPlace p = PlaceSidePanel({left, 0, width, 700}, width / 4, screen);
            return std::make_pair(p.side, p.mainLeft);
        };
        QCOMPARE(place(400, 800), std::make_pair(EPanelSide::Left, 400));
        QCOMPARE(place(100, 800), std::make_pair(EPanelSide::Right, 100));
        // No room on either side: the window moves right while it still fits, else the
        // panel opens over it (a window as wide as the screen).
        QCOMPARE(place(100, 1500), std::make_pair(EPanelSide::Left, 375));
        QCOMPARE(place(0, 1920), std::make_pair(EPanelSide::Over, 0));
        QCOMPARE(place(0, 1600), std::make_pair(EPanelSide::Over, 0));
    }
};

QTEST_GUILESS_MAIN(MainDialogRulesTest)
#include "MainDialogRulesTest.moc"
