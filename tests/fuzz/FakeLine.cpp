#include "FakeLine.h"

#include <string_view>

namespace {

// Beyond the longest time-out a 16-bit field can hold.
constexpr std::uint64_t kJumpMs = 1u << 17;
// Real time after which bytes still counted as on their way are taken as lost.
constexpr std::uint64_t kLostAfterMs = 1000;

}  // namespace

FakeLine::FakeLine(std::vector<std::string> answers) : m_answers(answers.begin(), answers.end()) {
    m_port.SetErrorReporter([](const std::string&) {});
    m_port.SetClock(*this);
    m_port.SetActivityHook([this](int sending, int starting) { OnActivity(sending, starting); });
    m_port.SetPumpHook([this] { Drain(); });
    if (m_port.SetSettings(m_pty.SlavePath(), 38400, 7, 2, 2)) m_port.Open();
}

std::uint64_t FakeLine::NowMs() const {
    if (m_inFlight > 0 && SteadyClock::Instance().NowMs() - m_lastProgressMs < kLostAfterMs) {
        return m_now;
    }
    m_now += kJumpMs;
    return m_now;
}

void FakeLine::OnActivity(int sending, int starting) {
    if (sending == 1 && starting == 1) {
        // The send flushes whatever of the last answer the port left unread.
        m_inFlight = 0;
    } else if (sending == 1) {
        Drain();
        if (m_answers.empty()) return;
        m_pty.Write(m_answers.front());
        m_inFlight = m_answers.front().size();
        m_answers.pop_front();
        m_lastProgressMs = SteadyClock::Instance().NowMs();
    } else if (starting == 0 && m_inFlight > 0) {
        --m_inFlight;
        m_lastProgressMs = SteadyClock::Instance().NowMs();
    }
}

// The commands the port sent are read away so that the line never fills up.
void FakeLine::Drain() { m_pty.Read(4096, 0); }

std::vector<std::string> SplitAtSeparator(const std::string& input) {
    std::vector<std::string> pieces;
    const std::string_view separator = kAnswerSeparator;
    std::size_t start = 0;
    for (std::size_t at = input.find(separator); at != std::string::npos;
         at = input.find(separator, start)) {
        pieces.push_back(input.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.push_back(input.substr(start));
    return pieces;
}
