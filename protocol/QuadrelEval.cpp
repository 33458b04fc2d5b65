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

ResultClassCode CQuadrelEval::Evaluate(const CQuadrelExchange& exchange) {
    m_exchange = &exchange;
    m_endCode = exchange.Response.Header.EndCode;
    m_responseCode = exchange.Response.Pdu.Response();
    const ResultClassCode resultClass = Judge();
    m_exchange = nullptr;
    return resultClass;
}

ResultClassCode CQuadrelEval::Classify() {
    using enum ResultClassCode;
    if (m_exchange == nullptr) return kNoFrame;
    if (m_exchange->TimedOutFlag) return kTimedOut;
    if (!IsUsableFrame(m_exchange->ResponseText())) return kNoFrame;
    if (!m_exchange->BccOk()) return kBccMismatch;
    if (!m_exchange->OtherCaseCode.empty()) return kNoFrame;
    if (m_endCode != 0) return m_endCode == kEndCodeRejected ? kRejected : kEndCodeError;
    if (m_responseCode != 0) return kRejected;
    return kSuccess;
}
