#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>

// The client side of a telnet connection with the COM-PORT-OPTION (RFC 2217): data bytes
// 0xFF travel doubled both ways, the server's option requests get their answers, and its
// sub-negotiations (acknowledged settings, line and modem state) are read and set aside.
class CTelnetLine {
  public:
    // What opens the connection: the client offers port control and binary data both ways.
    std::string Greeting();
    // Sets the far line as the termios set-up sets a tty: speed, data bits, parity
    // (0 none, 1 odd, 2 even) and stop bits, one command each, in that order.  A server may
    // apply each as it comes: the next is sent once the one before was acknowledged.
    static std::array<std::string, 4> LineSettings(std::uint32_t baudRate, std::uint16_t dataBits,
                                                   std::uint16_t parity, std::uint16_t stopBits);
    // Whether the server acknowledged the nth of LineSettings' commands (0..3).
    bool SettingAcknowledged(std::size_t n) const { return n < 4 && m_acknowledged.test(n); }
    // Data for the wire: every 0xFF doubled.
    static std::string Escape(const char* bytes, std::size_t length);

    // Takes the telnet commands out of received bytes, in place; answers how many data bytes
    // are left at the front.  A command split across reads is finished by the next call.
    std::size_t Filter(char* bytes, std::size_t length);
    // Answers owed to the server since the last call.
    std::string TakeReplies();

    bool PortControlAgreed() const { return m_comPortAgreed; }
    bool PortControlRefused() const { return m_comPortRefused; }

  private:
    enum class EState { kData, kCommand, kOption, kSubOption, kSub, kSubCommand };
    void Negotiate(std::uint8_t verb, std::uint8_t option);
    void Acknowledge();
    void Reply(std::uint8_t verb, std::uint8_t option);

    EState m_state = EState::kData;
    std::uint8_t m_verb = 0;
    // Bounded: a sub-negotiation longer than any this client reads is cut, not stored.
    std::size_t m_subLength = 0;
    std::uint8_t m_subOption = 0;
    std::uint8_t m_subCommand = 0;
    std::bitset<4> m_acknowledged;
    std::bitset<256> m_will;  // options this side does (offered or agreed)
    std::bitset<256> m_do;    // options the server does
    bool m_comPortAgreed = false;
    bool m_comPortRefused = false;
    std::string m_replies;
};
