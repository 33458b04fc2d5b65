// The run interface: results handed back, and what a failed load or run leaves in the log
// (what a failing routine logs: cases/fail_div_zero.vxs, cases/fail_endless_loop.vxs).
#include <gtest/gtest.h>

#include <string>

#include "script/RunRoutine.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

namespace {

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
    const SResultOf<CVarItem> key = RunScriptRoutine(m_path, "Connect", nullptr, 1);
    ASSERT_TRUE(key.Ok());
    EXPECT_EQ(key.value.Type(), kTypeString);
    EXPECT_EQ(key.value.GetString(), "TX42");
    const SResultOf<CVarItem> on = RunScriptRoutine(m_path, "00000001", nullptr, 1);
    ASSERT_TRUE(on.Ok());
    EXPECT_TRUE(on.value.IsNumeric());
    EXPECT_EQ(on.value.GetNumber(), 1u);
    EXPECT_EQ(log.Text(), "");
}

TEST_F(RunRoutineFile, MissingSectionFailsSilentlyLoadAndRunFailuresAreReported) {
    LogCapture log;
    const auto why = [&](const std::string& path, const std::string& routine) {
        return RunScriptRoutine(path, routine, nullptr, 1).message;
    };
    EXPECT_EQ(why(m_path, "DisConnect"), "the routine DisConnect cannot be read");
    EXPECT_EQ(why(m_path + ".absent", "Connect"), "the routine Connect cannot be read");
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(why(m_path, "Broken"), "the routine Broken does not load");
    EXPECT_EQ(log.Text(),
              "script error. information start.\n   2 ADD;\nscript error. information end.\n");
    log.Clear();
    EXPECT_EQ(why(m_path, "Failing"), "the routine stopped at line 1");
    EXPECT_EQ(log.Text(), "script run error. line (1)\n");
}

}  // namespace
