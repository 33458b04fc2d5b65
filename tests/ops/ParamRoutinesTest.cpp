// Condition and scale routines of VEXA's own models, run against the simulated controller.
#include <gtest/gtest.h>

#include <chrono>

#include "app/Folders.h"
#include "ops/DeviceLink.h"
#include "ops/ParamRoutines.h"
#include "params/MenuParamTable.h"
#include "params/RoutineName.h"
#include "protocol/FramePort.h"
#include "support/LogCapture.h"
#include "support/SimFixture.h"
#include "support/TempFolder.h"

namespace {

class ParamRoutines : public SimFixture {
protected:
    void SetUp() override {
        SimFixture::SetUp();
        ASSERT_TRUE(port_.SetSettings(Sim.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(port_.Open());
        link_.port = &port_;
        link_.unitNumber = kUnit;
        std::string folder;
        ASSERT_TRUE(GetModuleFolder(folder));
        tablePath_ = folder + "HD40.prm";
        ASSERT_EQ(table_.Load(tablePath_), 1);
    }

    CMenuParamItem& Item(uint16_t number) { return *table_.FindByNumber(number); }

    // The bus counts a command after its answer went out, so wait a moment for the count.
    size_t Handled(size_t expected) {
        Sim.WaitForCommands(expected, std::chrono::milliseconds(500));
        return Sim.CommandsHandled();
    }

    LogCapture log_;
    CFramePort port_;
    DeviceLink link_;
    std::string tablePath_;
    CMenuParamTable table_;
};

constexpr uint16_t kSetPoint = 2;
constexpr uint16_t kOutputLevel = 3;
constexpr uint16_t kAlarm1Value = 9;
constexpr uint16_t kOnOffHysteresis = 22;
const char* const kReadDecimalPoint = "5220";
const char* const kReadAlarm1Type = "5208";
const char* const kReadControlMode = "5211";

}  // namespace

TEST_F(ParamRoutines, ScaleFollowsTheDecimalPointParameter) {
    const std::pair<const char*, int32_t> cases[] = {{"0000", 1}, {"0001", 10}, {"0002", 100}};
    for (const auto& [decimalPoint, scale] : cases) {
        Unit->SetAnswer(SimProtocol::Quadrel, kReadDecimalPoint, decimalPoint);
        Item(kSetPoint).ResetDerived();
        ASSERT_EQ(EvaluateScale(link_, Item(kSetPoint), tablePath_), 1) << log_.Text();
        EXPECT_EQ(Item(kSetPoint).scale, scale);
    }
    EXPECT_EQ(Item(kSetPoint).ToDisplayText("0000303A"), "123.46");
}

TEST_F(ParamRoutines, FixedScaleNeedsNoExchange) {
    ASSERT_EQ(EvaluateScale(link_, Item(kOutputLevel), tablePath_), 1);
    EXPECT_EQ(Item(kOutputLevel).scale, 10);
    EXPECT_EQ(Handled(0), 0u);
}

TEST_F(ParamRoutines, AlarmValueExistsOnlyWithAnAlarmType) {
    CMenuParamItem& value = Item(kAlarm1Value);
    Unit->SetAnswer(SimProtocol::Quadrel, kReadAlarm1Type, "0000");
    value.exists = 1;
    ASSERT_EQ(EvaluateCondition(link_, value, tablePath_), 1);
    EXPECT_EQ(value.Exists(), 0);

    Unit->SetAnswer(SimProtocol::Quadrel, kReadAlarm1Type, "0003");
    ASSERT_EQ(EvaluateCondition(link_, value, tablePath_), 1);
    EXPECT_EQ(value.Exists(), 1);

    // With a result output the item's own field is left alone.
    Unit->SetAnswer(SimProtocol::Quadrel, kReadAlarm1Type, "0000");
    int exists = 7;
    ASSERT_EQ(EvaluateCondition(link_, value, tablePath_, &exists), 1);
    EXPECT_EQ(exists, 0);
    EXPECT_EQ(value.exists, 1);
}

TEST_F(ParamRoutines, HysteresisExistsOnlyInOnOffMode) {
    Unit->SetAnswer(SimProtocol::Quadrel, kReadControlMode, "0001");
    int exists = -1;
    ASSERT_EQ(EvaluateCondition(link_, Item(kOnOffHysteresis), tablePath_, &exists), 1);
    EXPECT_EQ(exists, 0);
    Unit->SetAnswer(SimProtocol::Quadrel, kReadControlMode, "0000");
    ASSERT_EQ(EvaluateCondition(link_, Item(kOnOffHysteresis), tablePath_, &exists), 1);
    EXPECT_EQ(exists, 1);
}

TEST_F(ParamRoutines, NoRoutineMeansKnownWithoutReadingTheFile) {
    int exists = 0;
    Item(kSetPoint).exists = 0;
    Item(kSetPoint).scale = 5;
    EXPECT_EQ(EvaluateCondition(link_, Item(kSetPoint), "/nonexistent/table", &exists), 1);
    EXPECT_EQ(exists, 1);
    EXPECT_EQ(EvaluateCondition(link_, Item(kSetPoint), "/nonexistent/table"), 1);
    EXPECT_EQ(Item(kSetPoint).exists, 0);
    Item(kSetPoint).scaleScript = 0;
    EXPECT_EQ(EvaluateScale(link_, Item(kSetPoint), "/nonexistent/table"), 1);
    EXPECT_EQ(Item(kSetPoint).scale, 5);
}

TEST_F(ParamRoutines, MissingOrFailingRoutinesAreFailures) {
    int exists = 9;
    EXPECT_EQ(EvaluateCondition(link_, Item(kAlarm1Value), "/nonexistent/table", &exists), 0);
    EXPECT_EQ(exists, 0);

    SimFaults faults;
    faults.ResponseCode = 0x2203;  // every read refused
    Sim.SetFaults(faults);
    EXPECT_EQ(EvaluateCondition(link_, Item(kAlarm1Value), tablePath_), 0);
    EXPECT_NE(log_.Text().find("script run error."), std::string::npos);
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
    int exists = 5;
    item.scale = 3;
    EXPECT_EQ(EvaluateCondition(link, item, path, &exists), 0);
    EXPECT_EQ(exists, 0);
    EXPECT_EQ(EvaluateScale(link, item, path), 0);
    EXPECT_EQ(item.scale, 3);
}
