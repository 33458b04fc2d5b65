#pragma once

#include <string>
#include <vector>

// A list of unit numbers as vexa-cli (scan, clone) and vexa-sim (--units) take it: "0-99",
// "1,2,5-8". Units 0 to 99, in the order given; a unit named twice, a range that runs backwards or
// anything else is refused and `error` says why.
bool ParseUnitRanges(const std::string& text, std::vector<int>& units, std::string& error);
