#include "protocol/AtEval.h"

#include "protocol/AtExchange.h"
#include "protocol/ControlBytes.h"

namespace {

// "@", two unit digits, header code, two FCS digits, "*" and CR.
constexpr std::size_t kShortestFrame = 9;

bool IsUsableFrame(const std::string& text) {
    return text.size() >= kShortestFrame && text.front() == kAtStart &&
           text[text.size() - 2] == kAtEndMark && text.back() == kCr;
}

}  // namespace

int CAtEval::Evaluate(const CAtExchange& exchange) {
    exchange_ = &exchange;
    endCode_ = exchange.EndCodeValue();
    const int resultClass = Judge();
    exchange_ = nullptr;
    return resultClass;
}

int CAtEval::Classify() {
    using namespace ResultClassCode;
    if (exchange_ == nullptr) return kNoFrame;
    if (exchange_->TimedOutFlag) return kTimedOut;
    if (!IsUsableFrame(exchange_->ResponseText())) return kNoFrame;
    if (!exchange_->FcsOk()) return kFcsMismatch;
    if (endCode_ != 0) return kAtEndCodeError;
    return kSuccess;
}
