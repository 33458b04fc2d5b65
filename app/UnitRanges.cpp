#include "app/UnitRanges.h"

#include <cctype>
#include <set>

namespace {

constexpr int kHighestUnit = 99;

// One unit number: one or two digits, nothing else.
bool ParseUnit(const std::string& text, int& unit) {
    if (text.empty() || text.size() > 2) return false;
    for (const unsigned char c : text)
        if (!std::isdigit(c)) return false;
    unit = std::stoi(text);
    return unit <= kHighestUnit;
}

}  // namespace

bool ParseUnitRanges(const std::string& text, std::vector<int>& units, std::string& error) {
    units.clear();
    std::set<int> seen;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string part =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t dash = part.find('-');
        int first = 0, last = 0;
        const bool valid = dash == std::string::npos
                               ? ParseUnit(part, first) && ParseUnit(part, last)
                               : ParseUnit(part.substr(0, dash), first) &&
                                     ParseUnit(part.substr(dash + 1), last) && first <= last;
        if (!valid) {
            error = "\"" + part + "\" in the unit list \"" + text +
                    "\" is not a unit 0-99 or a range such as 5-8";
            return false;
        }
        for (int unit = first; unit <= last; ++unit) {
            if (!seen.insert(unit).second) {
                error = "unit " + std::to_string(unit) + " is named twice in \"" + text + "\"";
                return false;
            }
            units.push_back(unit);
        }
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}
