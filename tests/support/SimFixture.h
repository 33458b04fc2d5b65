#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "sim/CannedResponder.h"
#include "sim/SimBus.h"

// A simulated bus started for each test: one canned unit (kUnit) that answers the model
// request with kModelText. Tests add answers through Unit, faults through Sim.SetFaults,
// and open Sim.SlavePath() with the port under test.
class SimFixture : public ::testing::Test {
  protected:
    static constexpr int kUnit = 1;
    static constexpr const char* kModelText = "VX48-T100";

    void SetUp() override;
    void TearDown() override { Sim.Stop(); }

    SimBus Sim;
    std::shared_ptr<CannedResponder> Unit;
};

// Response data (two printable characters) that makes the Quadrel answer of node to code, with end
// code and response code 0, end in the check byte bcc (0x03 tests the end-of-frame rule).
std::string QuadrelDataForBcc(int node, uint16_t code, uint8_t bcc);
