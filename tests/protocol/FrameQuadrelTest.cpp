#include <gtest/gtest.h>

#include <string>

#include "protocol/ControlBytes.h"
#include "protocol/FrameCheck.h"
#include "protocol/FrameEnd.h"
#include "protocol/QuadrelCmdFrame.h"
#include "protocol/QuadrelExchange.h"
#include "support/CommandFrames.h"

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

TEST(FrameQuadrelBuild, RendersKnownFrames) {
    CQuadrelExchange exchange;
    ASSERT_TRUE(exchange.Build(1, 0x0503, ""));
    EXPECT_EQ(exchange.CommandText(), kStxs + "010000503" + kEtxs + "\x34");
    ASSERT_TRUE(exchange.Build(kBroadcastNode, 0x0A1F, "12F0"));
    const std::string broadcast = exchange.CommandText();
    EXPECT_EQ(broadcast, kStxs + "XX0000A1F12F0" + kEtxs + "@");
    CQuadrelCmdFrame frame;
    ASSERT_TRUE(frame.Parse(broadcast));
    EXPECT_EQ(frame.Header.Node, kBroadcastNode);
    EXPECT_EQ(frame.Pdu.Command(), 0x0A1F);
    EXPECT_EQ(frame.Data, "12F0");
    EXPECT_FALSE(frame.Parse(broadcast.substr(0, broadcast.size() - 1)));  // no check byte
    EXPECT_FALSE(frame.Parse(kStxs + "0100" + kEtxs + "x"));               // ETX inside the fields
    ASSERT_TRUE(exchange.BuildFromText(7, "0a1fXY"));
    EXPECT_EQ(exchange.CommandText(), kStxs + "070000A1FXY" + kEtxs + "3");
}

TEST(FrameQuadrelBuild, RefusedBuildLeavesNoStaleCommand) {
    CQuadrelExchange exchange;
    ASSERT_TRUE(exchange.Build(1, 0x0503, ""));
    for (const char* text : {"", "050", "05G3", " 503", "-503"}) {
        EXPECT_FALSE(exchange.BuildFromText(1, text)) << text;
        EXPECT_EQ(exchange.CommandText(), "") << text;
    }
    ASSERT_TRUE(exchange.Build(1, 0x0503, ""));
    EXPECT_FALSE(exchange.Build(100, 0x0503, ""));
    EXPECT_FALSE(exchange.Build(-1, 0x0503, ""));
    EXPECT_EQ(exchange.CommandText(), "");
}

TEST(FrameQuadrelResponse, NormalResponseParsesAndRebuilds) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0503, "");
    const std::string received = frames::Quadrel("01000005030000VX48-T");
    EXPECT_TRUE(exchange.ParseResponse(received));
    EXPECT_TRUE(exchange.BccOk());
    EXPECT_EQ(exchange.ResponseData(), "VX48-T");
    EXPECT_EQ(exchange.ResponseText(), "") << "not taken in until the receiver marks it valid";
    exchange.Response.Valid = 1;
    EXPECT_EQ(exchange.ResponseText(), received);

    // A check byte equal to ETX is the frame's last byte, not its end.
    exchange.Build(1, 0x0101, "");
    const std::string etxChecked = frames::Quadrel("01000001010000@A");
    ASSERT_EQ(etxChecked.back(), kEtx);
    EXPECT_TRUE(exchange.ParseResponse(etxChecked));
    EXPECT_EQ(exchange.ResponseData(), "@A");
}

TEST(FrameQuadrelResponse, RejectionsParseButExchangeAnswersFalse) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0503, "");
    for (const char* body : {"01000F05030000", "01000105030000", "01000005031001",
                             "01000005040000" /* another command echoed */}) {
        EXPECT_FALSE(exchange.ParseResponse(frames::Quadrel(body))) << body;
        EXPECT_TRUE(exchange.Response.Parse(frames::Quadrel(body)))
            << body << ": BCC alone decides";
    }
    EXPECT_EQ(exchange.Response.Header.EndCode, 0);
    EXPECT_EQ(exchange.Response.Pdu.Command(), 0x0504);

    // Lower-case digits read, but the BCC is computed over the upper-case rendering.
    exchange.Build(1, 0x0A0B, "");
    EXPECT_FALSE(exchange.ParseResponse(frames::Quadrel("0100000a0B000012")));
    EXPECT_EQ(exchange.Response.Pdu.Command(), 0x0A0B);
    EXPECT_FALSE(exchange.BccOk());
}

TEST(FrameQuadrelResponse, IncompleteFramesGiveNoResponseText) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0503, "");
    const std::string cases[] = {
        kStxs + "01000005030000data",                          // no ETX
        kStxs + "01000005030000" + kEtxs,                      // no check byte
        kStxs + "0100000" + kEtxs + "x",                       // too short for the codes
        kStxs + "01000005" + kEtxs + "3000000" + kEtxs + "x",  // ETX inside the codes
        "\x01"
        "01000005030000" +
            kEtxs + "x",                         // no STX
        kStxs + "ab000005030000" + kEtxs + "x",  // node unreadable
        std::string(),
    };
    for (const std::string& text : cases) {
        exchange.ClearResponse();
        EXPECT_FALSE(exchange.ParseResponse(text));
        exchange.Response.Valid = 1;  // as the receiver marks any frame it took in
        EXPECT_EQ(exchange.ResponseText(), "");
        EXPECT_EQ(exchange.ResponseData(), "");
    }
}

}  // namespace
