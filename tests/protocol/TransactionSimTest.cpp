#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/CommTransaction.h"
#include "protocol/ControlBytes.h"
#include "protocol/FramePort.h"
#include "support/SimFixture.h"

namespace {

using enum ResultClassCode;
using ::testing::HasSubstr;

// The transaction against the simulated controller over a real pseudo-terminal; the verdict on
// each fault of an answer is checked through the exchange in ExchangeFaultTest.
class TransactionOnSim : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        port.SetErrorReporter([this](const std::string& text) { reports.push_back(text); });
        ASSERT_TRUE(port.SetSettings(Sim.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(port.Open());
        ASSERT_TRUE(transaction.SetPort(&port));
        ASSERT_TRUE(transaction.Quadrel.Build(kUnit, 0x0503, ""));
        command = transaction.Quadrel.CommandText();
    }
    void WithFaults(void (*change)(SimFaults&)) {
        SimFaults faults;
        change(faults);
        Sim.SetFaults(faults);
    }

    CFramePort port;
    CCommTransaction transaction;
    std::string command;
    std::vector<std::string> reports;
};

// Echoes: the fault matrix (OneEcho, TwoEchoes); garbage: ExchangeFaults.EachFailureIsClassed...
TEST_F(TransactionOnSim, NormalExchange) {
    EXPECT_TRUE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.RetryFlag, 0);
    EXPECT_EQ(transaction.ResponseData(), kModelText);
    EXPECT_EQ(Sim.LastCommand(), command);
}

TEST_F(TransactionOnSim, CheckByteEqualToEtxEndsTheFrame) {
    const std::string data = QuadrelDataForBcc(kUnit, 0x0101, 0x03);
    ASSERT_FALSE(data.empty());
    Unit->SetAnswer(SimProtocol::Quadrel, "0101", data);
    ASSERT_TRUE(transaction.Quadrel.Build(kUnit, 0x0101, ""));
    EXPECT_TRUE(transaction.Execute(transaction.Quadrel.CommandText(), 2000));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.ResponseText().back(), kEtx);
    EXPECT_EQ(transaction.ResponseData(), data);
}

TEST_F(TransactionOnSim, SimulatorGoneMidFrameFailsWithAReport) {
    WithFaults([](SimFaults& f) { f.VanishAfterBytes = 6; });
    EXPECT_FALSE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_FALSE(transaction.TimedOut());
    ASSERT_FALSE(reports.empty());
    EXPECT_THAT(reports.front(), HasSubstr("SerialPort::ReceiveByte"));

    // Every later exchange fails at once too.
    reports.clear();
    EXPECT_FALSE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_FALSE(reports.empty());
}

}  // namespace
