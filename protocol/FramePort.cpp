#include "protocol/FramePort.h"

#include <climits>

#include "protocol/AtExchange.h"
#include "protocol/FrameEnd.h"
#include "protocol/QuadrelExchange.h"

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

bool CFramePort::ReceiveFrame(std::string* frame, std::uint32_t timeoutMs) {
    if (frame == nullptr) {
        m_linkStatus.Set(CommStatusCode::kNoFramePlace);
        return false;
    }
    Activity(0, 1);
    frame->clear();
    frame->reserve(kFrameBufferSize);
    for (;;) {
        // One byte of the buffer stays free, as for a zero-terminated text.
        if (frame->size() >= kFrameBufferSize - 1) {
            m_linkStatus.Set(CommStatusCode::kFrameTooLong);
            return false;
        }
        char byte = 0;
        if (!ReceiveByteTimed(&byte, timeoutMs)) return false;
        Activity(0, 0);
        frame->push_back(byte);
        if (IsFrameComplete(*frame)) return true;
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
    if (text.empty() || !IsOpen()) return false;

    Activity(1, 1);
    const bool sent = Send(text.data(), text.size());
    Activity(1, 0);
    if (!sent) return false;

    std::string frame;
    bool received = ReceiveFrame(&frame, timeoutMs);
    // A line that echoes the command: skip the echo once and read the real response.
    if (received && frame == text) received = ReceiveFrame(&frame, timeoutMs);

    if (received) {
        exchange.ParseResponse(frame);
        exchange.Response.Valid = true;
    } else if (CommStatusCode::Kind(m_linkStatus.Code()) == CommStatusCode::kKindTimeOut) {
        exchange.TimedOutFlag = true;
    }
    return received;
}
