#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/SimOptions.h"
#include "sim/SimProfile.h"

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
    SimOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimOptions({"--units", "1,2", "--echo", "2", "--pace", "38400/11",
                                 "--end-code", "0F", "--response-code", "1001", "--garbage"},
                                options, error))
        << error;
    EXPECT_EQ(options.Profile.Units, (std::vector<int>{1, 2}));
    EXPECT_EQ(options.Faults.EchoCount, 2);
    EXPECT_EQ(options.Faults.PaceBaud, 38400);
    EXPECT_EQ(options.Faults.EndCode, 0x0F);
    EXPECT_EQ(options.Faults.ResponseCode, 0x1001);
    EXPECT_TRUE(options.Faults.Garbage);

    SimOptions narrowed;
    ASSERT_TRUE(
        ParseSimOptions({"--late", "1500", "--fault-from", "3", "--fault-only", "0101",
                         "--fault-rate", "2.5", "--fault-seed", "42", "--fault-count", "1",
                         "--vanish-after", "10", "--return-after", "0", "--stats", "counts.txt"},
                        narrowed, error))
        << error;
    const SimFaults& faults = narrowed.Faults;
    EXPECT_EQ(faults.LateMs, 1500);
    EXPECT_EQ(faults.Scope.FromCommand, 3u);
    EXPECT_EQ(faults.Scope.OnlyFor, "0101");
    EXPECT_EQ(faults.Scope.RatePerMillion, 25'000);
    EXPECT_EQ(faults.Scope.Seed, 42u);
    EXPECT_EQ(faults.Scope.MaxHits, 1u);
    EXPECT_EQ(faults.VanishAfterCommands, 10);
    EXPECT_EQ(faults.ReturnAfterMs, 0);
    EXPECT_EQ(narrowed.StatsPath, "counts.txt");

    using Args = std::vector<std::string>;
    for (const Args& args :
         {Args{"--echo"}, Args{"--echo", "2x"}, Args{"--pace", "0"}, Args{"--units", "1,,2"},
          Args{"--frobnicate"}, Args{"--fault-from", "0"}, Args{"--fault-rate", "100.5"},
          Args{"--fault-rate", "-1"}, Args{"--fault-rate", "5%"}, Args{"--fault-only", ""},
          Args{"--fault-count", "0"}, Args{"--vanish-after", "0"}, Args{"--late", "-5"},
          Args{"--return-after", "soon"}}) {
        SimOptions rejected;
        std::string why;
        EXPECT_FALSE(ParseSimOptions(args, rejected, why)) << args[0];
        EXPECT_FALSE(why.empty()) << args[0];
    }
}

}  // namespace
