#pragma once

#include <string>

// How often part occurs in text (overlapping occurrences counted), e.g. log lines.
inline size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}
