#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/CommTransaction.h"
#include "protocol/FramePort.h"
#include "support/CommandFrames.h"
#include "support/PtyPair.h"
#include "support/ScriptedPeer.h"

namespace {

using enum ResultClassCode;

// A transaction on a frame port opened on a pty, with a scripted controller at the far
// end served from the port's pump hook.
class TransactionOnPty : public ::testing::Test {
  protected:
    void SetUp() override {
        port.SetErrorReporter([this](const std::string& text) { reports.push_back(text); });
        port.SetPumpHook([this] { peer.Serve(); });
        ASSERT_TRUE(port.SetSettings(pty.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(port.Open());
        ASSERT_TRUE(transaction.SetPort(&port));
        ASSERT_TRUE(transaction.Quadrel.Build(1, 0x0503, ""));
        command = transaction.Quadrel.CommandText();
    }

    // Sends the model request and answers it with the given bytes.
    bool Exchange(const std::string& answer, std::uint16_t timeoutMs = 2000) {
        peer.Answer(answer);
        return transaction.Execute(command, timeoutMs);
    }

    PtyPair pty;
    ScriptedPeer peer{pty};
    CFramePort port;
    CCommTransaction transaction;
    std::string command;
    std::vector<std::string> reports;
};

TEST_F(TransactionOnPty, TimeOutZeroAnswersWithoutReading) {
    EXPECT_FALSE(Exchange(frames::ModelAnswerUnit1(""), 0));
    EXPECT_EQ(transaction.ResultClass, kTimedOut);
    // The answer is still waiting on the line: nothing was read.
    ASSERT_TRUE(port.WaitForInput(2000));
    char byte = 0;
    EXPECT_TRUE(port.ReceiveByte(&byte));
    EXPECT_EQ(byte, '\x02');
}

TEST_F(TransactionOnPty, UnknownFirstByteIsSentAsItIsAndJudgedAsQuadrel) {
    peer.Answer(frames::ModelAnswerUnit1("7"));
    EXPECT_TRUE(transaction.Execute("0503", 2000));
    EXPECT_EQ(peer.Received(), "0503");
    EXPECT_EQ(transaction.Protocol(), ProtocolKind::kUnknown);
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.ResponseData(), "7");
}

TEST_F(TransactionOnPty, RetryFlagOutlivesSuccessAndLineGoneIsNoTimeOut) {
    EXPECT_FALSE(transaction.Execute(command, 20));
    EXPECT_EQ(transaction.RetryFlag, 1);
    EXPECT_TRUE(Exchange(frames::ModelAnswerUnit1("")));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.RetryFlag, 1);

    EXPECT_FALSE(transaction.Execute(command, 20));
    ASSERT_EQ(transaction.ResultClass, kTimedOut);
    pty.CloseMaster();
    EXPECT_FALSE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_FALSE(transaction.TimedOut());
    EXPECT_FALSE(reports.empty());
}

TEST_F(TransactionOnPty, TimeOutCountsPerByteNotPerFrame) {
    // A clock that moves only when the peer sends: 60 ms before every byte, so the whole
    // response takes far longer than the 100 ms time-out while no gap reaches it.
    struct ManualClock : MillisecondClock {
        std::uint64_t now = 0;
        std::uint64_t NowMs() const override { return now; }
    } clock;
    const std::string response = frames::ModelAnswerUnit1("SLOW");
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

TEST_F(TransactionOnPty, EmptyCommandOrClosedPortNeverRepeatsThePreviousVerdict) {
    ASSERT_TRUE(Exchange(frames::ModelAnswerUnit1("VX40-A")));
    EXPECT_FALSE(transaction.Execute("", 100));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_EQ(transaction.ResponseText(), "");
    EXPECT_EQ(peer.Received(), command);

    ASSERT_TRUE(Exchange(frames::ModelAnswerUnit1("VX40-A")));
    ASSERT_TRUE(port.Close());
    EXPECT_FALSE(transaction.Execute(command, 100));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_EQ(transaction.RetryFlag, 1);
    EXPECT_EQ(transaction.ResponseText(), "");
    EXPECT_EQ(transaction.ResponseData(), "");
}

TEST_F(TransactionOnPty, GarbageWithoutFrameEndJustUnderTheBufferStillCompletes) {
    // 2047 bytes fit: a frame end on the last of them is still taken.
    const std::string tail = frames::ModelAnswerUnit1("");
    EXPECT_TRUE(Exchange(std::string(2047 - tail.size(), 'G') + tail));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);  // no STX at the start, so nothing parses
    EXPECT_FALSE(transaction.TimedOut());
}

TEST_F(TransactionOnPty, FrameReceiveRefusesMissingPlaces) {
    EXPECT_FALSE(port.ReceiveByteTimed(nullptr, 100));
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kNoPlace);
    EXPECT_FALSE(port.ReceiveFrame(nullptr, 100));
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kNoFramePlace);
    EXPECT_FALSE(port.TransactQuadrel(command, nullptr, 100));
}

}  // namespace
