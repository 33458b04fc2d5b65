#include <functional>

#include "SessionFixture.h"
#include "support/FaultsWith.h"

TEST_F(SessionFixture, ConnectIdentifiesTheModelLoadsItsTableAndShowsTheFirstParameter) {
    ConnectIn(EView::Setting);
    // The model's text, name and item count: the vexa-cli session cli/cases/json-layout.cli; the
    // first parameter's name and value, Up disabled: MainDialogTest.settingViewSteps...
    EXPECT_EQ(session->TablePath(), home.File("TS01.prm"));
    EXPECT_EQ(session->FormatConnectionStatus(),
              sim.SlavePath() + " 38400 7 2 Even Unit:1  TS01 test controller");
    EXPECT_TRUE(LogHas("Connected. " + session->FormatConnectionStatus()));
    const SShownParameter& shown = session->Shown();
    EXPECT_EQ(shown.nextName, "Alarm type");
    EXPECT_FALSE(shown.hasPrevious);
    EXPECT_TRUE(shown.hasNext);
    // Writable 1 and write mode 0: ready to write at once.
    EXPECT_TRUE(shown.writable);
    EXPECT_FALSE(shown.writeModeNeeded);
}

// Unlink runs the DisConnect routine and forgets the model: ProgramRunTest.leavingTheProgram...
// (Unlink), MainDialogTest.settingViewStepsWritesAndDisconnects.
TEST_F(SessionFixture, AFailedConnectSaysWhyAndEndsDisconnected) {
    session->SetModelRequestWait(3, 50);
    const std::string missingPort = home.File("no-such-tty");
    const std::string request = "the model request to unit 1 on " + sim.SlavePath() + ": ";
    auto faults = [this](void (*change)(SimFaults&)) {
        return [this, change] { sim.SetFaults(FaultsWith(change)); };
    };
    auto model = [this](const char* text) {
        return [this, text] { sim.SetResponder(1, std::make_shared<TestController>(text)); };
    };
    const struct {
        const char* name;
        std::function<void()> arrange;
        ResultCode code;
        std::string message;
    } cases[] = {
        // First: the only row whose attempts time out.
        {"no answer", [this] { sim.SetResponder(1, nullptr); }, ResultCode::kNoAnswer,
         request + "no answer within 50 ms, 3 tries"},
        {"corrupt answers", faults([](SimFaults& f) { f.CorruptCheck = true; }),
         ResultCode::kBadAnswer, request + "answered with a bad check byte"},
        {"end code", faults([](SimFaults& f) { f.EndCode = 0x0F; }), ResultCode::kBadAnswer,
         request + "answered with end code 0F"},
        {"response code", faults([](SimFaults& f) { f.ResponseCode = 0x1001; }),
         ResultCode::kBadAnswer, request + "answered with response code 1001"},
        {"model text leaving the model folder", model("../x"), ResultCode::kModelNotLoaded,
         "the model \"../x\" of unit 1 names no model file"},
        {"no model files", model("ZZ99"), ResultCode::kModelNotLoaded,
         "the model \"ZZ99\" of unit 1 has no script file ZZ99.scp"},
        // Last: the line stays on the missing port.
        {"port missing",
         [&] {
             CCommSettings line;
             line.portName = missingPort;
             session->ApplyCommSettings(line, 1);
         },
         ResultCode::kPortMissing, "port " + missingPort + " does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        const SResult result = session->Connect(1);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.message, c.message);
        EXPECT_FALSE(session->IsConnected());
        EXPECT_FALSE(session->Port().IsOpen());
        EXPECT_EQ(session->Table(), nullptr);
        if (c.code == ResultCode::kNoAnswer) {
            EXPECT_EQ(LogLinesAmong({"response time out.", "command retry over.", "Disconnected."}),
                      (std::vector<std::string>{"response time out.", "response time out.",
                                                "response time out.", "command retry over.",
                                                "Disconnected."}));
        }
        sim.SetFaults({});
        sim.SetResponder(1, unit1);
    }
    EXPECT_TRUE(LogHas("Model text [../x] names no model file."));
}

TEST_F(SessionFixture, AFixedTableSkipsTheModelRequest) {
    home.Write("Skyloom.set", home.Read("TS01.prm"));
    ConnectIn(EView::Clone);
    EXPECT_EQ(session->TablePath(), home.File("Skyloom.set"));
    EXPECT_TRUE(unit1->Commands("0503").empty());
    // Parameter 0 is read to prove the controller is there.
    EXPECT_FALSE(unit1->Commands("5201").empty());
}

TEST_F(SessionFixture, NewLineSettingsCloseTheConnectionWithoutItsRoutine) {
    ConnectIn(EView::Clone);
    const size_t before = unit1->Commands().size();
    CCommSettings line;
    line.portName = sim.SlavePath();
    line.baudRate = 9600;
    session->ApplyCommSettings(line, 2);
    EXPECT_FALSE(session->IsConnected());
    EXPECT_FALSE(session->Port().IsOpen());
    EXPECT_EQ(unit1->Commands().size(), before);
    EXPECT_EQ(session->UnitNumber(), 2);
}
