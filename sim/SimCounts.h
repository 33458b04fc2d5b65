#pragma once

#include <cstddef>
#include <string>

// What the bus did to the line, so that a test can check every injected fault against what its
// client reported. Each fault counts the commands it hit; a command can count for several.
struct SimCounts {
    size_t Commands = 0;  // command frames taken off the line
    size_t Faulted = 0;   // of them, those that at least one fault hit
    size_t Echoed = 0;
    size_t Delayed = 0;
    size_t Late = 0;
    size_t Silenced = 0;
    size_t CorruptChecks = 0;
    size_t EndCodes = 0;
    size_t ResponseCodes = 0;
    size_t AtEndCodes = 0;
    size_t AtIcs = 0;
    size_t Noised = 0;    // answers that stray bytes went before
    size_t Garbage = 0;   // times the line turned to garbage
    size_t Vanished = 0;  // times the line was closed
    size_t Returned = 0;  // times it came back

    bool AnyFault() const;
    SimCounts& operator+=(const SimCounts& more);
};

// One "key=value" line per count, each key named after the option that causes it.
std::string SimCountsText(const SimCounts& counts);
// One line: the commands, the faulted ones and every count of a fault that is not zero.
std::string SimCountsSummary(const SimCounts& counts);
