#include "protocol/Deadline.h"

#include <algorithm>
#include <chrono>

std::uint64_t SteadyClock::NowMs() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

const SteadyClock& SteadyClock::Instance() {
    static const SteadyClock clock;
    return clock;
}

int Deadline::RemainingMs(int limitMs) const {
    const std::uint64_t now = m_clock.NowMs();
    if (now >= m_end) return 0;
    return static_cast<int>(
        std::min<std::uint64_t>(m_end - now, static_cast<std::uint64_t>(limitMs)));
}
