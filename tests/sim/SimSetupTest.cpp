#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/SimOptions.h"
#include "sim/SimProfile.h"
#include "support/TempFolder.h"

namespace {

TEST(SimProfileFile, ReadsSectionsCommentsAndAnswersAndNamesBadLines) {
    SimProfile profile;
    std::string error;
    ASSERT_TRUE(
        ParseSimProfile("# canned unit\r\n[Sim]\r\n Model = VX20-B \r\nunits=2, 5\r\n"
                        "[QUADREL]\n0a01=0250\n0101 01 = x y\n; note\n[At]\nRD01=1234",
                        profile, error))
        << error;
    EXPECT_EQ(profile.ModelText, "VX20-B");
    EXPECT_EQ(profile.Units, (std::vector<int>{2, 5}));
    EXPECT_EQ(profile.QuadrelAnswers.at("0A01"), "0250");
    EXPECT_EQ(profile.QuadrelAnswers.at("0101 01"), "x y");
    EXPECT_EQ(profile.AtAnswers.at("RD01"), "1234");

    for (const char* text : {"[Sim\n", "[Other]\n", "Model=x\n", "[Sim]\nUnits=100\n",
                             "[Sim]\nColour=red\n", "[At]\nno equals sign\n"}) {
        SimProfile bad;
        std::string why;
        EXPECT_FALSE(ParseSimProfile(text, bad, why)) << text;
        EXPECT_NE(why.find("profile line"), std::string::npos) << why;
    }
    EXPECT_FALSE(LoadSimProfile("/nonexistent/profile.ini", profile, error));
    EXPECT_NE(error.find("/nonexistent/profile.ini"), std::string::npos);
}

TEST(SimCommandLine, OptionsSetFaultsAndRejectNonsense) {
    // The options the fault matrix and SimProgramTest start vexa-sim with are pinned there, by
    // what it does on the line; these are the others.
    SimOptions options;
    std::string error;
    ASSERT_TRUE(
        ParseSimOptions({"--units", "1,2", "--pace=38400/11", "--fault-rate", "2.5", "--fault-seed",
                         "42", "--return-after", "0", "--noise", "00fF", "--units=1-3, 7"},
                        options, error))
        << error;
    EXPECT_EQ(options.Profile.Units, (std::vector<int>{1, 2, 3, 7}));
    EXPECT_EQ(options.Faults.PaceBaud, 38400);
    EXPECT_EQ(options.Faults.Scope.RatePerMillion, 25'000);
    EXPECT_EQ(options.Faults.Scope.Seed, 42u);
    EXPECT_EQ(options.Faults.ReturnAfterMs, 0);
    EXPECT_EQ(options.Faults.Noise, std::string("\0\xFF", 2));
    EXPECT_TRUE(options.InfoText.empty());
    // A profile is read where it stands: it overrides what came before it, not what follows.
    TempFolder folder;
    const std::string profile = folder.Write("units.sim", "[Sim]\nUnits=7\nModel=VX20-B\n");
    ASSERT_TRUE(
        ParseSimOptions({"--units=4", "--profile", profile, "--model", "X"}, options, error));
    EXPECT_EQ(options.Profile.Units, (std::vector<int>{7}));
    EXPECT_EQ(options.Profile.ModelText, "X");

    using Args = std::vector<std::string>;
    // clang-format off
    for (const Args& args : {Args{"--echo"}, Args{"--echo", "2x"}, Args{"--pace", "0"},
                             Args{"--units", "1,,2"}, Args{"--units", "3-1"}, Args{"stray"},
                             Args{"--frobnicate"}, Args{"--fault-from", "0"},
                             Args{"--fault-rate", "100.5"}, Args{"--fault-rate", "-1"},
                             Args{"--fault-rate", "5%"}, Args{"--fault-only", ""},
                             Args{"--fault-count", "0"}, Args{"--vanish-after", "0"},
                             Args{"--late", "-5"}, Args{"--return-after", "soon"},
                             Args{"--noise", ""}, Args{"--noise", "0"}, Args{"--noise", "0G"},
                             Args{"--noise", "-1"}, Args{"--noise", std::string(130, '0')},
                             Args{"--tcp", "65536"}, Args{"--tcp", "-1"}, Args{"--tcp", "x"}}) {
        // clang-format on
        SimOptions rejected;
        std::string why;
        EXPECT_FALSE(ParseSimOptions(args, rejected, why)) << args[0];
        EXPECT_FALSE(why.empty()) << args[0];
    }
}

}  // namespace
