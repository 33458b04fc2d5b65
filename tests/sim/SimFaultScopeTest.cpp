// Faults that hit chosen commands only, late answers and a line that vanishes and returns.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "protocol/QuadrelResFrame.h"
#include "support/CommandFrames.h"
#include "support/SimLineFixture.h"

namespace {

using namespace std::chrono_literals;

class SimFaultScopeOnPty : public SimLineFixture {
  protected:
    // Commands by letter, so that a case reads as a sequence.
    static std::string Command(char letter) {
        return letter == 'A'   ? frames::k0101With07Unit1
               : letter == 'B' ? frames::k0101With08Unit1
               : letter == 'C' ? frames::k0A01Unit1
                               : frames::kModelRequestUnit1;
    }
    // Sends the commands with corrupt check bytes in scope; answers "x" for each command whose
    // answer came with a bad check and "." for a clean one.
    std::string HitPattern(const SimFaultScope& scope, const std::string& letters) {
        ChangeFaults([&](SimFaults& f) { f.CorruptCheck = true, f.Scope = scope; });
        const size_t before = Sim.CommandsHandled();
        std::string pattern;
        for (char letter : letters) {
            CQuadrelResFrame frame;
            client->Send(Command(letter));
            const std::string answer = client->ReadFrame();
            EXPECT_FALSE(answer.empty()) << letter;
            pattern += frame.Parse(answer) ? '.' : 'x';
        }
        // The counts are in once the bus has finished with the last command.
        EXPECT_TRUE(Sim.WaitForCommands(before + letters.size(), 5s));
        return pattern;
    }
};

TEST_F(SimFaultScopeOnPty, FaultsHitOnlyTheCommandsTheScopeNames) {
    const struct {
        const char* name;
        SimFaultScope scope;
        const char* letters;
        std::string hits;
    } cases[] = {
        {"every command", {}, "MAMBC", "xxxxx"},
        {"from the third on", {.FromCommand = 3, .OnlyFor = ""}, "MAMBC", "..xxx"},
        {"one code", {.OnlyFor = "0101"}, "MAMBC", ".x.x."},
        {"code and data", {.OnlyFor = "010108"}, "MAMBC", "...x."},
        {"hex in either case", {.OnlyFor = "0a01"}, "MAMBC", "....x"},
        {"from and text", {.FromCommand = 2, .OnlyFor = "0503"}, "MAMBM", "..x.x"},
        {"at a rate of none", {.OnlyFor = "", .RatePerMillion = 0}, "MAMBC", "....."},
        {"the fourth alone", {.FromCommand = 4, .OnlyFor = "", .MaxHits = 1}, "MAMBC", "...x."},
        {"the first two of a code", {.OnlyFor = "0101", .MaxHits = 2}, "AAMBA", "xx..."},
    };
    for (const auto& run : cases) {
        const SimCounts before = Sim.Counts();
        EXPECT_EQ(HitPattern(run.scope, run.letters), run.hits) << run.name;
        const SimCounts after = Sim.Counts();
        const auto hits = static_cast<size_t>(std::count(run.hits.begin(), run.hits.end(), 'x'));
        EXPECT_EQ(after.Commands - before.Commands, run.hits.size()) << run.name;
        EXPECT_EQ(after.Faulted - before.Faulted, hits) << run.name;
        EXPECT_EQ(after.CorruptChecks - before.CorruptChecks, hits) << run.name;
    }
}

TEST_F(SimFaultScopeOnPty, TheSameSeedHitsTheSameCommands) {
    const SimFaultScope half = {.OnlyFor = "", .RatePerMillion = 500'000, .Seed = 7};
    const std::string first = HitPattern(half, std::string(40, 'M'));
    EXPECT_EQ(HitPattern(half, std::string(40, 'M')), first);
    const auto hits = std::count(first.begin(), first.end(), 'x');
    EXPECT_GT(hits, 10);
    EXPECT_LT(hits, 30);
    EXPECT_NE(
        HitPattern({.OnlyFor = "", .RatePerMillion = 500'000, .Seed = 8}, std::string(40, 'M')),
        first);

    // Only the commands in scope draw, so others in between change nothing.
    const SimFaultScope halfOfOne = {.OnlyFor = "0101", .RatePerMillion = 500'000, .Seed = 7};
    const std::string alone = HitPattern(halfOfOne, std::string(20, 'A'));
    std::string mixed = HitPattern(halfOfOne, "MAMAMAMAMAMAMAMAMAMAMAMAMAMAMAMAMAMAMAMA");
    std::string inScope;
    for (size_t i = 1; i < mixed.size(); i += 2) inScope += mixed[i];
    EXPECT_EQ(inScope, alone);
    EXPECT_EQ(inScope, first.substr(0, 20));
}

TEST_F(SimFaultScopeOnPty, LateAnswerComesAfterTheAnswersToLaterCommands) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", "late");
    ChangeFaults([](SimFaults& f) { f.LateMs = 200, f.Scope.OnlyFor = "0101"; });
    client->Send(frames::k0101Unit1);
    client->Send(frames::kModelRequestUnit1);
    CQuadrelResFrame model, late;
    ASSERT_TRUE(model.Parse(client->ReadFrame()));
    EXPECT_EQ(model.Data, kModelText);
    ASSERT_TRUE(late.Parse(client->ReadFrame()));
    EXPECT_EQ(late.Data, "late");
    ASSERT_TRUE(Sim.WaitForCommands(2, 5s));
    EXPECT_EQ(Sim.Counts().Late, 1u);
    EXPECT_EQ(Sim.Counts().Faulted, 1u);
}

TEST(SimLineVanish, VanishesAfterSomeCommandsAndReturnsAtTheSameLink) {
    const std::string link = ::testing::TempDir() + "vexa-sim-return-" + std::to_string(getpid());
    SimBus bus;
    bus.SetResponder(1, std::make_shared<CannedResponder>(SimProfile{}));
    SimFaults faults;
    faults.VanishAfterCommands = 2;
    faults.ReturnAfterMs = 50;
    bus.SetFaults(faults);
    ASSERT_TRUE(bus.Start(link)) << bus.Error();
    const std::string model = frames::kModelRequestUnit1;
    {
        RawLineClient client(link);
        for (int i = 0; i < 2; ++i) {
            client.Send(model);
            EXPECT_FALSE(client.ReadFrame().empty()) << i;
        }
        EXPECT_EQ(client.Read(1), "");
        EXPECT_TRUE(client.HungUp());
        ASSERT_TRUE(bus.WaitForLine(true, 5s));
    }
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), bus.SlavePath());
    // It vanishes once: the line that came back stays.
    RawLineClient client(link);
    for (int i = 0; i < 3; ++i) {
        client.Send(model);
        EXPECT_FALSE(client.ReadFrame().empty()) << i;
    }
    EXPECT_FALSE(client.HungUp());
    ASSERT_TRUE(bus.WaitForCommands(5, 5s));
    const SimCounts counts = bus.Counts();
    EXPECT_EQ(counts.Vanished, 1u);
    EXPECT_EQ(counts.Returned, 1u);
    EXPECT_EQ(counts.Commands, 5u);
    bus.Stop();
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

}  // namespace
