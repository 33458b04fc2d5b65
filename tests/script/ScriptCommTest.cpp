// The communication statements against the simulated controller on a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>

#include "protocol/FramePort.h"
#include "script/Script.h"
#include "support/LogCapture.h"
#include "support/SimFixture.h"
#include "support/TextCount.h"

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

    void Silence(const std::string& command) {
        SimFaults faults;
        faults.SilentFor = command;
        Sim.SetFaults(faults);
    }

    // The bus counts a command after it has answered it, so wait for the count to catch up.
    size_t Handled(size_t expected) {
        Sim.WaitForCommands(expected, std::chrono::milliseconds(2000));
        return Sim.CommandsHandled();
    }

    bool Logged(const std::string& text) const {
        return m_log.Text().find(text) != std::string::npos;
    }
    uint32_t Number(const std::string& name) { return m_script.FindVar(name)->GetNumber(); }
    std::string Text(const std::string& name) { return m_script.FindVar(name)->GetString(); }

    LogCapture m_log;
    CFramePort m_port;
    CScript m_script;
    CVarItem m_result;
    int m_attempts = 0;
};

// Routines that would wait for ever, or nearly: a stop request ends them at once, whatever
// attempt count the statement gives.
TEST_F(ScriptComm, AStopEndsARoutineThatWouldRunForEver) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "12");
    const struct {
        const char* name;
        Lines statements;
        SimFaults faults;
    } cases[] = {
        {"silent line, 2000000000 attempts",
         {"COMMREAD \"0101\", 0, 1, 15, 2, NOMASK, 2000000000, 50, s;"},
         [] {
             SimFaults f;
             f.SilentCommands = 1000000;
             return f;
         }()},
        {"endless loop of answered reads",
         {"::top;", "COMMREAD \"0101\", 0, 1, 15, 2, NOMASK, 3, 2000, s;", "JMP ::top;"},
         SimFaults{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sim.SetFaults(c.faults);
        m_log.Clear();
        // As the desktop program waits: short slices, asking after each whether to stop.
        m_port.SetPumpHook([] {});
        int asked = 0;
        m_port.SetCancelCheck([&] { return ++asked > 100; });
        ASSERT_TRUE(Load(c.statements)) << m_script.ErrorText();
        EXPECT_FALSE(m_script.Run(m_result));
        EXPECT_TRUE(Logged("command stopped.")) << m_log.Text();
        EXPECT_EQ(Number("@COMM_STATUS"), 0xFFFFFFFFu);
    }
}

// A fresh line of its own: an answer still on its way from an earlier routine must not reach
// this one.
TEST_F(ScriptComm, ALostLineEndsARoutineThatWouldRunForEver) {
    SimFaults vanish;
    vanish.VanishAfterBytes = 0;
    Sim.SetFaults(vanish);
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "12");
    m_port.SetPumpHook([] {});
    ASSERT_TRUE(Load({"COMMREAD \"0101\", 0, 1, 15, 2, NOMASK, 2000000000, 50, s;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_TRUE(Logged("line lost.")) << m_log.Text();
    EXPECT_EQ(Number("@COMM_STATUS"), 0xFFFFFFFFu);
}

TEST_F(ScriptComm, FieldIsCutThenMaskedIntoTheNumberAndTheAppendedText) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "12AB5678");
    Unit->SetAnswer(SimProtocol::Quadrel, "0102", "34");
    ASSERT_TRUE(Load({"COMMREAD \"0101\", 0, 1, 15, 4, 0xFF, 3, 2000, n;",
                      "COMMTYPEREAD \"0101\", 0, 1, 15, 4, 0xFF, 3, 2000;",
                      "COMMTYPEREAD \"0102\", 0, 1, 15, 2, NOMASK, 3, 2000;"}));
    ASSERT_TRUE(m_script.Run(m_result));
    EXPECT_EQ(Number("n"), 0xABu);
    EXPECT_EQ(Text("@RET_VALUE"), "AB34");
    EXPECT_EQ(Number("@COMM_STATUS"), 0u);
    EXPECT_EQ(Handled(3), 3u);
}

TEST_F(ScriptComm, NoMaskStoresTheFieldText) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "hello");
    ASSERT_TRUE(Load({"COMMREAD \"0101\", 0, 1, 15, 99, NOMASK, 3, 2000, s;"}));
    ASSERT_TRUE(m_script.Run(m_result));
    // The field runs to the end of the response frame text, ETX and BCC included.
    EXPECT_EQ(Text("s").substr(0, 6), "hello\x03");
}

TEST_F(ScriptComm, AtFrameCommands) {
    Unit->SetAnswer(SimProtocol::At, "RD", "0042");
    ASSERT_TRUE(Load({"COMMREAD \"RD\", 1, 1, 0, 1, NOMASK, 1, 2000, s;"}));
    ASSERT_TRUE(m_script.Run(m_result));
    EXPECT_EQ(Text("s"), "@");
    const Lines lines = m_log.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("SEND--> @", 0), 0u);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 21), "[FCS]*(0x0D) [Script]");
}

TEST_F(ScriptComm, FramesAreLoggedAsScriptLines) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "");
    ASSERT_TRUE(Load({"COMMTYPEREAD \"0101\", 0, 0, 0, 0, NOMASK, 3, 2000;"}));
    ASSERT_TRUE(m_script.Run(m_result));
    const Lines lines = m_log.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("SEND--> [STX]", 0), 0u);
    EXPECT_EQ(lines[1].rfind("RECV--> [STX]", 0), 0u);
    for (const std::string& line : lines) EXPECT_EQ(line.substr(line.size() - 9), " [Script]");
}

TEST_F(ScriptComm, SilenceIsSuccessWithoutReadFlag) {
    Silence("0101");
    ASSERT_TRUE(Load({"COMMTYPEREAD \"0101\", 0, 0, 0, 0, NOMASK, 3, 100;"}));
    EXPECT_TRUE(m_script.Run(m_result));
    EXPECT_FALSE(Logged("response time out.\n"));
    EXPECT_EQ(Text("@RET_VALUE"), "");
}

TEST_F(ScriptComm, SilenceWithReadFlagRetriesThenGivesUp) {
    Silence("0101");
    ASSERT_TRUE(Load({"STORE n, 7;", "COMMREAD \"0101\", 0, 1, 15, 4, 0xFFFF, 2, 100, n;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_EQ(Occurrences(m_log.Text(), "response time out.\n"), 2u);
    EXPECT_EQ(Occurrences(m_log.Text(), "command retry over.\n"), 1u);
    EXPECT_TRUE(Logged("script run error. line (2)\n"));
    EXPECT_EQ(m_attempts, 2);
    EXPECT_EQ(Number("n"), 7u);
    EXPECT_EQ(Number("@COMM_STATUS"), 0xFFFFFFFFu);
    EXPECT_EQ(m_result.Name(), "_ERROR_");
    EXPECT_EQ(m_result.Type(), kTypeString);
    EXPECT_EQ(m_result.GetString(), "_ERROR_");
}

TEST_F(ScriptComm, RejectedCommandUsesEveryAttempt) {
    // The canned unit rejects commands it does not know with a response code.
    ASSERT_TRUE(Load({"COMMTYPEREAD \"0999\", 0, 1, 15, 4, 0xFFFF, 3, 2000;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_EQ(Handled(3), 3u);
    EXPECT_FALSE(Logged("response time out.\n"));
    EXPECT_EQ(Occurrences(m_log.Text(), "command retry over.\n"), 1u);
    EXPECT_EQ(Text("@RET_VALUE"), "_ERROR_");
}

TEST_F(ScriptComm, ZeroAttemptsNeverSend) {
    ASSERT_TRUE(Load({"COMMTYPEREAD \"0101\", 0, 1, 15, 4, 0xFFFF, 0, 500;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_EQ(Sim.CommandsHandled(), 0u);
    EXPECT_EQ(m_log.Lines().front(), "command retry over.");
    EXPECT_EQ(Text("@RET_VALUE"), "_ERROR_");
}

TEST_F(ScriptComm, ShortResponseOrFieldWithoutHexDigitsFailsWithoutRetry) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "");
    ASSERT_TRUE(Load({"COMMREAD \"0101\", 0, 1, 40, 4, 0xFFFF, 3, 2000, n;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_EQ(Handled(1), 1u);
    EXPECT_FALSE(Logged("command retry over.\n"));
    EXPECT_EQ(m_result.GetString(), "_ERROR_");

    Unit->SetAnswer(SimProtocol::Quadrel, "0102", "ZZZZ");
    ASSERT_TRUE(Load({"COMMTYPEREAD \"0102\", 0, 1, 15, 4, 0xFFFF, 3, 2000;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_EQ(Text("@RET_VALUE"), "_ERROR_");
}

TEST_F(ScriptComm, EchoedCommandIsSkipped) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "00FF");
    SimFaults faults;
    faults.EchoCount = 1;
    Sim.SetFaults(faults);
    ASSERT_TRUE(Load({"COMMREAD \"0101\", 0, 1, 15, 4, 0xFFFF, 1, 2000, n;"}));
    ASSERT_TRUE(m_script.Run(m_result));
    EXPECT_EQ(Number("n"), 0xFFu);
}

TEST_F(ScriptComm, CommStatusSurvivesIntoTheNextRunAndIsCmdOkStepsOnAfterSuccess) {
    Silence("0101");
    ASSERT_TRUE(Load({"ISCMDOK ::missing;", "COMMTYPEREAD \"0101\", 0, 1, 15, 4, 0xFFFF, 1, 50;"}));
    EXPECT_FALSE(m_script.Run(m_result));
    EXPECT_TRUE(Logged("script run error. line (2)\n"));
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
