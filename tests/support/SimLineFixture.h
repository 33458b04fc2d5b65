#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "support/RawLineClient.h"
#include "support/SimFixture.h"

// The simulated bus with a raw client on its line, for tests of the bytes the bus sends.
class SimLineFixture : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        client = std::make_unique<RawLineClient>(Sim.SlavePath());
    }
    // Sends one command, waits until the bus has dealt with it and collects what came back.
    std::string Exchange(const std::string& command) {
        const size_t before = Sim.CommandsHandled();
        client->Send(command);
        EXPECT_TRUE(Sim.WaitForCommands(before + 1, std::chrono::seconds(5)));
        return client->Read(100000, 50);
    }

    std::unique_ptr<RawLineClient> client;
};
