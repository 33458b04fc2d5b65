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

    using Args = std::vector<std::string>;
    for (const Args& args : {Args{"--echo"}, Args{"--echo", "2x"}, Args{"--pace", "0"},
                             Args{"--units", "1,,2"}, Args{"--frobnicate"}}) {
        SimOptions rejected;
        EXPECT_FALSE(ParseSimOptions(args, rejected, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
