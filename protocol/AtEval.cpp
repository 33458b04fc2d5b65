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

ResultClassCode CAtEval::Evaluate(const CAtExchange& exchange) {
    m_exchange = &exchange;
    m_endCode = exchange.EndCodeValue();
    const ResultClassCode resultClass = Judge();
    m_exchange = nullptr;
    return resultClass;
}

ResultClassCode CAtEval::Classify() {
    using enum ResultClassCode;
    if (m_exchange == nullptr) return kNoFrame;
    if (m_exchange->TimedOutFlag) return kTimedOut;
    if (!IsUsableFrame(m_exchange->ResponseText())) return kNoFrame;
    if (!m_exchange->FcsOk()) return kFcsMismatch;
    if (!m_exchange->OtherCaseCode.empty()) return kNoFrame;
    if (m_endCode != 0) return kAtEndCodeError;
    return kSuccess;
}
