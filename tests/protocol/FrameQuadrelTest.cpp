#include <gtest/gtest.h>

#include <string>

#include "protocol/ControlBytes.h"
#include "protocol/FrameCheck.h"
#include "protocol/QuadrelCmdFrame.h"
#include "protocol/QuadrelExchange.h"

namespace {

const std::string kStxs(1, kStx);
const std::string kEtxs(1, kEtx);

// A response frame as a controller sends it, with its correct BCC.
std::string Response(const std::string& body) {
    const std::string framed = body + kEtxs;
    return kStxs + framed + static_cast<char>(XorAll(framed));
}

TEST(FrameQuadrelBuild, ModelRequestRendersKnownFrame) {
    CQuadrelExchange exchange;
    ASSERT_TRUE(exchange.Build(1, 0x0503, ""));
    EXPECT_EQ(exchange.CommandText(), kStxs + "010000503" + kEtxs + "\x34");
}

TEST(FrameQuadrelBuild, DataAndBroadcastNodeAreCoveredByBcc) {
    CQuadrelExchange exchange;
    ASSERT_TRUE(exchange.Build(kBroadcastNode, 0x0A1F, "12F0"));
    const std::string text = exchange.CommandText();
    EXPECT_EQ(text.substr(0, text.size() - 1), kStxs + "XX0000A1F12F0" + kEtxs);
    EXPECT_EQ(static_cast<uint8_t>(text.back()), XorAll("XX0000A1F12F0" + kEtxs));
}

TEST(FrameQuadrelBuild, FromTextTakesCodeAndData) {
    CQuadrelExchange exchange;
    ASSERT_TRUE(exchange.BuildFromText(7, "0a1fXY"));
    EXPECT_EQ(exchange.Command.Pdu.Command(), 0x0A1F);
    EXPECT_EQ(exchange.Command.Data, "XY");
    EXPECT_EQ(exchange.CommandText().substr(1, 11),
              "0700"
              "0"
              "0A1FXY");
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

TEST(FrameQuadrelCommandParse, ReadsBackWhatBuildWrote) {
    CQuadrelExchange exchange;
    ASSERT_TRUE(exchange.Build(kBroadcastNode, 0x1234, "data"));
    CQuadrelCmdFrame frame;
    ASSERT_TRUE(frame.Parse(exchange.CommandText()));
    EXPECT_EQ(frame.Header.Node, kBroadcastNode);
    EXPECT_EQ(frame.Pdu.Command(), 0x1234);
    EXPECT_EQ(frame.Data, "data");
    EXPECT_EQ(frame.Text(), exchange.CommandText());
}

TEST(FrameQuadrelCommandParse, RejectsBrokenFrames) {
    CQuadrelExchange exchange;
    ASSERT_TRUE(exchange.Build(3, 0x0101, "77"));
    std::string corrupt = exchange.CommandText();
    corrupt.back() ^= 0x01;
    CQuadrelCmdFrame frame;
    EXPECT_FALSE(frame.Parse(corrupt));
    EXPECT_FALSE(frame.Parse(exchange.CommandText().substr(0, 13)));  // no check byte
    EXPECT_FALSE(frame.Parse(kStxs + "0100" + kEtxs + "x"));          // ETX inside the fields
    EXPECT_FALSE(frame.Parse(""));
}

TEST(FrameQuadrelResponse, NormalResponseParsesAndRebuilds) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0503, "");
    const std::string received = Response(
        "0100000503"
        "0000"
        "VX48-T");
    EXPECT_TRUE(exchange.ParseResponse(received));
    EXPECT_TRUE(exchange.BccOk());
    EXPECT_EQ(exchange.ResponseData(), "VX48-T");
    EXPECT_EQ(exchange.ResponseText(), "") << "not taken in until the receiver marks it valid";
    exchange.Response.Valid = 1;
    EXPECT_EQ(exchange.ResponseText(), received);
}

TEST(FrameQuadrelResponse, BroadcastNodeAndCheckByteEqualToEtx) {
    // Choose the data so that the BCC comes out as ETX itself.
    const std::string body =
        "XX00000503"
        "0000"
        "A";
    const uint8_t bcc = XorAll(body + kEtxs);
    const std::string data(1, static_cast<char>('A' ^ bcc ^ kEtx));
    const std::string received = Response(
        "XX00000503"
        "0000" +
        data);
    ASSERT_EQ(received.back(), kEtx);
    CQuadrelExchange exchange;
    exchange.Build(kBroadcastNode, 0x0503, "");
    EXPECT_TRUE(exchange.ParseResponse(received));
    EXPECT_EQ(exchange.Response.Header.Node, kBroadcastNode);
    EXPECT_EQ(exchange.ResponseData(), data);
}

TEST(FrameQuadrelResponse, RejectionsParseButExchangeAnswersFalse) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0503, "");
    struct Case {
        const char* body;
        const char* why;
    } cases[] = {{"01000F0503"
                  "0000",
                  "end code 0F"},
                 {"0100010503"
                  "0000",
                  "end code 01"},
                 {"0100000503"
                  "1001",
                  "response code"},
                 {"0100000504"
                  "0000",
                  "other command echoed"}};
    for (const Case& c : cases) {
        EXPECT_FALSE(exchange.ParseResponse(Response(c.body))) << c.why;
        EXPECT_TRUE(exchange.Response.Parse(Response(c.body))) << c.why << ": BCC alone decides";
    }
    EXPECT_EQ(exchange.Response.Header.EndCode, 0);
    EXPECT_EQ(exchange.Response.Pdu.Command(), 0x0504);
}

TEST(FrameQuadrelResponse, CorruptOrLowerCaseFieldsFailTheCheck) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0A0B, "");
    std::string corrupt = Response(
        "0100000A0B"
        "0000"
        "12");
    corrupt.back() ^= 0x40;
    EXPECT_FALSE(exchange.ParseResponse(corrupt));
    EXPECT_FALSE(exchange.BccOk());
    // Lower-case digits read, but the BCC is computed over the upper-case rendering.
    EXPECT_FALSE(
        exchange.ParseResponse(Response("0100000a0B"
                                        "0000"
                                        "12")));
    EXPECT_EQ(exchange.Response.Pdu.Command(), 0x0A0B);
    EXPECT_FALSE(exchange.BccOk());
}

TEST(FrameQuadrelResponse, IncompleteFramesGiveNoResponseText) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0503, "");
    const std::string cases[] = {
        kStxs +
            "0100000503"
            "0000"
            "data",  // no ETX
        kStxs +
            "0100000503"
            "0000" +
            kEtxs,                                             // no check byte
        kStxs + "0100000" + kEtxs + "x",                       // too short for the codes
        kStxs + "01000005" + kEtxs + "3000000" + kEtxs + "x",  // ETX inside the codes
        "\x01"
        "0100000503"
        "0000" +
            kEtxs + "x",  // no STX
        kStxs +
            "ab00000503"
            "0000" +
            kEtxs + "x",  // node unreadable
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

TEST(FrameQuadrelResponse, ClearForgetsTheLastResponse) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0503, "");
    exchange.ParseResponse(
        Response("0100000503"
                 "0000"
                 "VX"));
    exchange.Response.Valid = 1;
    exchange.TimedOutFlag = 1;
    exchange.ClearResponse();
    EXPECT_EQ(exchange.TimedOutFlag, 0);
    EXPECT_EQ(exchange.ResponseText(), "");
    EXPECT_EQ(exchange.ResponseData(), "");
    EXPECT_EQ(exchange.Response.Header.EndCode, -1);
}

TEST(FrameQuadrelResponse, HostileBytesNeverCrash) {
    CQuadrelExchange exchange;
    exchange.Build(1, 0x0503, "");
    std::string text;
    for (int i = 0; i < 4096; ++i) {
        text += static_cast<char>((i * 37) & 0xFF);
        exchange.ParseResponse(text.substr(i % 200));
        exchange.Response.Valid = 1;
        exchange.ResponseText();
    }
    EXPECT_FALSE(exchange.ParseResponse(std::string(3000, kEtx)));
}

}  // namespace
