#include "protocol/SignedValue.h"

std::string EncodeSignedValue(std::string_view decimal) {
    const bool negative = !decimal.empty() && decimal.front() == '-';
    if (negative) decimal.remove_prefix(1);
    if (decimal.empty() || decimal.size() >= 5 ||
        decimal.find_first_not_of("0123456789") != std::string_view::npos)
        return {};
    std::string text = std::string(4 - decimal.size(), '0') + std::string(decimal);
    if (!negative) return text;
    // The thousands digit of a negative value becomes the sign character.
    if (text[0] == '1') return "A" + text.substr(1);
    if (text[0] == '0') return "F" + text.substr(1);
    return {};
}

bool IsSignedValueText(std::string_view value) {
    return value.size() == 4 &&
           std::string_view("0123456789AF").find(value[0]) != std::string_view::npos &&
           value.substr(1).find_first_not_of("0123456789") == std::string_view::npos;
}

std::string DecodeSignedValue(std::string_view value) {
    if (value.empty()) return {};
    if (value.front() == 'A') return "-1" + std::string(value.substr(1));
    const bool negative = value.front() == 'F';
    if (negative) value.remove_prefix(1);
    const size_t digits = value.find_first_not_of('0');
    // Zero in any form reads as "0": an empty text would mean "no value" to the callers.
    if (digits == std::string_view::npos) return "0";
    return (negative ? "-" : "") + std::string(value.substr(digits));
}
