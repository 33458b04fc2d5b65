#include <gtest/gtest.h>

#include <string>

#include "protocol/ControlBytes.h"
#include "protocol/FrameCheck.h"
#include "protocol/FrameEnd.h"

namespace {

const std::string kStxs(1, kStx);
const std::string kEtxs(1, kEtx);

TEST(FrameCheckValues, FrameBccCoversStxToFirstEtx) {
    EXPECT_EQ(XorAll(std::string("\xFF\x0F", 2)), 0xF0);
    EXPECT_EQ(FrameBcc(""), kEtx);
    EXPECT_EQ(FrameBcc(kStxs + "010000503" + kEtxs), 0x34);
    EXPECT_EQ(FrameBcc(kStxs + "010000503"), 0x34) << "a missing ETX counts as typed";
    EXPECT_EQ(FrameBcc("010000503"), 0x34) << "no STX: from the first byte";
    EXPECT_EQ(FrameBcc("junk" + kStxs + "010000503" + kEtxs + "more"), 0x34);
}

TEST(FrameEndRule, QuadrelNeedsCheckByteAfterEtxAtNeedsStarCr) {
    const std::string frame = kStxs + "01000005030000" + kEtxs;
    EXPECT_FALSE(IsQuadrelFrameComplete(frame));
    EXPECT_TRUE(IsQuadrelFrameComplete(frame + kEtxs)) << "a check byte equal to ETX";
    EXPECT_TRUE(IsQuadrelFrameComplete(frame + "Z"));
    EXPECT_FALSE(IsQuadrelFrameComplete(kStxs + "01" + kEtxs + "Z")) << "needs more than 5 bytes";
    EXPECT_TRUE(IsQuadrelFrameComplete(kStxs + "0100" + kEtxs + "Z"));
    EXPECT_FALSE(IsQuadrelFrameComplete(""));

    EXPECT_TRUE(IsAtFrameComplete("@01RD0054*\r"));
    EXPECT_FALSE(IsAtFrameComplete("@01RD0054*"));
    EXPECT_FALSE(IsAtFrameComplete("@01RD0054\r"));
    EXPECT_FALSE(IsAtFrameComplete("@*\r")) << "needs more than 3 bytes";
    EXPECT_TRUE(IsAtFrameComplete("@0*\r"));
    EXPECT_FALSE(IsAtFrameComplete(""));
}

}  // namespace
