// Which commands a fault scope hits. (The bus applying the scope and counting its hits is checked
// through vexa-sim: the fault matrix, whose cells hit one command each, and SimProgramTest; its
// counting from the moment the faults were set: cli/cases/failures.cli.
// A line that vanishes once and returns at its link: FaultMatrix LineVanishes_*, and
// the vexa-cli session cli/cases/lost-line.cli.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sim/SimFaultSelector.h"

namespace {

// Commands by letter, so that a case reads as a sequence; "?" is a frame that reads as no command.
// Answers "x" for each command the scope hits and "." for one it spares. The bus had handled three
// commands when the scope was set.
std::string HitPattern(const SimFaultScope& scope, const std::string& letters) {
    const SimCommand a{SimProtocol::Quadrel, 1, "0101", "07"},
        b{SimProtocol::Quadrel, 1, "0101", "08"}, c{SimProtocol::Quadrel, 1, "0A01", ""},
        model{SimProtocol::Quadrel, 1, "0503", ""};
    constexpr size_t kBefore = 3;
    SimFaultSelector selector;
    selector.Reset(scope, kBefore);
    std::string pattern;
    for (size_t i = 0; i < letters.size(); ++i) {
        const char l = letters[i];
        const SimCommand* command = l == 'A'   ? &a
                                    : l == 'B' ? &b
                                    : l == 'C' ? &c
                                    : l == 'M' ? &model
                                               : nullptr;
        pattern += selector.Hits(kBefore + i + 1, command) ? 'x' : '.';
    }
    return pattern;
}

TEST(SimFaultScope, FaultsHitOnlyTheCommandsTheScopeNames) {
    const struct {
        const char* name;
        SimFaultScope scope;
        const char* letters;
        std::string hits;
    } cases[] = {
        {"every command", {}, "MAMBC?", "xxxxxx"},
        {"from the third on", {.FromCommand = 3, .OnlyFor = ""}, "MAMBC", "..xxx"},
        {"one code", {.OnlyFor = "0101"}, "MAMBC?", ".x.x.."},
        {"code and data", {.OnlyFor = "010108"}, "MAMBC", "...x."},
        {"hex in either case", {.OnlyFor = "0a01"}, "MAMBC", "....x"},
        {"from and text", {.FromCommand = 2, .OnlyFor = "0503"}, "MAMBM", "..x.x"},
        {"at a rate of none", {.OnlyFor = "", .RatePerMillion = 0}, "MAMBC", "....."},
        {"the fourth alone", {.FromCommand = 4, .OnlyFor = "", .MaxHits = 1}, "MAMBC", "...x."},
        {"the first two of a code", {.OnlyFor = "0101", .MaxHits = 2}, "AAMBA", "xx..."},
    };
    for (const auto& run : cases)
        EXPECT_EQ(HitPattern(run.scope, run.letters), run.hits) << run.name;
}

TEST(SimFaultScope, TheSameSeedHitsTheSameCommands) {
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
