#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakeOperatorUi.h"
#include "ops/DeviceSession.h"
#include "support/SimulatedUnits.h"

// Two controllers of the test model on a simulated line (units 1 and 2), and a session on that
// line with a scripted operator.
class SessionFixture : public ::testing::Test, protected SimulatedUnits {
  protected:
    void SetUp() override;

    // Connects to unit 1 in the given view; the test fails when it does not.
    void ConnectIn(EView view);
    // Connects to unit 1 in the clone view and uploads its set; the test fails when it cannot.
    void UploadInCloneView();
    // The log lines written so far that equal one of the given texts, in order.
    std::vector<std::string> LogLinesAmong(const std::vector<std::string>& texts) const;

    FakeOperatorUi ui;
    std::unique_ptr<CDeviceSession> session;
};
