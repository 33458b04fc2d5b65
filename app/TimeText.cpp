#include "app/TimeText.h"

#include <ctime>

std::string FormatTimeNow(const char* format, bool utc) {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if ((utc ? gmtime_r(&now, &parts) : localtime_r(&now, &parts)) == nullptr) return {};
    char text[64];
    return std::strftime(text, sizeof text, format, &parts) > 0 ? text : "";
}
