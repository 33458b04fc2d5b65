#pragma once

#include <cstdint>
#include <string>

// Outcome codes of the byte and frame receives.  The low half tells the kind of
// outcome (0 success, 1 failure, 4 time-out); the high half tells what happened.
namespace CommStatusCode {
constexpr std::uint32_t kReceived = 0x00000000;
constexpr std::uint32_t kNotOpen = 0x00010001;
constexpr std::uint32_t kPlatformError = 0x00020001;
constexpr std::uint32_t kNoPlace = 0x00030001;
constexpr std::uint32_t kTimedOut = 0x00030004;
constexpr std::uint32_t kNoFramePlace = 0x00040001;
constexpr std::uint32_t kFrameTooLong = 0x00050001;
constexpr std::uint32_t kQueueEmpty = 0x00070001;
constexpr std::uint32_t kCancelled = 0x00080001;  // the operator stopped the wait

constexpr std::uint16_t kKindTimeOut = 4;

inline constexpr std::uint16_t Kind(std::uint32_t code) {
    return static_cast<std::uint16_t>(code & 0xFFFFu);
}

// A short English description for logs and diagnostics.
std::string Describe(std::uint32_t code);
}  // namespace CommStatusCode

// Holds the last status code of a port or of a frame receive.
class CCommStatus {
  public:
    virtual ~CCommStatus() = default;

    // Stores code and answers the code it replaced.
    std::uint32_t Set(std::uint32_t code) {
        const std::uint32_t previous = m_code;
        m_code = code;
        return previous;
    }
    std::uint32_t Code() const { return m_code; }

  private:
    std::uint32_t m_code = 0;
};
