#include "protocol/DirectCommand.h"

#include <cstdio>

#include "protocol/CommTransaction.h"
#include "protocol/CommandExchange.h"
#include "protocol/ControlBytes.h"
#include "protocol/DetectProtocol.h"
#include "protocol/FrameCheck.h"
#include "protocol/FramePort.h"
#include "protocol/Mnemonics.h"

namespace {

std::string Hex2(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

std::string Bracketed(unsigned value) { return "[" + Hex2(value) + "H]"; }

// "a b c": the response's fields each after one blank.
std::string JoinFields(std::initializer_list<std::string> fields) {
    std::string out;
    for (const std::string& f : fields) out += (out.empty() ? "" : " ") + f;
    return out;
}

}  // namespace

SDirectFrame CompleteDirectCommand(const std::string& typed) {
    SDirectFrame result;
    result.frame = ParseMnemonics(typed);
    result.protocol = DetectProtocol(result.frame);
    if (result.protocol == ProtocolKind::kAt) {
        const uint8_t fcs = XorAll(result.frame);
        result.sentText = result.frame + Bracketed(fcs) + "*" + Bracketed(kCr);
        result.frame += Hex2(fcs) + "*" + kCr;
    } else {
        if (result.frame.find(kEtx) == std::string::npos) result.frame += kEtx;
        const uint8_t bcc = FrameBcc(result.frame);
        result.sentText = ShowMnemonics(result.frame) + Bracketed(bcc);
        result.frame += static_cast<char>(bcc);
    }
    return result;
}

SDirectResult SendDirectCommand(CFramePort& port, const SDirectFrame& frame, int32_t attempts,
                                uint16_t timeoutMs) {
    CCommTransaction transaction;
    transaction.SetPort(&port);
    SRetryPolicy policy;
    policy.attempts = attempts;
    policy.timeoutMs = timeoutMs;
    // The operator watches the dialog, not the lamps.
    policy.callAttemptHook = false;
    policy.log = ExchangeLog::kOneEntry;
    const SExchangeOutcome outcome = ExchangeWithRetries(transaction, frame.frame, policy);

    SDirectResult result;
    result.resultClass = outcome.resultClass;
    if (outcome.Ok()) {
        result.responseText = FormatDirectResponse(frame.protocol, transaction.ResponseText());
        return result;
    }
    result.responseText = kNoResponseText;
    if (attempts <= 0)
        result.result = SResult::Failure(
            ResultCode::kNoAnswer, Reason<ReasonId::kRetryCountZero>(std::to_string(attempts)));
    else if (outcome.end == ExchangeEnd::kCancelled)
        result.result = SResult::Failure(ResultCode::kCancelled, outcome.why);
    else if (outcome.end == ExchangeEnd::kLineLost)
        result.result = SResult::Failure(ResultCode::kLineLost, outcome.why);
    else
        result.result = SResult::Failure(
            outcome.timedOut ? ResultCode::kNoAnswer : ResultCode::kBadAnswer, outcome.why);
    return result;
}

std::string FormatDirectResponse(ProtocolKind protocol, const std::string& r) {
    if (protocol == ProtocolKind::kQuadrel && r.size() >= 9) {
        const std::string display =
            JoinFields({r.substr(0, 1), r.substr(1, 2), r.substr(3, 2), r.substr(5, 2),
                        r.substr(7, r.size() - 9), r.substr(r.size() - 2, 1)});
        return ShowMnemonics(display) + " " + Bracketed(static_cast<unsigned char>(r.back()));
    }
    if (protocol == ProtocolKind::kAt && r.size() >= 11) {
        return ShowMnemonics(JoinFields({"@", r.substr(1, 2), r.substr(3, 2), r.substr(5, 2),
                                         r.substr(7, r.size() - 11), r.substr(r.size() - 4, 2),
                                         r.substr(r.size() - 2)}));
    }
    return ShowMnemonics(r);
}

STextRange CommandSelection(const std::string& typed) {
    if (DetectProtocol(ParseMnemonics(typed)) == ProtocolKind::kAt) {
        const size_t first = std::min<size_t>(7, typed.size());
        return {first, std::max(first, typed.size() >= 4 ? typed.size() - 4 : 0)};
    }
    const size_t bracket = typed.find(']');
    // "[STX]" + node, sub-address and SID: the command code starts 6 after the "]".
    const size_t first = bracket == std::string::npos ? 0 : std::min(typed.size(), bracket + 6);
    const size_t etx = typed.find("[ETX]");
    return {first, std::max(first, etx == std::string::npos ? typed.size() : etx)};
}
