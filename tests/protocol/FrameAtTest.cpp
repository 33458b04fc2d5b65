#include <gtest/gtest.h>

#include <string>

#include "protocol/AtCmdFrame.h"
#include "protocol/AtExchange.h"
#include "protocol/ControlBytes.h"
#include "support/CommandFrames.h"

namespace {

TEST(FrameAtBuild, RendersKnownFrameAndRefusesBadInputWithoutStaleCommand) {
    CAtExchange exchange;
    ASSERT_TRUE(exchange.Build(0, "RD0100"));
    EXPECT_EQ(exchange.CommandText(), "@00RD010057*\r");
    CAtCmdFrame frame;
    ASSERT_TRUE(frame.Parse(exchange.CommandText()));
    EXPECT_EQ(frame.Header.Unit, 0);
    EXPECT_EQ(frame.Header.HeaderCode, "RD");
    EXPECT_EQ(frame.Data, "0100");
    EXPECT_FALSE(frame.Parse("@00RD010058*\r"));
    EXPECT_FALSE(frame.Parse("@12WR*\r"));
    ASSERT_TRUE(exchange.Build(kBroadcastNode, "WR"));
    EXPECT_EQ(exchange.CommandText().substr(0, 5), "@**WR");
    for (const auto& [unit, text] : {std::pair{100, "RD"}, {1, "R"}, {-1, "RD"}}) {
        ASSERT_TRUE(exchange.Build(99, "RD"));
        EXPECT_FALSE(exchange.Build(unit, text)) << unit << text;
        EXPECT_EQ(exchange.CommandText(), "") << unit << text;
    }
}

TEST(FrameAtResponse, NormalIcAndEndCodes) {
    CAtExchange exchange;
    const std::string received = frames::At("@01RD001234");
    EXPECT_TRUE(exchange.ParseResponse(received));
    EXPECT_TRUE(exchange.FcsOk());
    EXPECT_EQ(exchange.EndCodeValue(), 0);
    EXPECT_EQ(exchange.ResponseData(), "1234");
    EXPECT_EQ(exchange.ResponseText(), received);

    // IC has no end code and never succeeds.
    EXPECT_FALSE(exchange.ParseResponse(frames::At("@01IC")));
    EXPECT_TRUE(exchange.FcsOk());
    EXPECT_EQ(exchange.EndCodeValue(), 0x4943);

    EXPECT_FALSE(exchange.ParseResponse(frames::At("@01RD13")));
    EXPECT_EQ(exchange.EndCodeValue(), 0x13);
    EXPECT_FALSE(exchange.ParseResponse(frames::At("@01RD0Z")));
    EXPECT_NE(exchange.EndCodeValue(), 0) << "a half-readable end code is no success";
}

TEST(FrameAtResponse, MalformedFramesClearTheResponse) {
    CAtExchange exchange;
    ASSERT_TRUE(exchange.ParseResponse(frames::At("@01RD0099")));
    const std::string cases[] = {
        "@01RD00",              // no "*" CR
        "@01RD*\r",             // too short
        "@01RD00*\r",           // the FCS digits would be the end code
        frames::At("#01RD00"),  // no "@"
        frames::At("@ABRD00"),  // unit unreadable
        "@01RD00ZZ*\r",         // FCS unreadable
        std::string(),
    };
    for (const std::string& text : cases) {
        EXPECT_FALSE(exchange.ParseResponse(text)) << text;
        EXPECT_EQ(exchange.ResponseText(), "") << text;
        EXPECT_EQ(exchange.ResponseData(), "") << text;
        EXPECT_NE(exchange.EndCodeValue(), 0) << text;
    }
}

}  // namespace
