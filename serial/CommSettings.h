#pragma once

#include <cstdint>
#include <string>

// The line settings an operator picks: which port and how its line is framed.
// A fresh record is the controllers' factory setting.
class CCommSettings {
  public:
    static constexpr std::uint16_t kParityNone = 0;
    static constexpr std::uint16_t kParityOdd = 1;
    static constexpr std::uint16_t kParityEven = 2;

    std::string portName = "COM1";
    std::uint32_t baudRate = 38400;
    std::uint16_t dataBits = 7;
    std::uint16_t parity = kParityEven;
    std::uint16_t stopBits = 2;

    // An empty name is refused and leaves the record as it was.
    bool SetPortName(const std::string& name);

    bool operator==(const CCommSettings&) const = default;
};
