#include "protocol/FailureReason.h"

#include <cstdio>

#include "protocol/CommTransaction.h"
#include "protocol/FramePort.h"

namespace {

std::string HexCode(int value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value) & 0xFFFFu);
    return text;
}

std::string Bytes(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

std::string DescribeReceive(const CFramePort& port, std::uint16_t timeoutMs) {
    const std::uint32_t status = port.LinkStatus().Code();
    if (status == CommStatusCode::kCancelled) return "stopped by the operator";
    if (port.LineLost()) return "the line was lost";
    if (port.OnlyEchoCameBack()) return "only its own command came back";
    const std::size_t received = port.ReceivedBytes().size();
    if (status == CommStatusCode::kFrameTooLong) return Bytes(received) + " without a frame end";
    const std::string window = " within " + std::to_string(timeoutMs) + " ms";
    if (received == 0) {
        if (!port.StaleAnswers().empty()) return "no answer of its own" + window;
        return "no answer" + window;
    }
    return "answered with " + Bytes(received) + " and no frame end" + window;
}

std::string DescribeAnswer(const CCommTransaction& transaction) {
    using enum ResultClassCode;
    switch (transaction.ResultClass) {
        case kBccMismatch:
        case kFcsMismatch:
            return "answered with a bad check byte";
        case kRejected:
        case kEndCodeError: {
            const CQuadrelResFrame& response = transaction.Quadrel.Response;
            if (response.Header.EndCode != 0)
                return "answered with end code " + HexCode(response.Header.EndCode, 2);
            return "answered with response code " + HexCode(response.Pdu.Response(), 4);
        }
        case kAtEndCodeError: {
            // "IC" stands where the header code does: the controller took no command at all.
            const CAtResHeader& header = transaction.At.Response.Header;
            if (header.HeaderCode == "IC") return "answered with header code IC";
            return "answered with end code " + header.EndCode;
        }
        default: {
            const std::string& code = transaction.Protocol() == ProtocolKind::kAt
                                          ? transaction.At.OtherCaseCode
                                          : transaction.Quadrel.OtherCaseCode;
            if (!code.empty()) return "answered with its code in other letter case: " + code;
            return "answered with a frame that cannot be read";
        }
    }
}

}  // namespace

std::string DescribeFailure(const CCommTransaction& transaction, std::uint16_t timeoutMs) {
    if (transaction.ResultClass == ResultClassCode::kSuccess) return {};
    const CFramePort* port = transaction.Port();
    if (port == nullptr) return "no line to send on";
    if (port->ReceivedBytes().empty() || transaction.TimedOut() ||
        port->LinkStatus().Code() != CommStatusCode::kReceived)
        return DescribeReceive(*port, timeoutMs);
    return DescribeAnswer(transaction);
}
