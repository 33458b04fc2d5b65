#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "protocol/AtExchange.h"
#include "protocol/ControlBytes.h"
#include "protocol/QuadrelExchange.h"
#include "protocol/QuadrelResFrame.h"
#include "support/CommandFrames.h"
#include "support/SimLineFixture.h"
#include "support/TempFolder.h"

namespace {

using namespace std::chrono_literals;

// The data of a Quadrel answer when the engine would take it as a clean success.
std::string QuadrelData(const std::string& answer, int node, uint16_t code) {
    CQuadrelExchange exchange;
    exchange.Build(node, code, "");
    return exchange.ParseResponse(answer) ? exchange.ResponseData() : "<rejected>";
}

// The faults an answer carries (echoes, end and response codes, bad checks) are checked where
// the engine judges them: ExchangeFaults, and the fault matrix against vexa-sim.
using SimBusOnPty = SimLineFixture;

TEST_F(SimBusOnPty, AnswersCannedAndUnknownCommands) {
    CQuadrelResFrame unknown;
    EXPECT_TRUE(unknown.Parse(Exchange("\002010000999\003;")));  // command 0999 to unit 1
    EXPECT_EQ(unknown.Pdu.Response(), CannedResponder::kUnknownCommandCode);

    Unit->SetAnswer(SimProtocol::At, "RD01", "1234");
    CAtExchange at;
    EXPECT_TRUE(at.ParseResponse(Exchange("@01RD0156*\r")));  // RD01 to unit 1
    EXPECT_EQ(at.ResponseData(), "1234");
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

TEST_F(SimBusOnPty, SilenceForSomeCommandsOrForOneCommand) {
    const std::string model = frames::kModelRequestUnit1;
    ChangeFaults([](SimFaults& f) { f.SilentCommands = 2; });
    EXPECT_EQ(Exchange(model), "");
    EXPECT_EQ(Exchange(model), "");
    EXPECT_NE(Exchange(model), "");

    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "x");
    ChangeFaults([](SimFaults& f) { f.SilentFor = "0101"; });
    EXPECT_EQ(Exchange(frames::k0101With07Unit1), "");
    EXPECT_NE(Exchange(model), "");
}

TEST_F(SimBusOnPty, AnswerWhoseBccIsEtxArrivesWhole) {
    const std::string data = QuadrelDataForBcc(kUnit, 0x0101, kEtx);
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", data);
    const std::string answer = Exchange(frames::k0101Unit1);
    ASSERT_FALSE(answer.empty());
    EXPECT_EQ(answer.back(), kEtx);
    EXPECT_EQ(QuadrelData(answer, kUnit, 0x0101), data);
}

TEST_F(SimBusOnPty, LateAndPacedAnswersAreTheSameBytes) {
    const std::string command = frames::kModelRequestUnit1;
    const std::string plain = Exchange(command);
    ChangeFaults([](SimFaults& f) { f.ReplyDelayMs = 20, f.PaceBaud = 38400; });
    EXPECT_EQ(Exchange(command), plain);
}

TEST_F(SimBusOnPty, NoiseGoesBeforeEachAnswerInScope) {
    const std::string noise("\0\xFF", 2);
    const std::string plain = Exchange(frames::kModelRequestUnit1);
    ChangeFaults([&](SimFaults& f) { f.Noise = noise, f.Scope.OnlyFor = "0503"; });
    EXPECT_EQ(Exchange(frames::kModelRequestUnit1), noise + plain);
    EXPECT_EQ(Exchange(frames::kModelRequestUnit2), "");  // no answer, no noise
    EXPECT_EQ(Exchange(frames::k0101Unit1).front(), kStx);
    EXPECT_EQ(Sim.Counts().Noised, 1u);
}

TEST_F(SimBusOnPty, GarbageNeverEndsAFrameUntilSwitchedOff) {
    ChangeFaults([](SimFaults& f) { f.Garbage = true; });
    client->Send(frames::kModelRequestUnit1);
    const std::string garbage = client->Read(5000);
    ASSERT_EQ(garbage.size(), 5000u);
    EXPECT_EQ(garbage.find_first_of(std::string("\x03*\r", 3)), std::string::npos);
    ChangeFaults([](SimFaults& f) { f.Garbage = false; });
    client->Read(1000000, 100);  // what was still on its way
    EXPECT_EQ(QuadrelData(Exchange(frames::kModelRequestUnit1), kUnit, 0x0503), kModelText);
}

TEST_F(SimBusOnPty, VanishesInTheMiddleOfAnAnswer) {
    ChangeFaults([](SimFaults& f) { f.VanishAfterBytes = 6; });
    client->Send(frames::kModelRequestUnit1);
    EXPECT_EQ(client->Read(100, 2000), std::string(1, kStx) + "01000");
    EXPECT_TRUE(client->HungUp());
    EXPECT_TRUE(Sim.WaitForCommands(1, 5s));
    EXPECT_FALSE(Sim.Running());
}

TEST(SimBusLink, RefusesToReplaceAFile) {
    TempFolder folder;
    SimBus bus;
    EXPECT_FALSE(bus.Start(folder.Write("file", "kept")));
    EXPECT_NE(bus.Error().find("not a symbolic link"), std::string::npos);
    EXPECT_EQ(folder.Read("file"), "kept");
}

}  // namespace
