#include "params/ValueText.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "params/DecimalPoint.h"
#include "params/MenuUICmdItem.h"

namespace {

struct SNumberText {
    bool negative = false;
    std::string digits;  // without separator, decimals included
    int decimals = 0;
};

// Strict: a blank or a second separator would be cut off silently by the conversion after it.
bool ParseNumberText(const std::string& text, char separator, SNumberText& number) {
    size_t i = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) number.negative = text[i++] == '-';
    bool separatorSeen = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            number.digits += c;
            if (separatorSeen) ++number.decimals;
        } else if (c == separator && !separatorSeen) {
            separatorSeen = true;
        } else {
            return false;
        }
    }
    return !number.digits.empty();
}

// The integer the field would carry: decimals beyond `places` are cut, as the conversion does.
// Saturates far beyond any field instead of overflowing.
int64_t IntegerValue(const SNumberText& number, int places) {
    constexpr int64_t kBeyondAnyField = int64_t{1} << 40;
    const size_t kept = number.digits.size() - static_cast<size_t>(number.decimals) +
                        static_cast<size_t>(std::min(number.decimals, places));
    int64_t value = 0;
    for (size_t i = 0; i < kept; ++i)
        value = std::min(value * 10 + (number.digits[i] - '0'), kBeyondAnyField);
    for (int i = number.decimals; i < places; ++i) value = std::min(value * 10, kBeyondAnyField);
    return number.negative ? -value : value;
}

struct SRange {
    int64_t low;
    int64_t high;
};

SRange HexFieldRange(int hexDigits) {
    // Eight hexadecimal digits are a 32-bit two's complement value; narrower fields are unsigned.
    if (hexDigits >= 8) return {INT32_MIN, INT32_MAX};
    const int digits = hexDigits < 1 ? 1 : hexDigits;
    return {0, (int64_t{1} << (4 * digits)) - 1};
}

SRange FieldRange(const SValueForm& form) {
    // The four-character signed text carries -1999 to 9999 (the sign takes the thousands digit).
    if (form.format == kValueSigned) return {-1999, 9999};
    return HexFieldRange(form.hexDigits);
}

std::string Display(int64_t value, const SValueForm& form) {
    return ApplyDecimalPoint(std::to_string(value), form.places, form.separator);
}

}  // namespace

SReason ValueTextProblem(const std::string& text, const SValueForm& form) {
    if (form.format == kValueNone) return Reason<ReasonId::kTakesNoValue>();
    SNumberText number;
    if (!ParseNumberText(text, form.separator, number)) return Reason<ReasonId::kNotANumber>(text);
    const SRange range = FieldRange(form);
    const int64_t value = IntegerValue(number, form.places);
    if (value < range.low || value > range.high)
        return Reason<ReasonId::kOutOfRange>(text, Display(range.low, form),
                                             Display(range.high, form));
    return {};
}

SReason SetValueTextProblem(const std::string& text, int hexDigits) {
    SNumberText number;
    size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    number.negative = i == 1 && text[0] == '-';
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        number.digits += text[i];
    if (number.digits.empty() || i != text.size()) return Reason<ReasonId::kNotPlainInteger>();
    const SRange range = HexFieldRange(hexDigits);
    const int64_t value = IntegerValue(number, 0);
    if (value < range.low || value > range.high)
        return Reason<ReasonId::kValueOutOfRange>(std::to_string(range.low),
                                                  std::to_string(range.high));
    return {};
}
