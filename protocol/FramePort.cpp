#include "protocol/FramePort.h"

#include <climits>

#include "protocol/AnswerMatch.h"
#include "protocol/AtExchange.h"
#include "protocol/FrameEnd.h"
#include "protocol/QuadrelExchange.h"

namespace {

// Enough to show in the log what kept answering for another command.
constexpr std::size_t kStaleAnswersKept = 16;

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

bool CFramePort::ReceiveFrameWithin(std::string* frame, std::uint32_t firstByteMs,
                                    std::uint32_t byteMs) {
    if (frame == nullptr) {
        m_linkStatus.Set(CommStatusCode::kNoFramePlace);
        return false;
    }
    Activity(0, 1);
    frame->clear();
    frame->reserve(kFrameBufferSize);
    for (;;) {
        char byte = 0;
        if (!ReceiveByteTimed(&byte, frame->empty() ? firstByteMs : byteMs)) return false;
        Activity(0, 0);
        frame->push_back(byte);
        if (IsFrameComplete(*frame)) return true;
        // A full buffer without a frame end: what follows is no frame of this protocol.
        if (frame->size() >= kFrameBufferSize) {
            m_linkStatus.Set(CommStatusCode::kFrameTooLong);
            return false;
        }
    }
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
    m_staleAnswers.clear();
    m_linkStatus.Set(CommStatusCode::kReceived);
    if (text.empty()) return false;
    if (!IsOpen()) {
        m_linkStatus.Set(CommStatusCode::kNotOpen);
        return false;
    }

    Activity(1, 1);
    const bool sent = Send(text.data(), text.size());
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
        firstByteMs = static_cast<std::uint32_t>(answerBy.RemainingMs(INT_MAX));
    }
}
