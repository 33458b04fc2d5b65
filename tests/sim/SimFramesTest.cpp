#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/FrameAssembler.h"
#include "sim/SimReplyFrame.h"
#include "support/CommandFrames.h"

// Answers built from these frames, and faults bending them, are checked on the line in SimBusTest.
namespace {

std::vector<FrameAssembler::Frame> Feed(FrameAssembler& assembler, const std::string& bytes) {
    std::vector<FrameAssembler::Frame> frames;
    for (char byte : bytes)
        if (auto frame = assembler.Push(byte)) frames.push_back(*frame);
    return frames;
}

TEST(SimFrameAssembler, SplitsBothKindsDropsNoiseAndOversizedFrames) {
    FrameAssembler assembler;
    const std::string quadrel = frames::kModelRequestUnit1;
    const std::string at = frames::kAtRd01Unit2;
    const auto frames = Feed(assembler, "noise\r*" + quadrel + "\x03\x03" + at);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Protocol, SimProtocol::Quadrel);
    EXPECT_EQ(frames[0].Bytes, quadrel);
    EXPECT_EQ(frames[1].Protocol, SimProtocol::At);
    EXPECT_EQ(frames[1].Bytes, at);

    const std::string endless = "\x02" + std::string(FrameAssembler::kMaxFrameBytes * 2, 'A');
    EXPECT_TRUE(Feed(assembler, endless).empty());
    EXPECT_EQ(Feed(assembler, frames::k0101Unit1).size(), 1u);
}

TEST(SimReplyFrames, CommandFramesAreCheckedBeforeAUnitSeesThem) {
    const auto received = ReadCommandFrame(SimProtocol::Quadrel, frames::k0A1BWith42Unit7);
    ASSERT_TRUE(received);
    EXPECT_EQ(received->Command.Unit, 7);
    EXPECT_EQ(received->Command.Text(), "0A1B42");
    EXPECT_FALSE(received->Broadcast);

    std::string badAt = frames::kAtRdUnit7;
    badAt[3] = 'X';
    EXPECT_FALSE(ReadCommandFrame(SimProtocol::At, badAt));
    EXPECT_TRUE(ReadCommandFrame(SimProtocol::At, frames::kAtRdAll)->Broadcast);
}

}  // namespace
