#include <gtest/gtest.h>

#include <string>

#include "protocol/AtExchange.h"
#include "protocol/QuadrelExchange.h"
#include "sim/FrameAssembler.h"
#include "sim/SimReplyFrame.h"
#include "support/CommandFrames.h"

namespace {


std::vector<FrameAssembler::Frame> Feed(FrameAssembler& assembler, const std::string& bytes) {
    std::vector<FrameAssembler::Frame> frames;
    for (char byte : bytes)
        if (auto frame = assembler.Push(byte)) frames.push_back(*frame);
    return frames;
}

TEST(SimFrameAssembler, SplitsBothKindsAndDropsNoise) {
    FrameAssembler assembler;
    const std::string quadrel = QuadrelCommand(1, 0x0503);
    const std::string at = AtCommand(2, "RD01");
    const auto frames = Feed(assembler, "noise\r*" + quadrel + "\x03\x03" + at);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Protocol, SimProtocol::Quadrel);
    EXPECT_EQ(frames[0].Bytes, quadrel);
    EXPECT_EQ(frames[1].Protocol, SimProtocol::At);
    EXPECT_EQ(frames[1].Bytes, at);
}

TEST(SimFrameAssembler, OversizedFrameIsDroppedAndTheNextOneStillComes) {
    FrameAssembler assembler;
    const std::string endless = "\x02" + std::string(FrameAssembler::kMaxFrameBytes * 2, 'A');
    EXPECT_TRUE(Feed(assembler, endless).empty());
    const auto frames = Feed(assembler, QuadrelCommand(1, 0x0101));
    ASSERT_EQ(frames.size(), 1u);
}

TEST(SimReplyFrames, CommandFramesAreCheckedBeforeAUnitSeesThem) {
    const auto received = ReadCommandFrame(SimProtocol::Quadrel, QuadrelCommand(7, 0x0A1B, "42"));
    ASSERT_TRUE(received);
    EXPECT_EQ(received->Command.Unit, 7);
    EXPECT_EQ(received->Command.Text(), "0A1B42");
    EXPECT_FALSE(received->Broadcast);

    std::string corrupt = QuadrelCommand(7, 0x0A1B, "42");
    corrupt.back() ^= 0x10;
    EXPECT_FALSE(ReadCommandFrame(SimProtocol::Quadrel, corrupt));
    std::string badAt = AtCommand(7, "RD");
    badAt[3] = 'X';
    EXPECT_FALSE(ReadCommandFrame(SimProtocol::At, badAt));
    EXPECT_TRUE(ReadCommandFrame(SimProtocol::At, AtCommand(999, "RD"))->Broadcast);
}

TEST(SimReplyFrames, AnswersParseAsTheEngineExpects) {
    CQuadrelExchange quadrel;
    quadrel.Build(999, 0x0503, "");
    const auto received = ReadCommandFrame(SimProtocol::Quadrel, quadrel.CommandText());
    SimReply reply;
    reply.Data = "VX48";
    EXPECT_TRUE(quadrel.ParseResponse(BuildReplyFrame(*received, reply, false)));
    EXPECT_EQ(quadrel.ResponseData(), "VX48");
    EXPECT_EQ(quadrel.Response.Header.Node, 999);
    EXPECT_FALSE(quadrel.Response.Parse(BuildReplyFrame(*received, reply, true)));

    CAtExchange at;
    at.Build(5, "RD01");
    const auto atReceived = ReadCommandFrame(SimProtocol::At, at.CommandText());
    EXPECT_TRUE(at.ParseResponse(BuildReplyFrame(*atReceived, reply, false)));
    EXPECT_EQ(at.ResponseData(), "VX48");
    EXPECT_FALSE(at.Response.Parse(BuildReplyFrame(*atReceived, reply, true)));
}

TEST(SimReplyFrames, FaultsBendTheReply) {
    SimFaults faults;
    faults.EndCode = 0x0F;
    faults.ResponseCode = 0x1001;
    faults.AtIc = true;
    const SimReply bent = ApplyReplyFaults(SimReply{}, faults);
    EXPECT_EQ(bent.EndCode, 0x0F);
    EXPECT_EQ(bent.ResponseCode, 0x1001);

    CQuadrelExchange quadrel;
    quadrel.Build(1, 0x0101, "");
    const auto received = ReadCommandFrame(SimProtocol::Quadrel, quadrel.CommandText());
    EXPECT_TRUE(quadrel.Response.Parse(BuildReplyFrame(*received, bent, false)));
    EXPECT_EQ(quadrel.Response.Header.EndCode, 0x0F);
    EXPECT_EQ(quadrel.Response.Pdu.Response(), 0x1001);

    CAtExchange at;
    at.Build(1, "RD");
    const auto atReceived = ReadCommandFrame(SimProtocol::At, at.CommandText());
    EXPECT_TRUE(at.Response.Parse(BuildReplyFrame(*atReceived, bent, false)));
    EXPECT_EQ(at.EndCodeValue(), 0x4943);
    EXPECT_EQ(at.Response.Header.HeaderCode, "IC");
}

}  // namespace
