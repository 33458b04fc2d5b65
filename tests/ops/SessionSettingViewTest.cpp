#include "SessionFixture.h"
#include "support/FaultsWith.h"

TEST_F(SessionFixture, SteppingSkipsUnreadableParametersAndStopsAtTheEnd) {
    ConnectIn(EView::Setting);
    session->GoToItem(2);
    unit1->MakeUnreadable(4);
    session->StepDown();
    EXPECT_EQ(session->CurrentIndex(), 4);
    EXPECT_EQ(session->Shown().currentName, "Firmware");
    EXPECT_EQ(English(session->Shown().unreadReason), "");
    EXPECT_EQ(ui.cancelStarts, 1);
    EXPECT_EQ(ui.cancelCloses, 1);

    unit1->MakeUnreadable(6);
    const SResult stepped = session->StepDown();
    // Nothing further can be shown: the last parameter tried stays current, and says why.
    EXPECT_EQ(session->CurrentIndex(), 5);
    EXPECT_FALSE(session->Shown().hasNext);
    EXPECT_EQ(English(session->Shown().unreadReason),
              "cannot be read: answered with response code 0401");
    EXPECT_EQ(stepped.message, "answered with response code 0401");
    EXPECT_EQ(LogLinesAmong({"Down Arrow button pushed."}).size(), 2u);
}

TEST_F(SessionFixture, AnAbsentParameterIsShownByItsNameAlone) {
    unit1->Set(2, 0);
    ConnectIn(EView::Setting);
    session->GoToItem(2);
    EXPECT_EQ(session->CurrentIndex(), 2);
    const SShownParameter& shown = session->Shown();
    EXPECT_EQ(shown.currentName, "Alarm value");
    EXPECT_EQ(shown.currentValue, "");
    EXPECT_FALSE(shown.writable);
    EXPECT_TRUE(unit1->Commands("5203").empty());
}

// A value written and read back, a text that is no number, the read-back failure in the window:
// MainDialogTest.settingViewSteps..., the vexa-cli sessions cli/cases/get-set.cli and
// failures.cli. How the entry looks after a failure is the view's.
TEST_F(SessionFixture, AFailedWriteSaysWhyAndKeepsTheValueShown) {
    ConnectIn(EView::Setting);
    const SShownParameter& shown = session->Shown();
    session->GoToItem(5);
    unit1->MakeUnreadable(6);
    const SResult unread = session->Write("1.5");
    EXPECT_EQ(unit1->Get(6), 15);
    EXPECT_EQ(unread.code, ResultCode::kIncomplete);
    EXPECT_EQ(shown.currentValue, "12.3");
    EXPECT_TRUE(shown.writable);

    session->GoToItem(3);  // write mode 1: refused outside write mode
    const SResult refused = session->Write("7");
    EXPECT_EQ(refused.message, "not written: answered with response code 0401");
    EXPECT_EQ(shown.currentValue, "3");
}

TEST_F(SessionFixture, WriteModeAsksFirstAndRunsTheEnterAndLeaveLists) {
    ConnectIn(EView::Setting);
    session->GoToItem(3);
    EXPECT_TRUE(session->Shown().writeModeNeeded);
    EXPECT_FALSE(session->InWriteMode());

    ui.boxAnswer = COperatorUi::BoxAnswer::Cancel;
    EXPECT_EQ(session->SetWriteMode(true).code, ResultCode::kCancelled);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Enter write mode?"});
    EXPECT_FALSE(session->InWriteMode());
    EXPECT_TRUE(unit1->Commands("6C01").empty());

    ui.boxAnswer = COperatorUi::BoxAnswer::Ok;
    session->SetWriteMode(true);
    EXPECT_TRUE(session->InWriteMode());
    session->Write("5");
    EXPECT_EQ(unit1->Get(4), 5);
    // Stepping away and back finds the controller still in write mode.
    session->StepDown();
    EXPECT_FALSE(session->InWriteMode());
    session->StepUp();
    EXPECT_TRUE(session->InWriteMode());
    session->SetWriteMode(false);
    EXPECT_FALSE(session->InWriteMode());
    EXPECT_EQ(unit1->Commands().back(), "6C00");

    // A controller that refuses write mode: the result says why.
    sim.SetFaults(FaultsWith([](SimFaults& f) {
        f.ResponseCode = 0x0401;
        f.Scope.OnlyFor = "6C01";
    }));
    EXPECT_EQ(session->SetWriteMode(true).message,
              "write mode not entered: answered with response code 0401");
    EXPECT_FALSE(session->InWriteMode());

    // An entry taken but answered with a bad check byte may have put the controller into write
    // mode: leaving the line runs the leave list too (models whose DisConnect does not leave
    // write mode rely on it).
    sim.SetFaults(FaultsWith([](SimFaults& f) {
        f.CorruptCheck = true;
        f.Scope.OnlyFor = "6C01";
    }));
    session->SetWriteMode(true);
    EXPECT_FALSE(session->InWriteMode());
    sim.SetFaults({});
    const size_t leavesBefore = unit1->Commands("6C00").size();
    session->Disconnect();
    // The leave list's, then the model's DisConnect routine's own.
    EXPECT_EQ(unit1->Commands("6C00").size(), leavesBefore + 2);
}

TEST_F(SessionFixture, TheSettingViewButtonForgetsTheUploadedSet) {
    UploadInCloneView();
    EXPECT_TRUE(session->ValuesPresent());
    session->SetView(EView::Setting);
    EXPECT_EQ(session->View(), EView::Setting);
    EXPECT_FALSE(session->ValuesPresent());
    EXPECT_EQ(session->Shown().currentName, "Set point");
}
