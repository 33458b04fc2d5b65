#include <gtest/gtest.h>

#include <utility>

#include "TransactionFixture.h"
#include "TransactionWire.h"
#include "protocol/DetectProtocol.h"

namespace {

using namespace ResultClassCode;

TEST(DetectProtocol, FirstByteDecides) {
    EXPECT_EQ(DetectProtocol("\x02"
                             "01000050303"),
              0);
    EXPECT_EQ(DetectProtocol("@01RD"), 1);
    EXPECT_EQ(DetectProtocol("0503"), -1);
    EXPECT_EQ(DetectProtocol(""), -1);
}

TEST_F(TransactionOnPty, NormalExchange) {
    const std::string response = wire::Quadrel(0, 0, "VX40-A");
    EXPECT_TRUE(Exchange(response));
    EXPECT_EQ(peer.Received(), command);
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.RetryFlag, 0);
    EXPECT_FALSE(transaction.TimedOut());
    EXPECT_EQ(transaction.ResponseText(), response);
    EXPECT_EQ(transaction.ResponseData(), "VX40-A");
    EXPECT_EQ(transaction.Protocol(), 0);
    EXPECT_TRUE(reports.empty());
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

TEST_F(TransactionOnPty, EchoIsSkippedOnce) {
    EXPECT_TRUE(Exchange(command + wire::Quadrel(0, 0, "VX40-A")));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.ResponseData(), "VX40-A");
}

TEST_F(TransactionOnPty, SecondEchoIsTakenAsTheResponse) {
    EXPECT_TRUE(Exchange(command + command + wire::Quadrel(0, 0, "VX40-A")));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_EQ(transaction.RetryFlag, 1);
}

TEST_F(TransactionOnPty, SilenceTimesOut) {
    EXPECT_FALSE(transaction.Execute(command, 30));
    EXPECT_EQ(transaction.ResultClass, kTimedOut);
    EXPECT_EQ(transaction.RetryFlag, 1);
    EXPECT_TRUE(transaction.TimedOut());
    EXPECT_EQ(transaction.ResponseText(), "");
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

TEST_F(TransactionOnPty, CheckByteEqualToEtxCompletesTheFrame) {
    std::string response;
    for (char first = '0'; first <= 'Z' && response.empty(); ++first) {
        for (char second = '0'; second <= 'Z' && response.empty(); ++second) {
            const std::string candidate = wire::Quadrel(0, 0, {first, second});
            if (candidate.back() == '\x03') response = candidate;
        }
    }
    ASSERT_FALSE(response.empty());
    EXPECT_TRUE(Exchange(response));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.ResponseText(), response);
}

TEST_F(TransactionOnPty, QuadrelVerdicts) {
    struct Case {
        std::string response;
        int resultClass;
    };
    std::string corrupted = wire::Quadrel(0, 0, "12");
    corrupted.back() = static_cast<char>(corrupted.back() ^ 0x20);
    const Case cases[] = {
        {wire::Quadrel(0x0F, 0, "12"), kRejected},
        {wire::Quadrel(0x00, 0x1001, "12"), kRejected},
        {wire::Quadrel(0x01, 0, "12"), kEndCodeError},
        {wire::Quadrel(0x22, 0x1001, "12"), kEndCodeError},
        {corrupted, kBccMismatch},
        {wire::Quadrel(0, 0, "12", 0x0101), kSuccess},  // the echoed code is not compared
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.response);
        EXPECT_TRUE(Exchange(c.response));
        EXPECT_EQ(transaction.ResultClass, c.resultClass);
        EXPECT_EQ(transaction.ResponseData(), "12");
        EXPECT_FALSE(transaction.TimedOut());
    }
}

TEST_F(TransactionOnPty, AtFrameVerdicts) {
    ASSERT_TRUE(transaction.At.Build(1, "RD0001"));
    const std::string atCommand = transaction.At.CommandText();
    std::string corrupted = wire::At("RD", "00", "0150");
    corrupted[corrupted.size() - 3] = corrupted[corrupted.size() - 3] == '0' ? '1' : '0';
    struct Case {
        std::string response;
        int resultClass;
    };
    const Case cases[] = {
        {wire::At("RD", "00", "0150"), kSuccess},
        {wire::At("RD", "13", "0150"), kAtEndCodeError},
        {wire::At("IC", "", ""), kAtEndCodeError},
        {corrupted, kFcsMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.response);
        peer.Answer(c.response);
        EXPECT_TRUE(transaction.Execute(atCommand, 2000));
        EXPECT_EQ(transaction.Protocol(), 1);
        EXPECT_EQ(transaction.ResultClass, c.resultClass);
    }
    EXPECT_EQ(peer.Received().substr(0, atCommand.size()), atCommand);
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

}  // namespace
