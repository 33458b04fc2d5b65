#pragma once

#include <string>

// The time now as strftime's `format` writes it, in UTC or in local time.
std::string FormatTimeNow(const char* format, bool utc);
