#include <gtest/gtest.h>

#include <string>

#include "protocol/ControlBytes.h"
#include "protocol/FrameCheck.h"
#include "protocol/FrameEnd.h"

namespace {

TEST(FrameCheckValues, XorAll) {
    EXPECT_EQ(XorAll(""), 0);
    EXPECT_EQ(XorAll("A"), 'A');
    EXPECT_EQ(XorAll("AA"), 0);
    EXPECT_EQ(XorAll(std::string("\xFF\x0F", 2)), 0xF0);
}

TEST(FrameCheckValues, FrameBccCoversStxToFirstEtx) {
    EXPECT_EQ(FrameBcc(""), kEtx);
    EXPECT_EQ(FrameBcc("\x02"
                       "010000503\x03"),
              0x34);
    EXPECT_EQ(FrameBcc("\x02"
                       "010000503"),
              0x34)
        << "a missing ETX counts as typed";
    EXPECT_EQ(FrameBcc("010000503"), 0x34) << "no STX: from the first byte";
    EXPECT_EQ(FrameBcc("junk\x02"
                       "010000503\x03"
                       "more"),
              0x34);
    EXPECT_EQ(FrameBcc("ab"), 'a' ^ 'b' ^ kEtx);
}

TEST(FrameEndRule, QuadrelCompleteOnlyWithCheckByteAfterEtx) {
    const std::string frame =
        "\x02"
        "0100000503"
        "0000"
        "\x03";
    EXPECT_FALSE(IsQuadrelFrameComplete(frame));
    EXPECT_TRUE(IsQuadrelFrameComplete(frame + "\x03")) << "a check byte equal to ETX";
    EXPECT_TRUE(IsQuadrelFrameComplete(frame + "Z"));
    EXPECT_FALSE(
        IsQuadrelFrameComplete("\x02"
                               "01\x03"
                               "Z"))
        << "needs more than 5 bytes";
    EXPECT_TRUE(
        IsQuadrelFrameComplete("\x02"
                               "0100\x03"
                               "Z"));
    EXPECT_FALSE(IsQuadrelFrameComplete(""));
}

TEST(FrameEndRule, AtCompleteOnStarCr) {
    EXPECT_TRUE(IsAtFrameComplete("@01RD0054*\r"));
    EXPECT_FALSE(IsAtFrameComplete("@01RD0054*"));
    EXPECT_FALSE(IsAtFrameComplete("@01RD0054\r"));
    EXPECT_FALSE(IsAtFrameComplete("@*\r")) << "needs more than 3 bytes";
    EXPECT_TRUE(IsAtFrameComplete("@0*\r"));
    EXPECT_FALSE(IsAtFrameComplete(""));
}

}  // namespace
