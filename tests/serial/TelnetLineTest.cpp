#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "serial/OpenFailure.h"
#include "serial/SerialPort.h"

// What a telnet line makes of the bytes it reads, and the settings it sends: serial.cases.

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
        const std::string refusal = "\xFF\xFE\x2C";
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
