#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransactionFixture.h"
#include "TransactionWire.h"

namespace {

using namespace ResultClassCode;
using ::testing::HasSubstr;

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

TEST_F(TransactionOnPty, EndlessGarbageStopsAtTheBufferWithoutATimeOut) {
    EXPECT_FALSE(Exchange(std::string(5000, 'G')));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_FALSE(transaction.TimedOut());
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kFrameTooLong);
}

TEST_F(TransactionOnPty, GarbageWithoutFrameEndJustUnderTheBufferStillCompletes) {
    // 2047 bytes fit: a frame end on the last of them is still taken.
    const std::string tail = wire::Quadrel(0, 0, "");
    std::string response = std::string(2047 - tail.size(), 'G') + tail;
    EXPECT_TRUE(Exchange(response));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);  // no STX at the start, so nothing parses
    EXPECT_FALSE(transaction.TimedOut());
}

TEST_F(TransactionOnPty, LineGoneMidFrameFailsWithAReport) {
    bool sentHalf = false;
    port.SetPumpHook([&] {
        if (sentHalf || pty.Read(4096, 0).empty()) return;
        pty.Write(wire::Quadrel(0, 0, "VX40-A").substr(0, 8));
        pty.CloseMaster();
        sentHalf = true;
    });
    EXPECT_FALSE(transaction.Execute(command, 2000));
    EXPECT_TRUE(sentHalf);
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_FALSE(transaction.TimedOut());
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kPlatformError);
    ASSERT_FALSE(reports.empty());
    EXPECT_THAT(reports.front(), HasSubstr("SerialPort::ReceiveByte"));
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
