#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The line set-up of an open port in the textual form "baud=38400 parity=E data=7 stop=2",
// the form in which Open hands the stored settings to Configure.
struct LineSettings {
    std::uint32_t baudRate = 0;
    std::uint16_t parity = 0;  // 0 none, 1 odd, 2 even
    std::uint16_t dataBits = 0;
    std::uint16_t stopBits = 0;
};

// 'N', 'O' or 'E'; any value other than 1 or 2 is 'N'.
char ParityLetter(std::uint16_t parity);

std::string FormatSettingsText(std::uint32_t baudRate, std::uint16_t parity, std::uint16_t dataBits,
                               std::uint16_t stopBits);

// Reads a text of the form FormatSettingsText writes.  Refuses other texts and values no
// serial line can run with: rate 0, unknown parity letter, data bits outside 5..8,
// stop bits other than 1 or 2.
std::optional<LineSettings> ParseSettingsText(const std::string& text);
