#include "protocol/FrameFields.h"

#include <cstdio>

#include "app/NumberText.h"
#include "protocol/ControlBytes.h"

namespace {

// Frame fields are two to four characters; more digits than this could overflow an int.
constexpr size_t kMaxFieldDigits = 7;

}  // namespace

std::string QuadrelNodeText(int node) {
    if (node == kBroadcastNode) return "XX";
    char text[16];
    std::snprintf(text, sizeof text, "%02d", node);
    return text;
}

std::string AtUnitText(int unit) {
    if (unit == kBroadcastNode) return "**";
    char text[16];
    std::snprintf(text, sizeof text, "%02d", unit);
    return text;
}

std::string HexText(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", width, static_cast<unsigned>(value));
    return text;
}

std::optional<int> ReadHexField(std::string_view field) {
    std::optional<int> value;
    for (char c : field.substr(0, kMaxFieldDigits)) {
        const int digit = HexDigitValue(c);
        if (digit < 0) break;
        value = value.value_or(0) * 16 + digit;
    }
    return value;
}

std::optional<int> ReadDecimalField(std::string_view field) {
    std::optional<int> value;
    for (char c : field.substr(0, kMaxFieldDigits)) {
        if (c < '0' || c > '9') break;
        value = value.value_or(0) * 10 + (c - '0');
    }
    return value;
}

bool IsAddressable(int unit) { return (unit >= 0 && unit <= 99) || unit == kBroadcastNode; }
