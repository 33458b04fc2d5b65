#include "params/DecimalPoint.h"

#include <clocale>

int DecimalPlacesFromScale(int32_t scale) {
    int places = 0;
    while (scale >= 10) {
        scale /= 10;
        ++places;
    }
    return places;
}

std::string ScaleToInteger(const std::string& text, int places, char separator) {
    if (places < 0) places = 0;
    std::string result = text;
    size_t cut;
    size_t pos = result.find(separator);
    if (pos == std::string::npos) {
        cut = result.size() + places;
        result.append(places, '0');
    } else {
        size_t decimals = result.size() - pos - 1;
        if (decimals < static_cast<size_t>(places)) result.append(places - decimals, '0');
        result.erase(pos, 1);
        cut = pos + places;
    }
    if (cut < result.size()) result.resize(cut);
    return result;
}

std::string ApplyDecimalPoint(const std::string& text, int places, char separator) {
    if (places <= 0) return text;
    std::string digits = text;
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    if (digits.size() < static_cast<size_t>(places)) {
        digits.insert(0, places - digits.size(), '0');
    }
    digits.insert(digits.size() - places, 1, separator);
    if (digits[0] == separator) digits.insert(0, 1, '0');
    if (negative) digits.insert(0, 1, '-');
    return digits;
}

std::string TrimTrailingDecimals(const std::string& text, char separator) {
    if (text.find(separator) == std::string::npos) return text;
    size_t end = text.find_last_not_of('0');
    std::string result = text.substr(0, end == std::string::npos ? 0 : end + 1);
    if (!result.empty() && result.back() == separator) result.pop_back();
    return result;
}

char LocaleDecimalSeparator() {
    const std::lconv* conventions = std::localeconv();
    const char* point = conventions ? conventions->decimal_point : nullptr;
    return point && point[0] ? point[0] : '.';
}
