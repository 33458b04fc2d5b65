#include "serial/LineSettingsText.h"

#include <cinttypes>
#include <cstdio>

char ParityLetter(std::uint16_t parity) {
    switch (parity) {
        case 1:
            return 'O';
        case 2:
            return 'E';
        default:
            return 'N';
    }
}

std::string FormatSettingsText(std::uint32_t baudRate, std::uint16_t parity, std::uint16_t dataBits,
                               std::uint16_t stopBits) {
    char text[80];
    std::snprintf(text, sizeof text, "baud=%ld parity=%c data=%u stop=%u",
                  static_cast<long>(baudRate), ParityLetter(parity), unsigned{dataBits},
                  unsigned{stopBits});
    return text;
}

std::optional<LineSettings> ParseSettingsText(const std::string& text) {
    long long baud = 0;
    char letter = 0;
    unsigned data = 0;
    unsigned stop = 0;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "baud=%lld parity=%c data=%u stop=%u%n", &baud, &letter, &data,
                    &stop, &consumed) != 4 ||
        static_cast<std::size_t>(consumed) != text.size()) {
        return std::nullopt;
    }
    LineSettings line;
    if (baud <= 0 || baud > UINT32_MAX) return std::nullopt;
    line.baudRate = static_cast<std::uint32_t>(baud);
    switch (letter) {
        case 'N':
            line.parity = 0;
            break;
        case 'O':
            line.parity = 1;
            break;
        case 'E':
            line.parity = 2;
            break;
        default:
            return std::nullopt;
    }
    if (data < 5 || data > 8 || (stop != 1 && stop != 2)) return std::nullopt;
    line.dataBits = static_cast<std::uint16_t>(data);
    line.stopBits = static_cast<std::uint16_t>(stop);
    return line;
}
