#include "protocol/QuadrelEval.h"

#include <string>

#include "protocol/ControlBytes.h"
#include "protocol/QuadrelExchange.h"

namespace {

// The shortest frame from STX through ETX that can carry a response.
constexpr std::size_t kShortestFrame = 9;
constexpr int kEndCodeRejected = 0x0F;

bool IsUsableFrame(const std::string& text) {
    const auto stx = text.find(kStx);
    if (stx == std::string::npos) return false;
    const auto etx = text.find(kEtx, stx);
    return etx != std::string::npos && etx - stx + 1 >= kShortestFrame;
}

}  // namespace

int CQuadrelEval::Evaluate(const CQuadrelExchange& exchange) {
    exchange_ = &exchange;
    endCode_ = exchange.Response.Header.EndCode;
    responseCode_ = exchange.Response.Pdu.Response();
    const int resultClass = Judge();
    exchange_ = nullptr;
    return resultClass;
}

int CQuadrelEval::Classify() {
    using namespace ResultClassCode;
    if (exchange_ == nullptr) return kNoFrame;
    if (exchange_->TimedOutFlag) return kTimedOut;
    if (!IsUsableFrame(exchange_->ResponseText())) return kNoFrame;
    if (!exchange_->BccOk()) return kBccMismatch;
    if (endCode_ != 0) return endCode_ == kEndCodeRejected ? kRejected : kEndCodeError;
    if (responseCode_ != 0) return kRejected;
    return kSuccess;
}
