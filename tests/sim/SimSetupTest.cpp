#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/CannedResponder.h"
#include "sim/SimOptions.h"
#include "sim/SimProfile.h"

namespace {

TEST(SimProfileFile, ReadsSectionsCommentsAndAnswers) {
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
}

TEST(SimProfileFile, BadLinesAreNamed) {
    const char* bad[] = {"[Sim\n",
                         "[Other]\n",
                         "Model=x\n",
                         "[Sim]\nUnits=100\n",
                         "[Sim]\nColour=red\n",
                         "[At]\nno equals sign\n"};
    for (const char* text : bad) {
        SimProfile profile;
        std::string error;
        EXPECT_FALSE(ParseSimProfile(text, profile, error)) << text;
        EXPECT_NE(error.find("profile line"), std::string::npos) << error;
    }
    SimProfile profile;
    std::string error;
    EXPECT_FALSE(LoadSimProfile("/nonexistent/profile.ini", profile, error));
    EXPECT_NE(error.find("/nonexistent/profile.ini"), std::string::npos);
}

TEST(SimCannedUnit, AnswersModelCannedAndUnknownCommands) {
    SimProfile profile;
    profile.ModelText = "VX48-T100";
    profile.QuadrelAnswers = {{"0101", "by code"}, {"010100", "by text"}};
    profile.AtAnswers = {{"RD", "at answer"}};
    CannedResponder unit(profile);
    EXPECT_EQ(unit.Respond({SimProtocol::Quadrel, 1, "0503", ""})->Data, "VX48-T100");
    EXPECT_EQ(unit.Respond({SimProtocol::Quadrel, 1, "0101", "00"})->Data, "by text");
    EXPECT_EQ(unit.Respond({SimProtocol::Quadrel, 1, "0101", "07"})->Data, "by code");
    EXPECT_EQ(unit.Respond({SimProtocol::Quadrel, 1, "0999", ""})->ResponseCode,
              CannedResponder::kUnknownCommandCode);
    EXPECT_EQ(unit.Respond({SimProtocol::At, 1, "RD", "01"})->Data, "at answer");
    EXPECT_EQ(unit.Respond({SimProtocol::At, 1, "WR", ""})->AtEndCode,
              CannedResponder::kUnknownAtEndCode);
}

TEST(SimCommandLine, OptionsSetFaultsAndRejectNonsense) {
    SimOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimOptions(
        {"--units", "1,2", "--model", "VX", "--echo", "2", "--pace", "38400/11", "--silent", "3",
         "--end-code", "0F", "--response-code", "1001", "--at-ic", "--garbage"},
        options, error))
        << error;
    EXPECT_EQ(options.Profile.Units, (std::vector<int>{1, 2}));
    EXPECT_EQ(options.Faults.EchoCount, 2);
    EXPECT_EQ(options.Faults.PaceBaud, 38400);
    EXPECT_EQ(options.Faults.SilentCommands, 3);
    EXPECT_EQ(options.Faults.EndCode, 0x0F);
    EXPECT_EQ(options.Faults.ResponseCode, 0x1001);
    EXPECT_TRUE(options.Faults.AtIc && options.Faults.Garbage);

    const std::vector<std::vector<std::string>> bad = {
        {"--echo"},          {"--echo", "-1"},       {"--echo", "2x"}, {"--pace", "0"},
        {"--units", "1,,2"}, {"--at-end-code", "1"}, {"--frobnicate"}};
    for (const auto& args : bad) {
        SimOptions rejected;
        EXPECT_FALSE(ParseSimOptions(args, rejected, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
