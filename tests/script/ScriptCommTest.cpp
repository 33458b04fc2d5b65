// The communication statements against the simulated controller on a pseudo-terminal, where
// a stop or state across runs is involved (the others: cases/comm_*.vxs).
#include <gtest/gtest.h>

#include "protocol/FramePort.h"
#include "script/Script.h"
#include "support/FaultsWith.h"
#include "support/LogCapture.h"
#include "support/SimFixture.h"

namespace {

using Lines = std::vector<std::string>;

class ScriptComm : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        ASSERT_TRUE(m_port.SetSettings(Sim.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(m_port.Open());
        m_port.SetAttemptHook([this] { ++m_attempts; });
    }

    // Loads a routine with the variables n (DWORD) and s (STRING) around the given statements.
    bool Load(const Lines& statements) {
        Lines lines{":VarBegin;", "var DWORD n;", "var STRING s;", ":VarEnd;", ":Begin;"};
        lines.insert(lines.end(), statements.begin(), statements.end());
        lines.push_back(":End;");
        m_script.SetPort(&m_port);
        m_script.SetUnitNumber(kUnit);
        return m_script.Load(lines);
    }

    bool Logged(const std::string& text) const {
        return m_log.Text().find(text) != std::string::npos;
    }
    uint32_t Number(const std::string& name) { return m_script.FindVar(name)->GetNumber(); }

    LogCapture m_log;
    CFramePort m_port;
    CScript m_script;
    CVarItem m_result;
    int m_attempts = 0;
};

// A routine that would loop for ever on answered reads: a stop request ends it at once.
TEST_F(ScriptComm, AStopEndsARoutineThatWouldRunForEver) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "12");
    // As the desktop program waits: short slices, asking after each whether to stop.
    m_port.SetPumpHook([] {});
    int asked = 0;
    m_port.SetCancelCheck([&] { return ++asked > 100; });
    ASSERT_TRUE(
        Load({"::top;", "COMMREAD \"0101\", 0, 1, 15, 2, NOMASK, 3, 2000, s;", "JMP ::top;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_TRUE(Logged("command stopped.")) << m_log.Text();
    EXPECT_EQ(Number("@COMM_STATUS"), 0xFFFFFFFFu);
}

// Silence with the read flag uses every attempt, then fails the routine.
TEST_F(ScriptComm, SilenceFailsAndCommStatusSurvivesIntoTheNextRunAndIsCmdOkStepsOnAfterSuccess) {
    Sim.SetFaults(FaultsWith([](SimFaults& f) { f.SilentFor = "0101"; }));
    ASSERT_TRUE(Load({"ISCMDOK ::missing;", "STORE n, 7;",
                      "COMMREAD \"0101\", 0, 1, 15, 4, 0xFFFF, 2, 100, n;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_TRUE(Logged("script run error. line (3)\n"));
    EXPECT_EQ(m_attempts, 2);
    EXPECT_EQ(Number("n"), 7u);
    EXPECT_EQ(m_result.Name(), "_ERROR_");
    EXPECT_EQ(m_result.Type(), kTypeString);
    EXPECT_EQ(m_result.GetString(), "_ERROR_");
    // "@COMM_STATUS" is still -1: ISCMDOK now jumps to a label that does not exist.
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_TRUE(Logged("script run error. line (1)\n"));

    Unit->SetAnswer(SimProtocol::Quadrel, "0102", "");
    ASSERT_TRUE(Load({"COMMTYPEREAD \"0102\", 0, 0, 0, 0, NOMASK, 1, 2000;", "ISCMDOK ::missing;",
                      "STORE n, 1;", "IF @COMM_STATUS, ==, 0, ::ok, ::bad;", "::bad;",
                      "STORE n, 2;", "::ok;"}));
    ASSERT_TRUE(m_script.Run(m_result));
    EXPECT_EQ(Number("n"), 1u);
}

}  // namespace
