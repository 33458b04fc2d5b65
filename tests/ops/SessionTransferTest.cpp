#include <gmock/gmock.h>

#include "SessionFixture.h"
#include "files/ParameterSet.h"

namespace {

using ::testing::ContainsRegex;
using ::testing::MatchesRegex;

const CMenuParamItem& Item(const CDeviceSession& s, int number) {
    return *s.Table()->FindByNumber(static_cast<uint16_t>(number));
}

// "number:status" of every parameter the last whole-set operation walked, in its order.
std::vector<std::string> Statuses(const CDeviceSession& s) {
    std::vector<std::string> out;
    for (const SParamStatus& entry : s.ParamStatuses())
        out.push_back(std::to_string(entry.number) + ":" + ParamStatusName(entry.status));
    return out;
}

}  // namespace

TEST_F(SessionFixture, CancellingAnUploadKeepsWhatWasRead) {
    ConnectIn(EView::Clone);
    // The stop button, pressed as the third parameter is about to be read.
    ui.onProgress = [&](int done) { ui.stopRequests += done == 2 ? 1 : 0; };
    EXPECT_EQ(session->Upload().code, ResultCode::kCancelled);
    EXPECT_EQ(Item(*session, 1).valid, 1);
    EXPECT_EQ(Item(*session, 2).valid, 1);
    EXPECT_EQ(Item(*session, 3).valid, 0);
    EXPECT_TRUE(LogHas("Upload canceled."));
    EXPECT_EQ(ui.cancelCloses, 1);
}

// A file that is no parameter set: MainDialogTest (the operator is told), ParamFileTest (why).
// Save, Export and Open as the operator uses them:
// MainDialogTest.cloneViewOperationsSayWhatTheyDid.
TEST_F(SessionFixture, AnotherModelsFileWarnsButIsRead) {
    ConnectIn(EView::Clone);
    session->Table()->FindByNumber(1)->setValue = "77";
    ASSERT_TRUE(SaveParameterSet(*session->Table(), "XY99 other", "2026/01/01 00:00:00",
                                 home.File("other.tmf"))
                    .Ok());
    EXPECT_TRUE(session->Open(home.File("other.tmf")).Ok());
    EXPECT_EQ(ui.messages, std::vector<std::string>{"The file was made for another model."});
    EXPECT_EQ(Item(*session, 1).setValue, "77");
    session->Save(home.File("set"));  // the extension is added
    EXPECT_EQ(session->OpenedFilePath(), home.File("set.tmf"));
}

TEST_F(SessionFixture, DownloadWritesTheSetIntoTheChosenUnitAndConnectsIt) {
    UploadInCloneView();
    for (int n : {1, 2, 3, 4, 6}) unit2->Set(n, 0);
    EXPECT_TRUE(session->Download(2).Ok());
    EXPECT_EQ(session->UnitNumber(), 2);
    // The write-mode parameter first, inside write mode; before and after routines around all.
    std::vector<std::string> writes;
    for (const std::string& c : unit2->Commands())
        if (c.rfind("57", 0) == 0 || c.rfind("71", 0) == 0) writes.push_back(c.substr(0, 4));
    EXPECT_EQ(writes,
              (std::vector<std::string>{"7101", "5704", "5701", "5702", "5703", "5706", "7100"}));
    const auto all = unit2->Commands();
    const auto enter = std::find(all.begin(), all.end(), "6C01");
    ASSERT_NE(enter, all.end());
    EXPECT_EQ((enter + 1)->substr(0, 4), "5704");
    EXPECT_EQ(Item(*session, 4).valid, 1);
    const std::vector<std::string> logged{"Download before action end.",
                                          "Download after action end.", "Download end."};
    EXPECT_EQ(LogLinesAmong(logged), logged);
}

TEST_F(SessionFixture, ATargetThatDoesNotAnswerLeavesEveryParameterNotTransferred) {
    UploadInCloneView();
    sim.SetResponder(2, nullptr);
    session->SetModelRequestWait(3, 50);
    const SResult result = session->Download(2);
    EXPECT_EQ(result.code, ResultCode::kNoAnswer);
    EXPECT_EQ(result.message, "the model request to unit 2 on " + sim.SlavePath() +
                                  ": no answer within 50 ms, 3 tries");
    EXPECT_EQ(session->UnitNumber(), 1);
    EXPECT_GT(session->Table()->CountWritableNotValid(), 0u);
}

TEST_F(SessionFixture, AValueThatDoesNotConvertIsNotSent) {
    UploadInCloneView();
    session->Table()->FindByNumber(1)->setValue = "not a number";
    const SResult result = session->Download(2);
    EXPECT_EQ(result.code, ResultCode::kIncomplete);
    EXPECT_EQ(result.message, "1 parameter failed");
    EXPECT_TRUE(result.Completed());
    EXPECT_EQ(Statuses(*session),
              (std::vector<std::string>{"4:ok", "1:failed", "2:ok", "3:ok", "6:ok"}));
    EXPECT_TRUE(unit2->Commands("5701").empty());
    EXPECT_EQ(Item(*session, 1).valid, 0);
}

TEST_F(SessionFixture, VerifyMarksEqualParametersAndSaysSoWhenAllAre) {
    UploadInCloneView();
    EXPECT_EQ(session->SetSourceText(), "TS01 test controller");
    EXPECT_EQ(ui.progress.back(), std::make_pair(7, 7));
    EXPECT_TRUE(session->Verify().Ok());
    EXPECT_EQ(session->Table()->CountWritableNotValid(), 0u);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Verify"});

    // Each parameter's status and both values: cli/cases/verify.cli.
    unit1->Set(1, 251);
    EXPECT_EQ(session->Verify().message, "1 parameter differs");
    EXPECT_EQ(Item(*session, 1).valid, 0);
    EXPECT_EQ(Item(*session, 2).valid, 1);
}

TEST_F(SessionFixture, ALostLineStopsEveryWholeSetOperationAndSaysWhere) {
    const struct {
        const char* name;
        std::function<SResult()> run;
    } cases[] = {
        {"upload", [&] { return session->Upload(); }},
        {"verify", [&] { return session->Verify(); }},
        {"download", [&] { return session->Download(1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A set to verify against and to download.
        ASSERT_NO_FATAL_FAILURE(UploadInCloneView());
        // Vanishes in the answer to the second parameter's command, and comes back later.
        std::vector<int> done;
        ui.onProgress = [&](int progress) {
            done.push_back(progress);
            if (progress != 1) return;
            SimFaults vanish;
            vanish.VanishAfterBytes = 3;
            vanish.ReturnAfterMs = 50;
            sim.SetFaults(vanish);
        };
        const size_t messagesBefore = ui.messages.size();
        const SResult result = c.run();
        ui.onProgress = nullptr;
        EXPECT_EQ(result.code, ResultCode::kLineLost);
        EXPECT_THAT(result.message, ContainsRegex("^line lost at parameter [0-9]+ \\(.+\\)"));
        // The walk ended there: no further parameter was tried, none called "not equal".
        ASSERT_GE(done.size(), 2u);
        EXPECT_EQ(done[done.size() - 2], 1);  // the last is the walk's closing progress
        EXPECT_EQ(ui.messages.size(), messagesBefore);
        EXPECT_FALSE(session->IsBusy());
        // The session has left the dead line, so that the next Link opens it afresh.
        EXPECT_FALSE(session->IsConnected());
        EXPECT_FALSE(session->Port().IsOpen());
        EXPECT_EQ(English(session->ConnectionLost()),
                  result.message.substr(0, result.message.find(';')));
        SimFaults clean;
        clean.ReturnAfterMs = 50;  // a pending return of the line stays
        sim.SetFaults(clean);
        ASSERT_TRUE(sim.WaitForLine(true, std::chrono::seconds(5)));
    }
}
