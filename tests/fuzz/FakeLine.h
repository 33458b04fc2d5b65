#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "protocol/Deadline.h"
#include "protocol/FramePort.h"
#include "support/PtyPair.h"

// A controller line for the fuzz targets: a frame port opened on a pty whose far end answers
// each command the port sends with the next of a list of answers (then stays silent).  Its
// clock stands still while answer bytes are on their way and jumps past every time-out once
// the port has taken them all, so that a silent line costs no real time and no answer is cut
// short by a slow machine.
class FakeLine : public MillisecondClock {
  public:
    explicit FakeLine(std::vector<std::string> answers);
    FakeLine(const FakeLine&) = delete;
    FakeLine& operator=(const FakeLine&) = delete;

    // Open on the pty with the controllers' line settings; nullptr when the pty failed.
    CFramePort* Port() { return m_port.IsOpen() ? &m_port : nullptr; }
    std::uint64_t NowMs() const override;

  private:
    void OnActivity(int sending, int starting);
    void Drain();

    PtyPair m_pty;
    CFramePort m_port;
    std::deque<std::string> m_answers;
    // Answer bytes written to the line and not yet taken by the port.
    std::size_t m_inFlight = 0;
    mutable std::uint64_t m_now = 0;
    // The real time of the last byte taken: a byte the line lost must not freeze the clock.
    std::uint64_t m_lastProgressMs = 0;
};

// Splits a fuzz input at every kAnswerSeparator: the head, then one answer per piece.
inline constexpr const char* kAnswerSeparator = "<|>";
std::vector<std::string> SplitAtSeparator(const std::string& input);
