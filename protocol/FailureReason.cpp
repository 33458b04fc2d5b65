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

SReason Bytes(std::size_t count) {
    return count == 1 ? Reason<ReasonId::kOneByte>(std::to_string(count))
                      : Reason<ReasonId::kBytes>(std::to_string(count));
}

SReason DescribeReceive(const CFramePort& port, std::uint16_t timeoutMs) {
    const std::uint32_t status = port.LinkStatus().Code();
    if (status == CommStatusCode::kCancelled) return Reason<ReasonId::kStoppedByOperator>();
    if (port.LineLost()) return Reason<ReasonId::kLineWasLost>();
    if (port.OnlyEchoCameBack()) return Reason<ReasonId::kOnlyEcho>();
    const std::size_t received = port.ReceivedBytes().size();
    if (status == CommStatusCode::kFrameTooLong)
        return Reason<ReasonId::kNoFrameEnd>(Bytes(received));
    const std::string window = std::to_string(timeoutMs);
    if (received == 0) {
        if (!port.StaleAnswers().empty()) return Reason<ReasonId::kNoOwnAnswerWithin>(window);
        return Reason<ReasonId::kNoAnswerWithin>(window);
    }
    return Reason<ReasonId::kAnsweredWithoutEnd>(Bytes(received), window);
}

SReason DescribeAnswer(const CCommTransaction& transaction) {
    using enum ResultClassCode;
    switch (transaction.ResultClass) {
        case kBccMismatch:
        case kFcsMismatch:
            return Reason<ReasonId::kBadCheckByte>();
        case kRejected:
        case kEndCodeError: {
            const CQuadrelResFrame& response = transaction.Quadrel.Response;
            if (response.Header.EndCode != 0)
                return Reason<ReasonId::kEndCode>(HexCode(response.Header.EndCode, 2));
            return Reason<ReasonId::kResponseCode>(HexCode(response.Pdu.Response(), 4));
        }
        case kAtEndCodeError: {
            // "IC" stands where the header code does: the controller took no command at all.
            const CAtResHeader& header = transaction.At.Response.Header;
            if (header.HeaderCode == "IC") return Reason<ReasonId::kHeaderCodeIC>();
            return Reason<ReasonId::kEndCode>(header.EndCode);
        }
        default: {
            const std::string& code = transaction.Protocol() == ProtocolKind::kAt
                                          ? transaction.At.OtherCaseCode
                                          : transaction.Quadrel.OtherCaseCode;
            if (!code.empty()) return Reason<ReasonId::kOtherLetterCase>(code);
            return Reason<ReasonId::kUnreadableFrame>();
        }
    }
}

}  // namespace

SReason DescribeFailure(const CCommTransaction& transaction, std::uint16_t timeoutMs) {
    if (transaction.ResultClass == ResultClassCode::kSuccess) return {};
    const CFramePort* port = transaction.Port();
    if (port == nullptr) return Reason<ReasonId::kNoLineToSend>();
    if (port->ReceivedBytes().empty() || transaction.TimedOut() ||
        port->LinkStatus().Code() != CommStatusCode::kReceived)
        return DescribeReceive(*port, timeoutMs);
    return DescribeAnswer(transaction);
}
