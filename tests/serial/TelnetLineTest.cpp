#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "serial/OpenFailure.h"
#include "serial/SerialPort.h"
#include "serial/TelnetLine.h"

namespace {

const std::string kIac = "\xFF";

// Bytes that may hold NUL, which a string literal would end at.
std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

// What Filter leaves of bytes handed over in the given pieces.
std::string FilterInPieces(CTelnetLine& line, const std::vector<std::string>& pieces) {
    std::string data;
    for (std::string piece : pieces)
        data += piece.substr(0, line.Filter(piece.data(), piece.size()));
    return data;
}

}  // namespace

TEST(TelnetLine, DataSurvivesCommandsAndSubNegotiationsWhereverReadsSplitThem) {
    CTelnetLine line;
    line.Greeting();
    const std::string longSub = kIac + "\xFA\x2C\x6E" + std::string(300, 'x') + kIac + "\xF0";
    const struct {
        std::vector<std::string> pieces;
        std::string data;
    } cases[] = {
        {{"@01" + kIac + kIac + "RS"}, "@01\xFFRS"},
        {{"a" + kIac, kIac + "b"}, "a\xFF" + std::string("b")},
        {{"a" + kIac, "\xFB", "\x01" + std::string("b")}, "ab"},  // WILL ECHO over three reads
        {{"a" + kIac, Bytes({0xFA, 0x2C, 0x65, 0, 0, 0x96, 0xFF, 0xFF}), Bytes({0xFF, 0xF0}) + "b"},
         "ab"},
        {{"a" + longSub + "b"}, "ab"},
        {{"a" + kIac + "\xF1" + std::string("b")}, "ab"},  // NOP
    };
    for (const auto& c : cases) EXPECT_EQ(FilterInPieces(line, c.pieces), c.data);
}

TEST(TelnetLine, AnswersOnlyWhatChangesAndLearnsWhetherPortControlIsAgreed) {
    CTelnetLine line;
    EXPECT_EQ(line.Greeting(), Bytes({0xFF, 0xFB, 0x2C, 0xFF, 0xFB, 0, 0xFF, 0xFD, 0}));
    // Acknowledgements of what was offered: no answer.
    FilterInPieces(line, {Bytes({0xFF, 0xFD, 0x2C, 0xFF, 0xFB, 0})});
    EXPECT_EQ(line.TakeReplies(), "");
    EXPECT_TRUE(line.PortControlAgreed());
    // Echo and terminal type are refused; suppress-go-ahead is taken.
    FilterInPieces(line, {kIac + "\xFB\x01" + kIac + "\xFD\x18" + kIac + "\xFB\x03"});
    EXPECT_EQ(line.TakeReplies(), kIac + "\xFE\x01" + kIac + "\xFC\x18" + kIac + "\xFD\x03");

    CTelnetLine refusing;
    refusing.Greeting();
    FilterInPieces(refusing, {kIac + "\xFE\x2C"});
    EXPECT_TRUE(refusing.PortControlRefused());
    EXPECT_FALSE(refusing.PortControlAgreed());
}

TEST(TelnetLine, SettingsAreSentEscapedAndTheirAcknowledgementsCounted) {
    const auto settings = CTelnetLine::LineSettings(0x0000FF00, 7, 2, 2);
    EXPECT_EQ(settings[0], Bytes({0xFF, 0xFA, 0x2C, 1, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0xF0}));
    EXPECT_EQ(settings[1], kIac + "\xFA\x2C\x02\x07" + kIac + "\xF0");
    EXPECT_EQ(settings[2], kIac + "\xFA\x2C\x03\x03" + kIac + "\xF0");  // even
    EXPECT_EQ(settings[3], kIac + "\xFA\x2C\x04\x02" + kIac + "\xF0");
    EXPECT_EQ(CTelnetLine::LineSettings(9600, 8, 1, 1)[2],
              kIac + "\xFA\x2C\x03\x02" + kIac + "\xF0");

    CTelnetLine line;
    FilterInPieces(line, {kIac + "\xFA\x2C\x66\x07" + kIac + "\xF0"});
    EXPECT_TRUE(line.SettingAcknowledged(1));
    EXPECT_FALSE(line.SettingAcknowledged(0));
    EXPECT_EQ(CTelnetLine::Escape("a\xFF", 2), "a\xFF\xFF");
}

// A telnet server that refuses port control: the open fails at once, saying so, instead of
// driving a line whose settings nobody set.
TEST(TelnetLine, AServerRefusingPortControlFailsTheOpen) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
    std::thread server([listener] {
        const int client = ::accept(listener, nullptr, nullptr);
        const std::string refusal = Bytes({0xFF, 0xFE, 0x2C});
        if (client >= 0 && ::write(client, refusal.data(), refusal.size()) == 3) {
            char sink[64];
            while (::read(client, sink, sizeof sink) > 0) {
            }
        }
        if (client >= 0) ::close(client);
    });
    const std::string name = "rfc2217://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    CSerialPort port;
    ASSERT_TRUE(port.SetSettings(name, 38400, 7, 2, 2));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port.Open());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(DescribeOpenFailure(name, port.OpenError()).message,
              name + ": the server does not offer RFC 2217 port control");
    server.join();
    ::close(listener);
}
