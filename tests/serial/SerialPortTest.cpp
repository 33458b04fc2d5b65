#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "serial/SerialPort.h"
#include "support/PtyPair.h"

namespace {

using ::testing::HasSubstr;

// A port whose error reports the test can read.
class ReportingPort : public CSerialPort {
  public:
    ReportingPort() {
        SetErrorReporter([this](const std::string& text) { reports.push_back(text); });
    }
    std::vector<std::string> reports;
};

// Records the settings text that Open hands to Configure.
class RecordingPort : public ReportingPort {
  public:
    std::string settingsText;

  protected:
    bool Configure(const std::string& text) override {
        settingsText = text;
        return CSerialPort::Configure(text);
    }
};

class SerialPortOnPty : public ::testing::Test {
  protected:
    bool OpenDefault(CSerialPort& port) {
        return port.SetSettings(pty.SlavePath(), 38400, 7, 2, 2) && port.Open();
    }
    std::string ReceiveAll(CSerialPort& port, std::size_t count) {
        std::string bytes;
        char byte = 0;
        while (bytes.size() < count && port.WaitForInput(2000)) {
            if (port.ReceiveByte(&byte)) {
                bytes += byte;
            } else if (port.PortStatus().Code() != CommStatusCode::kQueueEmpty) {
                break;
            }
        }
        return bytes;
    }

    PtyPair pty;
    ReportingPort port;
};

TEST_F(SerialPortOnPty, RefusedSettingsLeaveNoNameSoOpenFails) {
    const std::string path = pty.SlavePath();
    EXPECT_FALSE(port.SetSettings(path, 38400, 9, 2, 2));
    EXPECT_FALSE(port.SetSettings(path, 38400, 3, 2, 2));
    EXPECT_FALSE(port.SetSettings(path, 38400, 7, 0, 2));
    EXPECT_FALSE(port.SetSettings(path, 38400, 7, 2, 3));
    EXPECT_FALSE(port.SetSettings("", 38400, 7, 2, 2));
    EXPECT_EQ(port.PortName(), "");
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(SerialPortOnPty, OpenOnAnOpenPortKeepsTheDevice) {
    ASSERT_TRUE(OpenDefault(port));
    EXPECT_FALSE(port.Open());
    ASSERT_TRUE(port.IsOpen());
    EXPECT_TRUE(port.Send("A", 1));
    EXPECT_EQ(pty.Read(1), "A");
}

TEST_F(SerialPortOnPty, SecondOpenOfTheSameDeviceIsRefusedAsBusy) {
    ASSERT_TRUE(OpenDefault(port));
    ReportingPort other;
    ASSERT_TRUE(other.SetSettings(pty.SlavePath(), 38400, 7, 2, 2));
    EXPECT_FALSE(other.Open());
    EXPECT_FALSE(other.IsOpen());
    EXPECT_EQ(other.OpenError(), EBUSY);

    EXPECT_TRUE(port.Close());
    EXPECT_TRUE(other.Open());
}

TEST_F(SerialPortOnPty, MissingDeviceFailsWithoutAReport) {
    ASSERT_TRUE(port.SetSettings("COM3", 38400, 7, 2, 2));
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.OpenError(), ENOENT);
    EXPECT_TRUE(port.reports.empty());
}

TEST_F(SerialPortOnPty, UnrunnableSettingsFailConfigureButTheDeviceStaysOpen) {
    ASSERT_TRUE(port.SetSettings(pty.SlavePath(), 0, 7, 2, 2));
    EXPECT_FALSE(port.Open());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(port.Close());

    ASSERT_TRUE(port.SetSettings(pty.SlavePath(), 9600, 4, 1, 0));
    EXPECT_FALSE(port.Open());
}

TEST_F(SerialPortOnPty, RatesWithoutATermiosNameAreTaken) {
    ASSERT_TRUE(port.SetSettings(pty.SlavePath(), 31250, 8, 1, 0));
    EXPECT_TRUE(port.Open());
}

TEST_F(SerialPortOnPty, SendRefusesEmptyOrClosedWrites) {
    EXPECT_FALSE(port.Send("A", 1));
    ASSERT_TRUE(OpenDefault(port));
    EXPECT_FALSE(port.Send("A", 0));
    EXPECT_FALSE(port.Send(nullptr, 1));
    EXPECT_EQ(pty.Read(1, 50), "");
}

TEST_F(SerialPortOnPty, BinaryBytesCrossTheLineUnchanged) {
    ASSERT_TRUE(OpenDefault(port));
    const std::string frame(
        "\x02"
        "01\r\n\x03\x11\x13\x00\x7f\xff*\r",
        13);
    ASSERT_TRUE(port.Send(frame.data(), frame.size()));
    EXPECT_EQ(pty.Read(frame.size()), frame);

    pty.Write(frame);
    EXPECT_EQ(ReceiveAll(port, frame.size()), frame);
}

TEST_F(SerialPortOnPty, SendDiscardsStaleInput) {
    ASSERT_TRUE(OpenDefault(port));
    pty.Write("stale");
    ASSERT_TRUE(port.WaitForInput(2000));
    ASSERT_TRUE(port.Send("Q", 1));
    pty.Write("fresh");
    EXPECT_EQ(ReceiveAll(port, 5), "fresh");
}

TEST_F(SerialPortOnPty, ReceiveByteStatusCodes) {
    char byte = 0;
    EXPECT_FALSE(port.ReceiveByte(nullptr));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kNoPlace);
    EXPECT_FALSE(port.ReceiveByte(&byte));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kNotOpen);

    ASSERT_TRUE(OpenDefault(port));
    EXPECT_FALSE(port.ReceiveByte(&byte));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kQueueEmpty);
    EXPECT_FALSE(port.ReceiveByte(nullptr));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kNoPlace);

    pty.Write("Z");
    EXPECT_EQ(ReceiveAll(port, 1), "Z");
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kReceived);
    EXPECT_TRUE(port.reports.empty());
}

TEST_F(SerialPortOnPty, CloseAnswersOnlyForAnOpenPort) {
    EXPECT_FALSE(port.Close());
    ASSERT_TRUE(OpenDefault(port));
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Close());
}

TEST_F(SerialPortOnPty, OpenHandsTheStoredSettingsToConfigure) {
    RecordingPort recording;
    ASSERT_TRUE(recording.SetSettings(pty.SlavePath(), 38400, 7, 2, 2));
    ASSERT_TRUE(recording.Open());
    ASSERT_TRUE(recording.SetSettings(pty.SlavePath(), 9600, 8, 1, 1));
    EXPECT_EQ(recording.settingsText, "baud=38400 parity=E data=7 stop=2");
    ASSERT_TRUE(recording.Close());
    ASSERT_TRUE(recording.Open());
    EXPECT_EQ(recording.settingsText, "baud=9600 parity=O data=8 stop=1");
}

TEST_F(SerialPortOnPty, VanishedLineFailsEveryOperationWithAReport) {
    ASSERT_TRUE(OpenDefault(port));
    pty.CloseMaster();

    // Whether the wait notices the hang-up itself or leaves it to the read, no byte comes.
    char byte = 0;
    EXPECT_FALSE(port.WaitForInput(2000) && port.ReceiveByte(&byte));
    EXPECT_FALSE(port.ReceiveByte(&byte));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kPlatformError);
    ASSERT_FALSE(port.reports.empty());
    EXPECT_EQ(port.reports.back(), "ERROR:  [SerialPort::ReceiveByte] : \nInput/output error\n");

    port.reports.clear();
    EXPECT_FALSE(port.Send("A", 1));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kPlatformError);
    ASSERT_EQ(port.reports.size(), 1u);
    EXPECT_THAT(port.reports[0], HasSubstr("CSerialPort::IsSent"));
    EXPECT_TRUE(port.Close());
}

}  // namespace
