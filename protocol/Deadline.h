#pragma once

#include <cstdint>

// Milliseconds from an arbitrary start that never goes backwards.  Tests give the
// receiver a clock of their own so that waits can be checked without real time.
class MillisecondClock {
  public:
    virtual ~MillisecondClock() = default;
    virtual std::uint64_t NowMs() const = 0;
};

// The machine's monotonic clock.
class SteadyClock : public MillisecondClock {
  public:
    std::uint64_t NowMs() const override;
    static const SteadyClock& Instance();
};

// A point in time timeoutMs after construction.
class Deadline {
  public:
    Deadline(const MillisecondClock& clock, std::uint32_t timeoutMs)
        : m_clock(clock), m_end(clock.NowMs() + timeoutMs) {}

    bool Expired() const { return m_clock.NowMs() >= m_end; }
    // Milliseconds left, capped at limitMs; 0 once expired.
    int RemainingMs(int limitMs) const;

  private:
    const MillisecondClock& m_clock;
    std::uint64_t m_end;
};
