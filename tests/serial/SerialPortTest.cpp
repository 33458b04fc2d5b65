#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "serial/SerialPort.h"
#include "support/PtyPair.h"

namespace {

using ::testing::HasSubstr;

// A port whose error reports the test can read, and which records the settings text that
// Open hands to Configure.
class RecordingPort : public CSerialPort {
  public:
    RecordingPort() {
        SetErrorReporter([this](const std::string& text) { reports.push_back(text); });
    }
    std::vector<std::string> reports;
    std::string settingsText;

  protected:
    bool Configure(const std::string& text) override {
        settingsText = text;
        return CSerialPort::Configure(text);
    }
};

class SerialPortOnPty : public ::testing::Test {
  protected:
    bool OpenDefault() { return port.SetSettings(pty.SlavePath(), 38400, 7, 2, 2) && port.Open(); }
    std::string ReceiveAll(std::size_t count) {
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
    RecordingPort port;
};

TEST_F(SerialPortOnPty, RefusedSettingsAndOpenFailures) {
    const std::string path = pty.SlavePath();
    EXPECT_FALSE(port.SetSettings(path, 38400, 9, 2, 2));
    EXPECT_FALSE(port.SetSettings(path, 38400, 3, 2, 2));
    EXPECT_FALSE(port.SetSettings(path, 38400, 7, 0, 2));
    EXPECT_FALSE(port.SetSettings(path, 38400, 7, 2, 3));
    EXPECT_FALSE(port.SetSettings("", 38400, 7, 2, 2));
    EXPECT_EQ(port.PortName(), "") << "a refused call leaves no name";
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());

    ASSERT_TRUE(port.SetSettings("COM3", 38400, 7, 2, 2));
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(port.OpenError(), ENOENT);
    EXPECT_TRUE(port.reports.empty()) << "a missing device is no error report";

    // Unrunnable settings fail Configure, but the device stays open.
    ASSERT_TRUE(port.SetSettings(path, 0, 7, 2, 2));
    EXPECT_FALSE(port.Open());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(port.Close());
    ASSERT_TRUE(port.SetSettings(path, 9600, 4, 1, 0));
    EXPECT_FALSE(port.Open());
}

TEST_F(SerialPortOnPty, OpenCloseAndBusyRules) {
    EXPECT_FALSE(port.Close());
    ASSERT_TRUE(OpenDefault());
    // A pty has no serial flags: the port opens all the same and says so.
    EXPECT_EQ(port.LowLatency(), LowLatencyResult::kNotSupported);
    EXPECT_FALSE(port.Open()) << "an open port keeps its device";
    ASSERT_TRUE(port.IsOpen());
    RecordingPort other;
    ASSERT_TRUE(other.SetSettings(pty.SlavePath(), 38400, 7, 2, 2));
    EXPECT_FALSE(other.Open());
    EXPECT_FALSE(other.IsOpen());
    EXPECT_EQ(other.OpenError(), EBUSY);
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.Close());
    EXPECT_TRUE(other.Open());
}

TEST_F(SerialPortOnPty, OpenHandsTheStoredSettingsToConfigure) {
    ASSERT_TRUE(OpenDefault());
    // A rate without a termios name is taken too.
    ASSERT_TRUE(port.SetSettings(pty.SlavePath(), 31250, 8, 1, 1));
    EXPECT_EQ(port.settingsText, "baud=38400 parity=E data=7 stop=2");
    ASSERT_TRUE(port.Close());
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(port.settingsText, "baud=31250 parity=O data=8 stop=1");
}

TEST_F(SerialPortOnPty, MisusedOrClosedCallsAreRefused) {
    char byte = 0;
    EXPECT_FALSE(port.Send("A", 1));
    EXPECT_FALSE(port.ReceiveByte(&byte));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kNotOpen);
    ASSERT_TRUE(OpenDefault());
    EXPECT_FALSE(port.Send("A", 0));
    EXPECT_FALSE(port.Send(nullptr, 1));
    EXPECT_EQ(pty.Read(1, 50), "");
    EXPECT_FALSE(port.ReceiveByte(&byte));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kQueueEmpty);
    EXPECT_FALSE(port.ReceiveByte(nullptr));
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kNoPlace);
    EXPECT_TRUE(port.reports.empty());
}

TEST_F(SerialPortOnPty, BinaryBytesCrossTheLineUnchangedAndSendKeepsWhatCameIn) {
    ASSERT_TRUE(OpenDefault());
    const std::string frame(
        "\x02"
        "01\r\n\x03\x11\x13\x00\x7f\xff*\r",
        13);
    ASSERT_TRUE(port.Send(frame.data(), frame.size()));
    EXPECT_EQ(pty.Read(frame.size()), frame);
    pty.Write(frame);
    EXPECT_EQ(ReceiveAll(frame.size()), frame);
    EXPECT_EQ(port.PortStatus().Code(), CommStatusCode::kReceived);

    // A frame on its way while a command goes out keeps its first bytes.
    pty.Write("early");
    ASSERT_TRUE(port.WaitForInput(2000));
    ASSERT_TRUE(port.Send("Q", 1));
    pty.Write("late");
    EXPECT_EQ(ReceiveAll(9), "earlylate");
}

TEST_F(SerialPortOnPty, WhatIsQueuedIsTakenInFewReadsWhateverItsLength) {
    ASSERT_TRUE(OpenDefault());
    std::string bytes;
    for (int i = 0; i < 700; ++i) bytes += static_cast<char>(i * 7);
    pty.Write(bytes);
    // All of it queued before the first read: a read per buffer, not per byte.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::uint64_t before = port.SystemCalls();
    EXPECT_EQ(ReceiveAll(bytes.size()), bytes);
    EXPECT_LE(port.SystemCalls() - before,
              2 * (bytes.size() / CSerialPort::kReceiveBufferSize + 2));
}

TEST_F(SerialPortOnPty, VanishedLineFailsEveryOperationWithAReport) {
    ASSERT_TRUE(OpenDefault());
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
