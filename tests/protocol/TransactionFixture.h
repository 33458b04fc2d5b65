#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "protocol/CommTransaction.h"
#include "protocol/FramePort.h"
#include "support/PtyPair.h"
#include "support/ScriptedPeer.h"

// A Quadrel response as a controller puts it on the line, built byte by byte so that the
// transaction is checked against the wire format rather than against the codec.
namespace wire {

inline char Xor(const std::string& bytes) {
    char check = 0;
    for (const char byte : bytes) check = static_cast<char>(check ^ byte);
    return check;
}

// STX, node, sub-address 00, end code, command code, response code, data, ETX, BCC.
// The command code is the model request's, 0503.
inline std::string Quadrel(int endCode, int responseCode, const std::string& data) {
    char fields[32];
    std::snprintf(fields, sizeof fields, "0100%02X0503%04X", endCode, responseCode);
    const std::string body = fields + data + "\x03";
    return "\x02" + body + Xor(body);
}

}  // namespace wire

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
