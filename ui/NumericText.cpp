#include "ui/NumericText.h"

bool IsAcceptableNumericText(const std::string& text, int flags, char separator) {
    bool separatorSeen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') continue;
        if (c == '-' && i == 0 && (flags & kNumericSigned)) continue;
        if (c == separator && (flags & kNumericDecimal) && !separatorSeen) {
            separatorSeen = true;
            continue;
        }
        return false;
    }
    return true;
}
