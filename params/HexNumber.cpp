#include "params/HexNumber.h"

#include <cctype>
#include <cstdio>

#include "app/NumberText.h"

bool ScanHex(const std::string& text, uint32_t& value) {
    size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // "0x" with no digit after it reads as the single digit 0, as a scan does.
    bool prefixed = pos + 2 < text.size() && text[pos] == '0' &&
                    (text[pos + 1] == 'x' || text[pos + 1] == 'X') &&
                    HexDigitValue(text[pos + 2]) >= 0;
    if (prefixed) pos += 2;

    uint32_t magnitude = 0;
    bool any = false;
    for (; pos < text.size() && HexDigitValue(text[pos]) >= 0; ++pos) {
        magnitude = magnitude * 16u + static_cast<uint32_t>(HexDigitValue(text[pos]));
        any = true;
    }
    if (!any) return false;
    value = negative ? 0u - magnitude : magnitude;
    return true;
}

std::string FormatHex(uint32_t value, int digits) {
    // A 32-bit value never needs more than 8 digits; the bound only stops absurd table widths.
    constexpr int kMaxDigits = 32;
    digits = digits < 0 ? 0 : (digits > kMaxDigits ? kMaxDigits : digits);
    char buffer[kMaxDigits + 1];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}
