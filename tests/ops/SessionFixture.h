#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakeOperatorUi.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "TestController.h"
#include "app/MessageTable.h"
#include "ops/DeviceSession.h"
#include "sim/SimBus.h"

// A program folder holding a small controller model "TS01", two such controllers on a
// simulated line (units 1 and 2), and a session on that line with a scripted operator.
//
// Parameters: 1 Set point, 2 Alarm type, 3 Alarm value (exists when the alarm type is
// not 0), 4 Input type (write mode 1), 5 Firmware (display only), 6 Decimal value
// (scale 10 from its routine).
class SessionFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Connects to unit 1 in the given view; the test fails when it does not.
    void ConnectIn(EView view);
    // The log lines written so far that equal one of the given texts, in order.
    std::vector<std::string> LogLinesAmong(const std::vector<std::string>& texts) const;
    bool LogHas(const std::string& text) const;

    TempFolder home;
    LogCapture log;
    std::shared_ptr<TestController> unit1 = std::make_shared<TestController>();
    std::shared_ptr<TestController> unit2 = std::make_shared<TestController>();
    SimBus sim;
    FakeOperatorUi ui;
    CMessageTable catalogue;
    std::unique_ptr<CDeviceSession> session;
};
