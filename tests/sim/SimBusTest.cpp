#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "protocol/ControlBytes.h"
#include "protocol/QuadrelExchange.h"
#include "support/CommandFrames.h"
#include "support/FaultsWith.h"
#include "support/RawLineClient.h"
#include "support/SimFixture.h"
#include "support/TempFolder.h"

namespace {

// The data of a Quadrel answer when the engine would take it as a clean success.
std::string QuadrelData(const std::string& answer, int node, uint16_t code) {
    CQuadrelExchange exchange;
    exchange.Build(node, code, "");
    return exchange.ParseResponse(answer) ? exchange.ResponseData() : "<rejected>";
}

// The faults the bus makes (silence, echoes, codes, bad checks, paced answers, noise, garbage, a
// vanishing line) are checked where the engine meets them: ExchangeFaults, and the fault matrix
// against vexa-sim, whose every cell also checks that its fault hit. So are canned answers of
// either kind (ExchangeFaultTest, ScriptCommTest); unknown commands: the memory cases of sim.cases.
class SimBusOnPty : public SimFixture {
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

// A late answer must come, or the matrix's late rows would only ever see a retry answered.
TEST_F(SimBusOnPty, ALateAnswerComesAfterTheAnswersToLaterCommands) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "late");
    Sim.SetFaults(FaultsWith([](SimFaults& f) { f.LateMs = 200, f.Scope.OnlyFor = "0101"; }));
    client->Send(frames::k0101Unit1);
    client->Send(frames::kModelRequestUnit1);
    EXPECT_EQ(QuadrelData(client->ReadFrame(), kUnit, 0x0503), kModelText);
    EXPECT_EQ(QuadrelData(client->ReadFrame(), kUnit, 0x0101), "late");
    ASSERT_TRUE(Sim.WaitForCommands(2, std::chrono::seconds(5)));
    EXPECT_EQ(Sim.Counts().Late, 1u);
}

TEST_F(SimBusOnPty, OnlyUnitsOnTheLineAnswerCleanCommandsAndBroadcastGetsOneAnswer) {
    std::string corrupt = frames::kModelRequestUnit1;
    corrupt.back() ^= 0x01;
    EXPECT_EQ(Exchange(corrupt), "");
    EXPECT_EQ(Sim.LastCommand(), corrupt);
    EXPECT_EQ(Exchange(frames::kModelRequestUnit2), "");
    Sim.SetResponder(2, std::make_shared<CannedResponder>(SimProfile{}));
    EXPECT_EQ(QuadrelData(Exchange(frames::kModelRequestUnit2), 2, 0x0503), "VX48-T100");
    EXPECT_EQ(QuadrelData(Exchange(frames::kModelRequestAll), kBroadcastNode, 0x0503), kModelText);
    Sim.SetResponder(kUnit, nullptr);
    EXPECT_EQ(Exchange(frames::kModelRequestUnit1), "");
    EXPECT_EQ(Exchange(frames::kAtRdUnit1), "");
}

TEST(SimBusLink, RefusesToReplaceAFile) {
    TempFolder folder;
    SimBus bus;
    EXPECT_FALSE(bus.Start(folder.Write("file", "kept")));
    EXPECT_NE(bus.Error().find("not a symbolic link"), std::string::npos);
    EXPECT_EQ(folder.Read("file"), "kept");
}

}  // namespace
