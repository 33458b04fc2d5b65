#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// The prefix of a unit's state lines in a vexa-sim --stats file: "unit01.".
inline std::string StatsPrefix(int unit) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "unit%02d.", unit);
    return prefix;
}

// Whether vexa-sim reports a unit left as it was found: running, write mode off, nothing written
// since the last store. text is a --stats file (prefix StatsPrefix(unit)) or a unitNN.mem dump
// (prefix ""); a failure names the lines missing.
inline ::testing::AssertionResult LeftAsFound(const std::string& text,
                                              const std::string& prefix = "") {
    std::string missing;
    for (const char* asFound : {"run=running", "write_mode=off", "unsaved_writes=0"}) {
        const std::string line = prefix + asFound;
        if (("\n" + text).find("\n" + line + "\n") == std::string::npos) missing += " " + line;
    }
    if (missing.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no line" << missing << " in:\n" << text;
}
