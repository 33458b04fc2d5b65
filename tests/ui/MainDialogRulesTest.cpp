// The setting view's write box and entry, the side panel's rows and verify's table, and the
// engine's reasons worded by the catalogue. The enabling and geometry rules: ui.cases.
#include <QtTest>

#include "app/ConfigFiles.h"
#include "app/MessageTable.h"
#include "params/MenuParamTable.h"
#include "ui/OutcomeText.h"
#include "ui/ReasonText.h"
#include "ui/SettingViewModel.h"
#include "ui/SidePanelRows.h"
#include "ui/VerifyResults.h"

class MainDialogRulesTest : public QObject {
    Q_OBJECT
  private slots:
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
        CMessageTable catalogue;
        QVERIFY(LoadMessageCatalogue(catalogue));
        const std::vector<SSidePanelRow> rows = SidePanelRowsFor(table, true, statuses, catalogue);
        std::vector<std::string> texts;
        for (const SSidePanelRow& row : rows) texts.push_back(row.text);
        // Without a status (a file opened), a parameter without a value is still marked, unless
        // it is only displayed and never transferred.
        QCOMPARE(texts, (std::vector<std::string>{"Ok", "- Absent", "? Not in set", "! Failed",
                                                  "<> Differs", "! Unwalked", "Display only"}));
        QCOMPARE(rows[4].toolTip, std::string("Differs: differs: file 25.0, controller 18.5"));
        QCOMPARE(SidePanelRowsFor(table, false, {}, catalogue)[5].text, std::string("Unwalked"));

        // Verify's table: the walked parameters, a controller value only where one was read.
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
};

QTEST_GUILESS_MAIN(MainDialogRulesTest)
#include "MainDialogRulesTest.moc"
