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

// The transaction against the simulated controller over a real pseudo-terminal.
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

TEST_F(TransactionOnSim, NormalExchangeAndEchoes) {
    EXPECT_TRUE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.RetryFlag, 0);
    EXPECT_EQ(transaction.ResponseData(), kModelText);
    EXPECT_EQ(Sim.LastCommand(), command);

    WithFaults([](SimFaults& f) { f.EchoCount = 1; });
    EXPECT_TRUE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.ResponseData(), kModelText);

    // Only one echo is skipped: the second is judged as the response.
    WithFaults([](SimFaults& f) { f.EchoCount = 2; });
    EXPECT_TRUE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_EQ(transaction.RetryFlag, 1);
}

TEST_F(TransactionOnSim, SilenceIsATimeOut) {
    WithFaults([](SimFaults& f) { f.SilentCommands = 1; });
    EXPECT_FALSE(transaction.Execute(command, 50));
    EXPECT_EQ(transaction.ResultClass, kTimedOut);
    EXPECT_TRUE(transaction.TimedOut());
    EXPECT_EQ(transaction.RetryFlag, 1);
    // The next command is answered again.
    EXPECT_TRUE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
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

TEST_F(TransactionOnSim, ControllerRejectionsAndCorruptCheck) {
    const struct {
        void (*fault)(SimFaults&);
        ResultClassCode verdict;
    } cases[] = {{[](SimFaults& f) { f.EndCode = 0x0F; }, kRejected},
                 {[](SimFaults& f) { f.EndCode = 0x01; }, kEndCodeError},
                 {[](SimFaults& f) { f.ResponseCode = 0x1001; }, kRejected},
                 {[](SimFaults& f) { f.CorruptCheck = true; }, kBccMismatch}};
    for (const auto& c : cases) {
        WithFaults(c.fault);
        EXPECT_TRUE(transaction.Execute(command, 2000));
        EXPECT_EQ(transaction.ResultClass, c.verdict);
        EXPECT_EQ(transaction.ResponseData(), kModelText);
    }
}

TEST_F(TransactionOnSim, AtFrameAnswers) {
    Unit->SetAnswer(SimProtocol::At, "RD01", "0150");
    ASSERT_TRUE(transaction.At.Build(kUnit, "RD01"));
    const std::string atCommand = transaction.At.CommandText();
    EXPECT_TRUE(transaction.Execute(atCommand, 2000));
    EXPECT_EQ(transaction.ResultClass, kSuccess);
    EXPECT_EQ(transaction.ResponseData(), "0150");

    WithFaults([](SimFaults& f) { f.AtIc = true; });
    EXPECT_TRUE(transaction.Execute(atCommand, 2000));
    EXPECT_EQ(transaction.ResultClass, kAtEndCodeError);

    WithFaults([](SimFaults& f) { f.CorruptCheck = true; });
    EXPECT_TRUE(transaction.Execute(atCommand, 2000));
    EXPECT_EQ(transaction.ResultClass, kFcsMismatch);
}

TEST_F(TransactionOnSim, EndlessGarbageEndsWithoutOverflowOrTimeOut) {
    WithFaults([](SimFaults& f) { f.Garbage = true; });
    EXPECT_FALSE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_FALSE(transaction.TimedOut());
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kFrameTooLong);
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
