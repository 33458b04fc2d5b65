// The run interface: results handed back, and what a failed load or run leaves in the log.
#include <gtest/gtest.h>

#include "script/RunRoutine.h"
#include "script/Script.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

namespace {

TEST(RunReport, FailingStatementLogsItsLineIndex) {
    LogCapture log;
    CScript script;
    // :Begin is line 0 and labels count: the DIV is line 3.
    ASSERT_TRUE(script.Load({":VarBegin;", "var INT n;", ":VarEnd;", ":Begin;", "ADD n, 1;",
                             "::here;", "DIV n, 0;", ":End;"}));
    CVarItem result;
    result.Set("old", kTypeInt, 5);
    EXPECT_FALSE(script.Run(result));
    EXPECT_EQ(log.Text(), "script run error. line (3)\n");
    EXPECT_EQ(result.Type(), kTypeNone);  // the reset return variable is still handed back
}

TEST(RunReport, EndlessRoutineIsStoppedAndSaysWhy) {
    LogCapture log;
    CScript script;
    ASSERT_TRUE(script.Load({":Begin;", "::spin;", "JMP ::spin;", ":End;"}));
    script.SetStepLimit(1000);
    CVarItem result;
    EXPECT_FALSE(script.Run(result));
    EXPECT_EQ(log.Text(), "script stopped after 1000 steps.\nscript run error. line (2)\n");
}

class RunRoutineFile : public ::testing::Test {
  protected:
    TempFolder m_folder;
    const std::string m_path = m_folder.Write(
        "model.scp",
        "[Connect]\n:VarBegin;\nvar STRING model;\n:VarEnd;\n:Begin;\n"
        "STORE model, \"TX42\";\nRET model;\n:End;\n"
        "[Broken]\n:Begin;\nADD;\n:End;\n"
        "[Failing]\n:VarBegin;\nvar INT n;\n:VarEnd;\n:Begin;\nDIV n, 0;\n:End;\n"
        "[00000001]\n:VarBegin;\nvar WORD on;\n:VarEnd;\n:Begin;\nSTORE on, 1;\nRET on;\n:End;\n");
};

TEST_F(RunRoutineFile, HandsBackTheResultOfEachRoutine) {
    LogCapture log;
    CVarItem result;
    ASSERT_TRUE(RunScriptRoutine(m_path, "Connect", nullptr, 1, result));
    EXPECT_EQ(result.Type(), kTypeString);
    EXPECT_EQ(result.GetString(), "TX42");
    ASSERT_TRUE(RunScriptRoutine(m_path, "00000001", nullptr, 1, result));
    EXPECT_TRUE(result.IsNumeric());
    EXPECT_EQ(result.GetNumber(), 1u);
    EXPECT_EQ(log.Text(), "");
}

TEST_F(RunRoutineFile, MissingSectionFailsSilentlyLoadAndRunFailuresAreReported) {
    LogCapture log;
    CVarItem result;
    EXPECT_FALSE(RunScriptRoutine(m_path, "DisConnect", nullptr, 1, result));
    EXPECT_FALSE(RunScriptRoutine(m_path + ".absent", "Connect", nullptr, 1, result));
    EXPECT_EQ(log.Text(), "");
    EXPECT_FALSE(RunScriptRoutine(m_path, "Broken", nullptr, 1, result));
    EXPECT_EQ(log.Text(),
              "script error. information start.\n   2 ADD;\nscript error. information end.\n");
    log.Clear();
    EXPECT_FALSE(RunScriptRoutine(m_path, "Failing", nullptr, 1, result));
    EXPECT_EQ(log.Text(), "script run error. line (1)\n");
}

}  // namespace
