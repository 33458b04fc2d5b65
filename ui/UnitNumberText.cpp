#include "ui/UnitNumberText.h"

#include <algorithm>

namespace {

// A "%d"-style read that saturates instead of overflowing.
bool ReadDecimal(const std::string& text, long long& value) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::size_t first = i;
    long long n = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        n = std::min(n * 10 + (text[i] - '0'), 1LL << 40);
        ++i;
    }
    if (i == first) return false;
    value = negative ? -n : n;
    return true;
}

}  // namespace

bool ParseUnitNumber(const std::string& text, int& unit) {
    long long value = 0;
    if (!ReadDecimal(text, value) || value < kMinUnitNumber || value > kMaxUnitNumber) {
        return false;
    }
    unit = static_cast<int>(value);
    return true;
}

int StepNumber(const std::string& text, int delta, int min, int max) {
    long long value = min;
    if (ReadDecimal(text, value)) value += delta;
    return static_cast<int>(std::clamp<long long>(value, min, max));
}
