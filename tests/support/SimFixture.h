#pragma once

#include <gtest/gtest.h>

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

    void SetUp() override {
        SimProfile profile;
        profile.ModelText = kModelText;
        Unit = std::make_shared<CannedResponder>(profile);
        Sim.SetResponder(kUnit, Unit);
        ASSERT_TRUE(Sim.Start()) << Sim.Error();
    }
    void TearDown() override { Sim.Stop(); }

    SimBus Sim;
    std::shared_ptr<CannedResponder> Unit;
};
