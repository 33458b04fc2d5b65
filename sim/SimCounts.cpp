#include "sim/SimCounts.h"

namespace {

struct CountKey {
    const char* Key;
    size_t SimCounts::*Field;
};

constexpr CountKey kTotals[] = {{"commands", &SimCounts::Commands},
                                {"faulted", &SimCounts::Faulted}};

constexpr CountKey kFaults[] = {{"echo", &SimCounts::Echoed},
                                {"delay", &SimCounts::Delayed},
                                {"late", &SimCounts::Late},
                                {"silent", &SimCounts::Silenced},
                                {"corrupt-check", &SimCounts::CorruptChecks},
                                {"end-code", &SimCounts::EndCodes},
                                {"response-code", &SimCounts::ResponseCodes},
                                {"at-end-code", &SimCounts::AtEndCodes},
                                {"at-ic", &SimCounts::AtIcs},
                                {"noise", &SimCounts::Noised},
                                {"garbage", &SimCounts::Garbage},
                                {"vanish", &SimCounts::Vanished},
                                {"return", &SimCounts::Returned}};

std::string Pair(const CountKey& count, const SimCounts& counts) {
    return std::string(count.Key) + "=" + std::to_string(counts.*count.Field);
}

}  // namespace

bool SimCounts::AnyFault() const {
    for (const CountKey& fault : kFaults)
        if (this->*fault.Field > 0) return true;
    return false;
}

SimCounts& SimCounts::operator+=(const SimCounts& more) {
    for (const CountKey& count : kTotals) this->*count.Field += more.*count.Field;
    for (const CountKey& count : kFaults) this->*count.Field += more.*count.Field;
    return *this;
}

std::string SimCountsText(const SimCounts& counts) {
    std::string text;
    for (const CountKey& count : kTotals) text += Pair(count, counts) + "\n";
    for (const CountKey& count : kFaults) text += Pair(count, counts) + "\n";
    return text;
}

std::string SimCountsSummary(const SimCounts& counts) {
    std::string line = Pair(kTotals[0], counts) + " " + Pair(kTotals[1], counts);
    for (const CountKey& fault : kFaults)
        if (counts.*fault.Field > 0) line += " " + Pair(fault, counts);
    return line;
}
