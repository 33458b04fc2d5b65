#include "protocol/Mnemonics.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "app/NumberText.h"

namespace {

constexpr std::array<const char*, 32> kControlNames = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};

constexpr char kDel = 0x7F;

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// The low byte of a hex number written with at least one digit and nothing else.
std::optional<char> HexByte(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    unsigned value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return std::nullopt;
        value = (value * 16 + static_cast<unsigned>(digit)) & 0xFF;
    }
    return static_cast<char>(value);
}

std::optional<char> NamedByte(std::string_view token) {
    const std::string upper = UpperCase(token);
    if (upper == "DEL") return kDel;
    for (size_t i = 0; i < kControlNames.size(); ++i)
        if (upper == kControlNames[i]) return static_cast<char>(i);
    return std::nullopt;
}

}  // namespace

std::string ParseMnemonics(std::string_view typed) {
    std::string bytes;
    size_t pos = 0;
    while (pos < typed.size()) {
        const size_t close = typed[pos] == '[' ? typed.find(']', pos) : std::string_view::npos;
        if (close == std::string_view::npos) {
            bytes += typed[pos++];
            continue;
        }
        const std::string_view token = typed.substr(pos + 1, close - pos - 1);
        const bool hexForm = !token.empty() && (token.back() == 'H' || token.back() == 'h');
        const auto byte = hexForm ? HexByte(token.substr(0, token.size() - 1)) : std::nullopt;
        // "SOH" ends in H but is a name; other H-tokens that do not read as hex keep their text.
        const auto named = byte ? byte : NamedByte(token);
        if (named) {
            bytes += *named;
        } else if (hexForm) {
            ++pos;  // drop the "[" alone; the rest reads as typed characters
            continue;
        } else {
            bytes += UpperCase(token);
        }
        pos = close + 1;
    }
    return bytes;
}

std::string ShowMnemonics(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < kControlNames.size())
            text += std::string("[") + kControlNames[byte] + "]";
        else
            text += c;
    }
    return text;
}
