// Parameter commands and routines against the simulated controller on a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>

#include "app/Folders.h"
#include "ops/DeviceLink.h"
#include "ops/ParamExchange.h"
#include "ops/ParamRoutines.h"
#include "params/MenuCmdList.h"
#include "params/MenuParamTable.h"
#include "params/MenuUICmdItem.h"
#include "params/RoutineName.h"
#include "protocol/FramePort.h"
#include "support/LogCapture.h"
#include "support/SimFixture.h"
#include "support/TempFolder.h"

namespace {

class ParamExchange : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        ASSERT_TRUE(m_port.SetSettings(Sim.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(m_port.Open());
        m_link.port = &m_port;
        m_link.unitNumber = kUnit;
    }

    // A command with a short time-out so that silent attempts pass quickly.
    CMenuUICmdItem Command(const std::string& definition) {
        CMenuUICmdItem command;
        EXPECT_TRUE(command.Parse(definition)) << definition;
        command.timeout = 60;
        return command;
    }

    // The bus counts a command after its answer went out, so wait a moment for the count.
    size_t Handled(size_t expected) {
        Sim.WaitForCommands(expected, std::chrono::milliseconds(500));
        return Sim.CommandsHandled();
    }

    LogCapture m_log;
    CFramePort m_port;
    DeviceLink m_link;
};

}  // namespace

// Quadrel frames for another unit: quadrel-build in protocol/frames.cases, and a download into unit
// 2 in the vexa-cli session cli/cases/statuses.cli; at-frames for another unit are pinned here
// alone.
TEST_F(ParamExchange, BuildsAtFramesForTheUnitAskedFor) {
    const CMenuUICmdItem at = Command("WB;1;0;1;1;0");
    EXPECT_EQ(BuildCommandFrame(m_link, at, "00FA", 3).substr(0, 9), "@03WB00FA");
    EXPECT_EQ(BuildCommandFrame(m_link, at, "00FA", 100), "");  // not addressable
}

// A command's retry count gives the attempts after the first: FaultMatrix's LateAnswer and
// TwoEchoes rows (retried away), cli/cases/timeouts.cli.
TEST_F(ParamExchange, ClosedPortFailsSilently) {
    m_port.Close();
    EXPECT_EQ(ExecuteCommand(m_link, Command("5202;1;2;0;1;0")).code, ResultCode::kNotConnected);
    m_link.port = nullptr;
    EXPECT_EQ(ExecuteCommand(m_link, Command("5202;1;2;0;1;0")).code, ResultCode::kNotConnected);
    EXPECT_EQ(m_log.Text(), "");
    EXPECT_EQ(Handled(0), 0u);
}

TEST_F(ParamExchange, CommandListStopsAtTheFirstFailure) {
    Unit->SetAnswer(SimProtocol::Quadrel, "6C01", "");
    Unit->SetAnswer(SimProtocol::Quadrel, "6C02", "");
    CMenuCmdList list;
    list.groupSize = 5;
    ASSERT_TRUE(list.Parse("6C01;1;0;0;1;6C02;1;0;0;1"));
    EXPECT_TRUE(RunCommandList(m_link, list).Ok());
    EXPECT_EQ(Handled(2), 2u);

    ASSERT_TRUE(list.Parse("6C01;1;0;0;1;7777;1;0;0;1;6C02;1;0;0;1"));  // 7777 is refused
    const SResult refused = RunCommandList(m_link, list);
    EXPECT_EQ(refused.code, ResultCode::kBadAnswer);
    EXPECT_EQ(refused.message.rfind("answered with ", 0), 0u) << refused.message;
    EXPECT_EQ(Handled(4), 4u);

    list.Clear();
    EXPECT_FALSE(RunCommandList(m_link, list).Ok());
    EXPECT_EQ(Handled(4), 4u);
}

TEST_F(ParamExchange, MissingOrFailingRoutinesAreFailures) {
    std::string folder;
    ASSERT_TRUE(GetModuleFolder(folder));
    m_link.tablePath = folder + "HD40.prm";
    CMenuParamTable table;
    ASSERT_TRUE(table.Load(m_link.tablePath).Ok());
    const CMenuParamItem& alarmValue = *table.FindByNumber(9);
    const SResultOf<bool> missing = EvaluateCondition(m_link, alarmValue, "/nonexistent/table");
    EXPECT_EQ(missing.code, ResultCode::kModelNotLoaded);
    EXPECT_FALSE(missing.value);

    SimFaults faults;
    faults.ResponseCode = 0x2203;  // every read refused
    Sim.SetFaults(faults);
    // The routine's failed command says what came back, for the operator's message.
    const SResultOf<bool> refused = EvaluateCondition(m_link, alarmValue, m_link.tablePath);
    EXPECT_EQ(refused.code, ResultCode::kBadAnswer);
    EXPECT_EQ(refused.message, "answered with response code 2203");
    EXPECT_NE(m_log.Text().find("script run error."), std::string::npos);
}

TEST(ParamRoutinesResult, TextResultIsAFailureNotANonExistence) {
    TempFolder folder;
    CMenuParamItem item;
    item.number = 4;
    item.condition = 1;
    item.conditionText = "T";
    item.scaleScript = 1;
    item.scaleText = "T";
    std::string routine =
        ":VarBegin;\nvar STRING s;\n:VarEnd;\n:Begin;\nSTORE s,\"1\";\nRET s;\n:End;\n";
    std::string path = folder.Write("t.prm", "[" + ConditionRoutineName(item) + "]\n" + routine +
                                                 "[" + ScaleRoutineName(item) + "]\n" + routine);
    DeviceLink link;
    const SResultOf<bool> exists = EvaluateCondition(link, item, path);
    EXPECT_FALSE(exists.Ok());
    EXPECT_FALSE(exists.value);
    EXPECT_EQ(EvaluateScale(link, item, path).message,
              "the routine " + ScaleRoutineName(item) + " returned no number");
}
