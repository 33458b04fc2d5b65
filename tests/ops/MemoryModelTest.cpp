// A parameter exchange with a simulated HD40 that keeps its parameters in memory: conditions
// and scales follow what was written.
#include <gtest/gtest.h>

#include <memory>

#include "app/Folders.h"
#include "ops/DeviceLink.h"
#include "ops/ParamExchange.h"
#include "ops/ParamRoutines.h"
#include "params/MenuParamTable.h"
#include "protocol/FramePort.h"
#include "sim/MemoryResponder.h"
#include "sim/SimBus.h"
#include "support/LogCapture.h"

namespace {

constexpr int kUnit = 1;

class MemoryModelExchange : public ::testing::Test {
protected:
    void SetUp() override {
        std::string folder, error;
        ASSERT_TRUE(GetModuleFolder(folder));
        SimProfile profile;
        ASSERT_TRUE(LoadSimProfile(folder + "HD40.sim", profile, error)) << error;
        auto model = std::make_shared<MemoryModel>();
        ASSERT_TRUE(model->Load(profile, error)) << error;
        unit_ = std::make_shared<MemoryResponder>(model, profile);
        sim_.SetResponder(kUnit, unit_);
        ASSERT_TRUE(sim_.Start()) << sim_.Error();
        ASSERT_TRUE(port_.SetSettings(sim_.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(port_.Open());
        link_ = DeviceLink{&port_, kUnit, folder + "HD40.prm"};
        ASSERT_EQ(table_.Load(link_.tablePath), 1);
    }

    bool Write(uint16_t number, const std::string& setValue) {
        CMenuParamItem& item = *table_.FindByNumber(number);
        std::string data = item.SetValueToRaw(setValue);
        return ExecuteCommand(link_, item.writeCommand, &data, nullptr) == 1;
    }

    LogCapture log_;
    SimBus sim_;
    std::shared_ptr<MemoryResponder> unit_;
    CFramePort port_;
    DeviceLink link_;
    CMenuParamTable table_;
};

}  // namespace

TEST_F(MemoryModelExchange, ScaleFollowsAWrittenDecimalPoint) {
    CMenuParamItem& setPoint = *table_.FindByNumber(2);
    CMenuParamItem& decimalPoint = *table_.FindByNumber(32);
    ASSERT_EQ(EvaluateScale(link_, setPoint, link_.tablePath), 1);
    EXPECT_EQ(setPoint.scale, 10);
    std::string raw;
    ASSERT_EQ(ExecuteCommand(link_, setPoint.readCommand, nullptr, &raw), 1);
    EXPECT_EQ(setPoint.ToDisplayText(raw), "250.0");

    EXPECT_FALSE(Write(32, "2"));  // a setup parameter: refused outside write mode
    ASSERT_EQ(RunCommandList(link_, decimalPoint.writeEnterList), 1);
    ASSERT_TRUE(Write(32, "2"));
    ASSERT_EQ(RunCommandList(link_, decimalPoint.writeLeaveList), 1);  // store is not answered
    EXPECT_FALSE(unit_->InWriteMode());

    ASSERT_EQ(EvaluateScale(link_, setPoint, link_.tablePath), 1);
    EXPECT_EQ(setPoint.scale, 100);
    EXPECT_EQ(setPoint.ToDisplayText(raw), "25.00");
}

TEST_F(MemoryModelExchange, ConditionFollowsAWrittenAlarmType) {
    CMenuParamItem& alarmValue = *table_.FindByNumber(9);
    ASSERT_EQ(EvaluateCondition(link_, alarmValue, link_.tablePath), 1);
    EXPECT_EQ(alarmValue.Exists(), 1);
    ASSERT_TRUE(Write(8, "0"));
    ASSERT_EQ(EvaluateCondition(link_, alarmValue, link_.tablePath), 1);
    EXPECT_EQ(alarmValue.Exists(), 0);
    EXPECT_EQ(unit_->Values().at(8), 0);
}
