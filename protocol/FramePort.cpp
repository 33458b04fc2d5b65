#include "protocol/FramePort.h"

#include <algorithm>
#include <climits>

#include "protocol/AnswerMatch.h"
#include "protocol/AtExchange.h"
#include "protocol/ControlBytes.h"
#include "protocol/FrameEnd.h"
#include "protocol/QuadrelExchange.h"

namespace {

// Enough to show in the log what kept answering for another command.
constexpr std::size_t kStaleAnswersKept = 16;
// The same for all a transact sets aside: noise may come before each frame.
constexpr std::size_t kDiscardsKept = 32;

// Before a command goes out, a frame still arriving is waited for while its bytes keep coming.
// A sender pauses inside a frame for less than a few character times; the floor covers adapters
// that pass bytes on in bursts (a USB adapter without low latency holds them up to 16 ms) and a
// busy machine.
constexpr std::uint32_t kQuietCharacters = 4;
constexpr std::uint32_t kMinQuietMs = 30;
// A line that never goes quiet (garbage) holds the command back no longer than this, which
// still lets a frame of a hundred characters arrive whole at 2400 baud.
constexpr std::uint32_t kLeftoverWaitMs = 500;

}  // namespace

bool CFramePort::Configure(const std::string& settingsText) {
    return CSerialPort::Configure(settingsText) && EnableRtsToggle();
}

void CFramePort::ResetFrameMode() {
    m_quadrel = nullptr;
    m_at = nullptr;
}

bool CFramePort::IsFrameComplete(std::string_view received) const {
    if (m_quadrel != nullptr) return IsQuadrelFrameComplete(received);
    if (m_at != nullptr) return IsAtFrameComplete(received);
    return false;
}

bool CFramePort::ReceiveByteTimed(char* out, std::uint32_t timeoutMs) {
    if (out == nullptr) {
        m_linkStatus.Set(CommStatusCode::kNoPlace);
        return false;
    }
    const Deadline deadline(*m_clock, timeoutMs);
    for (;;) {
        if (m_pumpHook) m_pumpHook();
        // Asked after every wake-up: a signal that interrupted poll() is seen at once.
        if (StopRequested()) {
            m_linkStatus.Set(CommStatusCode::kCancelled);
            return false;
        }
        // The time check comes before the poll: a time-out of 0 never reads.
        if (deadline.Expired()) {
            m_linkStatus.Set(CommStatusCode::kTimedOut);
            return false;
        }
        if (ReceiveByte(out)) {
            m_linkStatus.Set(CommStatusCode::kReceived);
            return true;
        }
        // A failed line must not look like a time-out left over from an earlier wait.
        if (PortStatus().Code() != CommStatusCode::kQueueEmpty ||
            !WaitForInput(deadline.RemainingMs(m_pumpHook ? kPollSliceMs : INT_MAX))) {
            m_linkStatus.Set(PortStatus().Code());
            return false;
        }
    }
}

bool CFramePort::LineLost() const {
    return !IsOpen() || m_linkStatus.Code() == CommStatusCode::kPlatformError ||
           m_linkStatus.Code() == CommStatusCode::kNotOpen;
}

bool CFramePort::ReceiveFrame(std::string* frame, std::uint32_t timeoutMs) {
    return ReceiveFrameWithin(frame, timeoutMs, timeoutMs);
}

std::optional<char> CFramePort::FrameStart() const {
    if (m_quadrel != nullptr) return kStx;
    if (m_at != nullptr) return kAtStart;
    return std::nullopt;
}

void CFramePort::SetAside(std::string bytes, bool wholeFrame) {
    if (m_discarded.size() < kDiscardsKept)
        m_discarded.push_back({wholeFrame, m_commandSent, std::move(bytes)});
}

bool CFramePort::ReceiveFrameWithin(std::string* frame, std::uint32_t firstByteMs,
                                    std::uint32_t byteMs) {
    if (frame == nullptr) {
        m_linkStatus.Set(CommStatusCode::kNoFramePlace);
        return false;
    }
    Activity(0, 1);
    frame->clear();
    frame->reserve(kFrameBufferSize);
    const std::optional<char> start = FrameStart();
    // Noise must not keep the wait for a frame going: its first byte is due by then.
    const Deadline firstBy(*m_clock, firstByteMs);
    // The noise stays in frame, before the start byte, until the frame is whole: a receive
    // that fails shows all it took.
    bool started = !start;
    std::size_t skipped = 0;
    for (;;) {
        char byte = 0;
        const bool inFrame = started && !frame->empty();
        if (!ReceiveByteTimed(&byte, inFrame ? byteMs : firstBy.RemainingMs(INT_MAX))) {
            // Noise with nothing after it is no answer at all.
            if (!started && !frame->empty()) {
                SetAside(std::move(*frame), false);
                frame->clear();
            }
            return false;
        }
        Activity(0, 0);
        if (!started && byte == *start) {
            started = true;
            skipped = frame->size();
        }
        frame->push_back(byte);
        if (started && IsFrameComplete(std::string_view(*frame).substr(skipped))) {
            if (skipped > 0) {
                SetAside(frame->substr(0, skipped), false);
                frame->erase(0, skipped);
            }
            return true;
        }
        // A full buffer without a frame end: what follows is no frame of this protocol.
        if (frame->size() >= kFrameBufferSize) {
            m_linkStatus.Set(CommStatusCode::kFrameTooLong);
            return false;
        }
    }
}

bool CFramePort::SetAsideLeftovers() {
    std::string leftovers;
    if (!ReadLeftovers(leftovers)) return false;
    // Judged as the receiver would: noise up to a start byte, then a frame up to its end.
    const std::optional<char> start = FrameStart();
    std::string_view rest = leftovers;
    while (!rest.empty()) {
        const std::size_t at = start ? rest.find(*start) : std::string_view::npos;
        if (at != 0) {
            SetAside(std::string(rest.substr(0, at)), false);
            if (at == std::string_view::npos) break;
            rest.remove_prefix(at);
        }
        std::size_t length = 1;
        while (length <= rest.size() && !IsFrameComplete(rest.substr(0, length))) ++length;
        // A frame that never ended is no answer to anything either.
        SetAside(std::string(rest.substr(0, length)), length <= rest.size());
        rest.remove_prefix(std::min(length, rest.size()));
    }
    return true;
}

bool CFramePort::ReadLeftovers(std::string& leftovers) {
    // One look at the line, which is all that a clean line costs.
    if (!WaitForInput(0)) {
        m_linkStatus.Set(PortStatus().Code());
        return false;
    }
    const std::uint32_t quietMs =
        std::max(kMinQuietMs, kQuietCharacters * CharacterMicroseconds() / 1000 + 1);
    const Deadline giveUpBy(*m_clock, kLeftoverWaitMs);
    std::uint64_t lastByteMs = 0;
    for (;;) {
        const std::size_t before = leftovers.size();
        char byte = 0;
        while (leftovers.size() < kFrameBufferSize && ReceiveByte(&byte)) {
            Activity(0, 0);
            leftovers.push_back(byte);
        }
        const std::uint32_t status = PortStatus().Code();
        if (status != CommStatusCode::kReceived && status != CommStatusCode::kQueueEmpty) {
            m_linkStatus.Set(status);
            return false;
        }
        if (leftovers.empty()) return true;
        const std::uint64_t now = m_clock->NowMs();
        if (leftovers.size() > before) lastByteMs = now;
        const std::uint64_t quietFor = now - lastByteMs;
        if (quietFor >= quietMs || leftovers.size() >= kFrameBufferSize || giveUpBy.Expired() ||
            StopRequested())
            return true;
        if (m_pumpHook) m_pumpHook();
        const int waitMs = std::min(static_cast<int>(quietMs - quietFor),
                                    giveUpBy.RemainingMs(m_pumpHook ? kPollSliceMs : INT_MAX));
        if (!WaitForInput(waitMs)) {
            m_linkStatus.Set(PortStatus().Code());
            return false;
        }
    }
    return true;
}

bool CFramePort::TransactQuadrel(std::string_view text, CQuadrelExchange* exchange,
                                 std::uint32_t timeoutMs) {
    if (exchange == nullptr) return false;
    ResetFrameMode();
    m_quadrel = exchange;
    return Transact(text, *exchange, timeoutMs);
}

bool CFramePort::TransactAt(std::string_view text, CAtExchange* exchange, std::uint32_t timeoutMs) {
    if (exchange == nullptr) return false;
    ResetFrameMode();
    m_at = exchange;
    return Transact(text, *exchange, timeoutMs);
}

template <class Exchange>
bool CFramePort::Transact(std::string_view text, Exchange& exchange, std::uint32_t timeoutMs) {
    // Cleared before anything can fail, so that a refused exchange is never judged by the
    // response of the one before it.
    exchange.ClearResponse();
    m_receivedBytes.clear();
    m_onlyEcho = false;
    m_commandSent = false;
    m_staleAnswers.clear();
    m_discarded.clear();
    m_linkStatus.Set(CommStatusCode::kReceived);
    if (text.empty()) return false;
    if (!IsOpen()) {
        m_linkStatus.Set(CommStatusCode::kNotOpen);
        return false;
    }
    // Read, not flushed: a flush would cut the start off a frame still arriving, and its tail
    // would then be taken for the answer.
    if (!SetAsideLeftovers()) return false;

    Activity(1, 1);
    const bool sent = Send(text.data(), text.size());
    m_commandSent = true;
    Activity(1, 0);
    if (!sent) {
        m_linkStatus.Set(PortStatus().Code());
        return false;
    }

    const Deadline answerBy(*m_clock, timeoutMs);
    const bool received = ReceiveAnswer(text, timeoutMs, answerBy);
    if (received) {
        exchange.ParseResponse(m_receivedBytes);
        exchange.Response.Valid = true;
        exchange.OtherCaseCode = CodeInOtherCase(text, m_receivedBytes);
    } else if (CommStatusCode::Kind(m_linkStatus.Code()) == CommStatusCode::kKindTimeOut) {
        exchange.TimedOutFlag = true;
    }
    return received;
}

bool CFramePort::ReceiveAnswer(std::string_view text, std::uint32_t timeoutMs,
                               const Deadline& answerBy) {
    std::string& frame = m_receivedBytes;
    bool echoSkipped = false;
    std::uint32_t firstByteMs = timeoutMs;
    for (;;) {
        if (!ReceiveFrameWithin(&frame, firstByteMs, timeoutMs)) {
            if (frame.empty() && echoSkipped &&
                CommStatusCode::Kind(m_linkStatus.Code()) == CommStatusCode::kKindTimeOut) {
                m_onlyEcho = true;
                frame = std::string(text);
            }
            return false;
        }
        if (!echoSkipped && frame == text) {
            // A line that echoes the command: skip the echo once and read the real response.
            echoSkipped = true;
            continue;
        }
        if (!IsStaleAnswer(text, frame)) return true;
        // An answer to an earlier command that came too late for it: taking it for this
        // one would shift every value after it.  The real answer may still come.
        if (m_staleAnswers.size() < kStaleAnswersKept) m_staleAnswers.push_back(frame);
        SetAside(frame, true);
        firstByteMs = static_cast<std::uint32_t>(answerBy.RemainingMs(INT_MAX));
    }
}
