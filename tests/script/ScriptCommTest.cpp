// The communication statements against the simulated controller on a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>

#include "protocol/FramePort.h"
#include "script/Script.h"
#include "support/FaultsWith.h"
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

    // Loads a routine with the variables n (DWORD), s and t (STRING) around the given statements.
    bool Load(const Lines& statements) {
        Lines lines{":VarBegin;",    "var DWORD n;", "var STRING s;",
                    "var STRING t;", ":VarEnd;",     ":Begin;"};
        lines.insert(lines.end(), statements.begin(), statements.end());
        lines.push_back(":End;");
        m_script.SetPort(&m_port);
        m_script.SetUnitNumber(kUnit);
        return m_script.Load(lines);
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

TEST_F(ScriptComm, FieldIsCutThenMaskedIntoTheNumberAndTheAppendedTextAndFramesAreLogged) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "12AB5678");
    Unit->SetAnswer(SimProtocol::Quadrel, "0102", "34");
    Unit->SetAnswer(SimProtocol::Quadrel, "0103", "hello");
    Unit->SetAnswer(SimProtocol::At, "RD", "0042");
    ASSERT_TRUE(Load({"COMMREAD \"0101\", 0, 1, 15, 4, 0xFF, 3, 2000, n;",
                      "COMMTYPEREAD \"0101\", 0, 1, 15, 4, 0xFF, 3, 2000;",
                      "COMMTYPEREAD \"0102\", 0, 1, 15, 2, NOMASK, 3, 2000;",
                      "COMMREAD \"0103\", 0, 1, 15, 99, NOMASK, 3, 2000, s;",
                      "COMMREAD \"RD\", 1, 1, 0, 1, NOMASK, 1, 2000, t;"}));
    ASSERT_TRUE(m_script.Run(m_result));
    EXPECT_EQ(Number("n"), 0xABu);
    EXPECT_EQ(Text("@RET_VALUE"), "AB34");
    // Without a mask the text is stored; the field runs to the end of the response frame text,
    // ETX and BCC included.
    EXPECT_EQ(Text("s").substr(0, 6), "hello\x03");
    EXPECT_EQ(Text("t"), "@");
    EXPECT_EQ(Number("@COMM_STATUS"), 0u);
    EXPECT_EQ(Handled(5), 5u);
    // Frames of both kinds are logged as script lines.
    const Lines lines = m_log.Lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[8].rfind("SEND--> @", 0), 0u);
    EXPECT_EQ(lines[8].substr(lines[8].size() - 21), "[FCS]*(0x0D) [Script]");
    for (const std::string& line : lines) EXPECT_EQ(line.substr(line.size() - 9), " [Script]");
}

// Every answer has come back, or none was asked for, when a case's routine ends: the cases can
// share the line.
TEST_F(ScriptComm, EachAnswerOrSilenceEndsTheAttemptsAsTheStatementSays) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "");
    Unit->SetAnswer(SimProtocol::Quadrel, "0102", "ZZZZ");
    Unit->SetAnswer(SimProtocol::Quadrel, "0103", "00FF");
    const SimFaults none;
    const struct {
        const char* name;
        SimFaults faults;
        const char* statement;
        bool runs;
        size_t sent;
        size_t retriesOver;  // "command retry over." lines
        const char* var;     // and its value afterwards; null: the routine's result
        const char* value;
    } cases[] = {
        {"silence without the read flag is success",
         FaultsWith([](SimFaults& f) { f.SilentFor = "0101"; }),
         "COMMTYPEREAD \"0101\", 0, 0, 0, 0, NOMASK, 3, 100;", true, 1, 0, "@RET_VALUE", ""},
        // The canned unit refuses commands it does not know with a response code.
        {"a refused command uses every attempt", none,
         "COMMTYPEREAD \"0999\", 0, 1, 15, 4, 0xFFFF, 3, 2000;", false, 3, 1, "@RET_VALUE",
         "_ERROR_"},
        {"no attempts send nothing", none, "COMMTYPEREAD \"0101\", 0, 1, 15, 4, 0xFFFF, 0, 500;",
         false, 0, 1, "@RET_VALUE", "_ERROR_"},
        {"a response too short for the field is not retried", none,
         "COMMREAD \"0101\", 0, 1, 40, 4, 0xFFFF, 3, 2000, n;", false, 1, 0, nullptr, "_ERROR_"},
        {"a field without hex digits is not retried", none,
         "COMMTYPEREAD \"0102\", 0, 1, 15, 4, 0xFFFF, 3, 2000;", false, 1, 0, "@RET_VALUE",
         "_ERROR_"},
        {"an echoed command is skipped", FaultsWith([](SimFaults& f) { f.EchoCount = 1; }),
         "COMMREAD \"0103\", 0, 1, 15, 4, 0xFFFF, 1, 2000, n;", true, 1, 0, "n", "255"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sim.SetFaults(c.faults);
        m_log.Clear();
        const size_t before = Sim.CommandsHandled();
        ASSERT_TRUE(Load({c.statement})) << m_script.ErrorText();
        EXPECT_EQ(m_script.Run(m_result), c.runs);
        EXPECT_EQ(Handled(before + c.sent) - before, c.sent);
        EXPECT_EQ(Occurrences(m_log.Text(), "command retry over.\n"), c.retriesOver);
        EXPECT_FALSE(Logged("response time out.\n"));
        const CVarItem& var = c.var ? *m_script.FindVar(c.var) : m_result;
        EXPECT_EQ(var.Type() == kTypeString ? var.GetString() : std::to_string(var.GetNumber()),
                  c.value);
    }
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
