// Faults that hit chosen commands only. (Late answers and a line that vanishes and returns are
// checked where the engine meets them: FaultMatrix LateAnswer_*, LineVanishes_*, and
// ProductionLineTest.ALostLineIsWaitedForWithWaitPort.)
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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

}  // namespace
