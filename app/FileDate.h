#pragma once

#include <cstdint>
#include <string>

// A calendar date and time (months and days from 1, day of week from 0 = Sunday).
struct FileDateTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

// Sets `date` to the last-write time of `file` in universal time.  False (and `date` unchanged)
// when the file cannot be opened.
bool GetFileDate(const std::string& file, FileDateTime& date);
