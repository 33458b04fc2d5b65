#include <gtest/gtest.h>

#include <string>

#include "protocol/CommTransaction.h"
#include "protocol/ControlBytes.h"
#include "protocol/FramePort.h"
#include "support/SimFixture.h"

namespace {

using enum ResultClassCode;

// The transaction against the simulated controller over a real pseudo-terminal. A plain answer:
// CommandExchange; each fault of an answer: ExchangeFaults and the fault matrix; a line that
// goes away: TransactionOnPty and SerialPortOnPty.
class TransactionOnSim : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        ASSERT_TRUE(port.SetSettings(Sim.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(port.Open());
        ASSERT_TRUE(transaction.SetPort(&port));
    }

    CFramePort port;
    CCommTransaction transaction;
};

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

}  // namespace
