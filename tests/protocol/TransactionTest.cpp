#include <gtest/gtest.h>

#include <utility>

#include "TransactionFixture.h"
#include "protocol/DetectProtocol.h"

namespace {

using namespace ResultClassCode;

TEST(DetectProtocol, FirstByteDecides) {
    EXPECT_EQ(DetectProtocol(std::string(1, '\x02') + "0100005030"), 0);
    EXPECT_EQ(DetectProtocol("@01RD"), 1);
    EXPECT_EQ(DetectProtocol("0503"), -1);
    EXPECT_EQ(DetectProtocol(""), -1);
}

TEST_F(TransactionOnPty, ActivityHookFollowsSendAndEveryReceivedByte) {
    std::vector<std::pair<int, int>> calls;
    port.SetActivityHook([&](int sending, int starting) { calls.emplace_back(sending, starting); });
    const std::string response = wire::Quadrel(0, 0, "");
    ASSERT_TRUE(Exchange(response));
    ASSERT_EQ(calls.size(), 3 + response.size());
    EXPECT_EQ(calls[0], std::make_pair(1, 1));
    EXPECT_EQ(calls[1], std::make_pair(1, 0));
    EXPECT_EQ(calls[2], std::make_pair(0, 1));
    EXPECT_EQ(calls.back(), std::make_pair(0, 0));
}

TEST_F(TransactionOnPty, TimeOutZeroAnswersWithoutReading) {
    EXPECT_FALSE(Exchange(wire::Quadrel(0, 0, ""), 0));
    EXPECT_EQ(transaction.ResultClass, kTimedOut);
    // The answer is still waiting on the line: nothing was read.
    ASSERT_TRUE(port.WaitForInput(2000));
    char byte = 0;
    EXPECT_TRUE(port.ReceiveByte(&byte));
    EXPECT_EQ(byte, '\x02');
}

TEST_F(TransactionOnPty, UnknownFirstByteIsSentAsItIsAndJudgedAsQuadrel) {
    peer.Answer(wire::Quadrel(0, 0, "7"));
    EXPECT_TRUE(transaction.Execute("0503", 2000));
    EXPECT_EQ(peer.Received(), "0503");
    EXPECT_EQ(transaction.Protocol(), -1);
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.ResponseData(), "7");
}

TEST_F(TransactionOnPty, RetryFlagOutlivesALaterSuccess) {
    EXPECT_FALSE(transaction.Execute(command, 20));
    EXPECT_EQ(transaction.RetryFlag, 1);
    EXPECT_TRUE(Exchange(wire::Quadrel(0, 0, "")));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.RetryFlag, 1);
}

TEST_F(TransactionOnPty, TimeOutCountsPerByteNotPerFrame) {
    // A clock that moves only when the peer sends: 60 ms before every byte, so the whole
    // response takes far longer than the 100 ms time-out while no gap reaches it.
    struct ManualClock : MillisecondClock {
        std::uint64_t now = 0;
        std::uint64_t NowMs() const override { return now; }
    } clock;
    const std::string response = wire::Quadrel(0, 0, "SLOW");
    std::size_t sent = 0;
    bool taken = true;
    port.SetClock(clock);
    port.SetActivityHook([&](int sending, int) { taken = taken || sending == 0; });
    port.SetPumpHook([&] {
        pty.Read(4096, 0);
        if (!taken || sent == response.size()) return;
        clock.now += 60;
        pty.Write(response.substr(sent++, 1));
        taken = false;
    });
    EXPECT_TRUE(transaction.Execute(command, 100));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_GT(clock.now, 100u * 3);
}

TEST(TransactionWithoutPort, ChangesNothing) {
    CCommTransaction transaction;
    EXPECT_FALSE(transaction.SetPort(nullptr));
    EXPECT_FALSE(
        transaction.Execute("\x02"
                            "0100005030",
                            100));
    EXPECT_EQ(transaction.ResultClass, kNotEvaluated);
    EXPECT_EQ(transaction.RetryFlag, 0);
}

TEST_F(TransactionOnPty, ClosedPortNeverRepeatsThePreviousVerdict) {
    ASSERT_TRUE(Exchange(wire::Quadrel(0, 0, "VX40-A")));
    ASSERT_EQ(transaction.ResultClass, kSuccess);
    ASSERT_TRUE(port.Close());

    EXPECT_FALSE(transaction.Execute(command, 100));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_EQ(transaction.RetryFlag, 1);
    EXPECT_EQ(transaction.ResponseText(), "");
    EXPECT_EQ(transaction.ResponseData(), "");
}

TEST_F(TransactionOnPty, EmptyCommandNeverRepeatsThePreviousVerdict) {
    ASSERT_TRUE(Exchange(wire::Quadrel(0, 0, "VX40-A")));
    EXPECT_FALSE(transaction.Execute("", 100));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_EQ(transaction.ResponseText(), "");
    EXPECT_EQ(peer.Received(), command);
}

TEST_F(TransactionOnPty, GarbageWithoutFrameEndJustUnderTheBufferStillCompletes) {
    // 2047 bytes fit: a frame end on the last of them is still taken.
    const std::string tail = wire::Quadrel(0, 0, "");
    std::string response = std::string(2047 - tail.size(), 'G') + tail;
    EXPECT_TRUE(Exchange(response));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);  // no STX at the start, so nothing parses
    EXPECT_FALSE(transaction.TimedOut());
}

TEST_F(TransactionOnPty, LineGoneAfterATimeOutIsNotCalledATimeOut) {
    EXPECT_FALSE(transaction.Execute(command, 20));
    ASSERT_EQ(transaction.ResultClass, kTimedOut);
    pty.CloseMaster();
    EXPECT_FALSE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_FALSE(transaction.TimedOut());
    EXPECT_FALSE(reports.empty());
}

TEST_F(TransactionOnPty, FrameReceiveRefusesMissingPlaces) {
    EXPECT_FALSE(port.ReceiveByteTimed(nullptr, 100));
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kNoPlace);
    EXPECT_FALSE(port.ReceiveFrame(nullptr, 100));
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kNoFramePlace);
    EXPECT_FALSE(port.TransactQuadrel(command, nullptr, 100));
}

}  // namespace
