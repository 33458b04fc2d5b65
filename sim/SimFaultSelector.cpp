#include "sim/SimFaultSelector.h"

#include <cctype>
#include <cstdint>

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

}  // namespace

void SimFaultSelector::Reset(const SimFaultScope& scope, size_t commandsSoFar) {
    m_scope = scope;
    m_base = commandsSoFar;
    m_hits = 0;
    m_draws.seed(scope.Seed);
}

bool SimFaultSelector::Hits(size_t number, const SimCommand* command) {
    if (number <= m_base || number - m_base < m_scope.FromCommand) return false;
    if (!m_scope.OnlyFor.empty() &&
        (command == nullptr || !StartsWithIgnoringCase(command->Text(), m_scope.OnlyFor)))
        return false;
    if (m_scope.RatePerMillion < 1'000'000) {
        // draw / 2^32 < rate / 10^6, in integers.
        const uint64_t draw = m_draws();
        if (draw * 1'000'000 >= (static_cast<uint64_t>(m_scope.RatePerMillion) << 32)) return false;
    }
    if (m_scope.MaxHits > 0 && m_hits >= m_scope.MaxHits) return false;
    ++m_hits;
    return true;
}

SimFaults SparedFaults(const SimFaults& faults) {
    SimFaults spared;
    spared.PaceBaud = faults.PaceBaud;
    spared.PaceBitsPerChar = faults.PaceBitsPerChar;
    return spared;
}
