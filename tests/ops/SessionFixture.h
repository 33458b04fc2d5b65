#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakeOperatorUi.h"
#include "app/MessageTable.h"
#include "ops/DeviceSession.h"
#include "sim/SimBus.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/TestController.h"

// A program folder holding the test model "TS01", two such controllers on a simulated
// line (units 1 and 2), and a session on that line with a scripted operator.
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
