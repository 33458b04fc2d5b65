#include "serial/TelnetLine.h"

#include <utility>

namespace {

constexpr std::uint8_t kSe = 240;
constexpr std::uint8_t kSb = 250;
constexpr std::uint8_t kWill = 251;
constexpr std::uint8_t kWont = 252;
constexpr std::uint8_t kDo = 253;
constexpr std::uint8_t kDont = 254;
constexpr std::uint8_t kIac = 255;

constexpr std::uint8_t kBinary = 0;
constexpr std::uint8_t kSuppressGoAhead = 3;
constexpr std::uint8_t kComPort = 44;

constexpr std::uint8_t kSetBaudRate = 1;
constexpr std::uint8_t kSetDataSize = 2;
constexpr std::uint8_t kSetParity = 3;
constexpr std::uint8_t kSetStopSize = 4;

constexpr std::size_t kSubLimit = 64;

// Without binary mode a telnet peer may add a NUL after CR: frames would change.
bool Wanted(std::uint8_t option) {
    return option == kBinary || option == kSuppressGoAhead || option == kComPort;
}

void AppendEscaped(std::string& out, std::uint8_t byte) {
    out += static_cast<char>(byte);
    if (byte == kIac) out += static_cast<char>(kIac);
}

std::string PortCommand(std::uint8_t command, const std::string& value) {
    std::string out = {static_cast<char>(kIac), static_cast<char>(kSb), static_cast<char>(kComPort),
                       static_cast<char>(command)};
    for (char byte : value) AppendEscaped(out, static_cast<std::uint8_t>(byte));
    out += static_cast<char>(kIac);
    out += static_cast<char>(kSe);
    return out;
}

}  // namespace

std::string CTelnetLine::Greeting() {
    m_will.set(kComPort);
    m_will.set(kBinary);
    m_do.set(kBinary);
    return {static_cast<char>(kIac), static_cast<char>(kWill), static_cast<char>(kComPort),
            static_cast<char>(kIac), static_cast<char>(kWill), static_cast<char>(kBinary),
            static_cast<char>(kIac), static_cast<char>(kDo),   static_cast<char>(kBinary)};
}

std::array<std::string, 4> CTelnetLine::LineSettings(std::uint32_t baudRate, std::uint16_t dataBits,
                                                     std::uint16_t parity, std::uint16_t stopBits) {
    const std::string baud = {static_cast<char>(baudRate >> 24), static_cast<char>(baudRate >> 16),
                              static_cast<char>(baudRate >> 8), static_cast<char>(baudRate)};
    // The option counts parity from 1 (none) and stop bits as 1 or 2 (3 is one and a half).
    return {PortCommand(kSetBaudRate, baud),
            PortCommand(kSetDataSize, std::string(1, static_cast<char>(dataBits))),
            PortCommand(kSetParity, std::string(1, static_cast<char>(parity + 1))),
            PortCommand(kSetStopSize, std::string(1, static_cast<char>(stopBits)))};
}

std::string CTelnetLine::Escape(const char* bytes, std::size_t length) {
    std::string out;
    out.reserve(length + 4);
    for (std::size_t i = 0; i < length; ++i)
        AppendEscaped(out, static_cast<std::uint8_t>(bytes[i]));
    return out;
}

std::size_t CTelnetLine::Filter(char* bytes, std::size_t length) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        switch (m_state) {
            case EState::kData:
                if (byte == kIac)
                    m_state = EState::kCommand;
                else
                    bytes[kept++] = static_cast<char>(byte);
                break;
            case EState::kCommand:
                m_state = EState::kData;
                if (byte == kIac) {
                    bytes[kept++] = static_cast<char>(byte);
                } else if (byte >= kWill && byte <= kDont) {
                    m_verb = byte;
                    m_state = EState::kOption;
                } else if (byte == kSb) {
                    m_state = EState::kSubOption;
                }
                // Anything else (NOP, GA, a stray SE) carries no data.
                break;
            case EState::kOption:
                Negotiate(m_verb, byte);
                m_state = EState::kData;
                break;
            case EState::kSubOption:
                m_subOption = byte;
                m_subLength = 0;
                m_state = EState::kSub;
                break;
            case EState::kSub:
                if (byte == kIac) {
                    m_state = EState::kSubCommand;
                } else if (m_subLength < kSubLimit) {
                    if (m_subLength == 0) m_subCommand = byte;
                    ++m_subLength;
                }
                break;
            case EState::kSubCommand:
                // IAC IAC is a value byte; anything but SE there is a broken peer: back to data.
                if (byte == kIac) {
                    if (m_subLength < kSubLimit) ++m_subLength;
                    m_state = EState::kSub;
                } else {
                    if (byte == kSe) Acknowledge();
                    m_state = EState::kData;
                }
                break;
        }
    }
    return kept;
}

void CTelnetLine::Acknowledge() {
    // The server answers a setting with its command number plus 100.
    constexpr std::uint8_t kServerOffset = 100;
    if (m_subOption != kComPort || m_subLength < 2) return;
    if (m_subCommand >= kServerOffset + kSetBaudRate &&
        m_subCommand <= kServerOffset + kSetStopSize)
        m_acknowledged.set(m_subCommand - kServerOffset - kSetBaudRate);
}

void CTelnetLine::Negotiate(std::uint8_t verb, std::uint8_t option) {
    // Answer only a change of state, so that two peers never echo each other forever.
    switch (verb) {
        case kWill:
            if (m_do.test(option)) return;
            if (Wanted(option) && option != kComPort) {
                m_do.set(option);
                Reply(kDo, option);
            } else {
                Reply(kDont, option);
            }
            return;
        case kWont:
            if (!m_do.test(option)) return;
            m_do.reset(option);
            Reply(kDont, option);
            return;
        case kDo:
            if (option == kComPort) m_comPortAgreed = true;
            if (m_will.test(option)) return;
            if (Wanted(option)) {
                m_will.set(option);
                Reply(kWill, option);
            } else {
                Reply(kWont, option);
            }
            return;
        case kDont:
            if (option == kComPort) m_comPortRefused = true;
            if (!m_will.test(option)) return;
            m_will.reset(option);
            Reply(kWont, option);
            return;
        default:
            return;
    }
}

void CTelnetLine::Reply(std::uint8_t verb, std::uint8_t option) {
    m_replies += static_cast<char>(kIac);
    m_replies += static_cast<char>(verb);
    m_replies += static_cast<char>(option);
}

std::string CTelnetLine::TakeReplies() { return std::exchange(m_replies, {}); }
