#include "protocol/FramePort.h"

#include "protocol/AtExchange.h"
#include "protocol/FrameEnd.h"
#include "protocol/QuadrelExchange.h"

bool CFramePort::Configure(const std::string& settingsText) {
    return CSerialPort::Configure(settingsText) && EnableRtsToggle();
}

void CFramePort::ResetFrameMode() {
    quadrel_ = nullptr;
    at_ = nullptr;
}

bool CFramePort::IsFrameComplete(std::string_view received) const {
    if (quadrel_ != nullptr) return IsQuadrelFrameComplete(received);
    if (at_ != nullptr) return IsAtFrameComplete(received);
    return false;
}

bool CFramePort::ReceiveByteTimed(char* out, std::uint32_t timeoutMs) {
    if (out == nullptr) {
        linkStatus_.Set(CommStatusCode::kNoPlace);
        return false;
    }
    const Deadline deadline(*clock_, timeoutMs);
    for (;;) {
        if (pumpHook_) pumpHook_();
        // The time check comes before the poll: a time-out of 0 never reads.
        if (deadline.Expired()) {
            linkStatus_.Set(CommStatusCode::kTimedOut);
            return false;
        }
        if (ReceiveByte(out)) {
            linkStatus_.Set(CommStatusCode::kReceived);
            return true;
        }
        // A failed line must not look like a time-out left over from an earlier wait.
        if (PortStatus().Code() != CommStatusCode::kQueueEmpty ||
            !WaitForInput(deadline.RemainingMs(kPollSliceMs))) {
            linkStatus_.Set(PortStatus().Code());
            return false;
        }
    }
}

bool CFramePort::ReceiveFrame(std::string* frame, std::uint32_t timeoutMs) {
    if (frame == nullptr) {
        linkStatus_.Set(CommStatusCode::kNoFramePlace);
        return false;
    }
    Activity(0, 1);
    frame->clear();
    frame->reserve(kFrameBufferSize);
    for (;;) {
        // One byte of the buffer stays free, as for a zero-terminated text.
        if (frame->size() >= kFrameBufferSize - 1) {
            linkStatus_.Set(CommStatusCode::kFrameTooLong);
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
    quadrel_ = exchange;
    return Transact(text, *exchange, timeoutMs);
}

bool CFramePort::TransactAt(std::string_view text, CAtExchange* exchange, std::uint32_t timeoutMs) {
    if (exchange == nullptr) return false;
    ResetFrameMode();
    at_ = exchange;
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
        exchange.Response.Valid = 1;
    } else if (CommStatusCode::Kind(linkStatus_.Code()) == CommStatusCode::kKindTimeOut) {
        exchange.TimedOutFlag = 1;
    }
    return received;
}
