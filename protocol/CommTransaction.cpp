#include "protocol/CommTransaction.h"

#include "protocol/DetectProtocol.h"
#include "protocol/FramePort.h"

bool CCommTransaction::SetPort(CFramePort* port) {
    if (port == nullptr) return false;
    port_ = port;
    return true;
}

bool CCommTransaction::Execute(std::string_view frameText, std::uint16_t timeoutMs) {
    if (port_ == nullptr) return false;
    ResultClass = ResultClassCode::kNotEvaluated;
    protocol_ = DetectProtocol(frameText);

    bool received = false;
    const CResultEval* evaluator = nullptr;
    if (IsAt()) {
        received = port_->TransactAt(frameText, &At, timeoutMs);
        ResultClass = evaluators_.at.Evaluate(At);
        evaluator = &evaluators_.at;
    } else {
        received = port_->TransactQuadrel(frameText, &Quadrel, timeoutMs);
        ResultClass = evaluators_.quadrel.Evaluate(Quadrel);
        evaluator = &evaluators_.quadrel;
    }
    if (ResultClass != ResultClassCode::kSuccess) RetryFlag = evaluator->RetryFlag();
    return received;
}

std::string CCommTransaction::ResponseText() const {
    return IsAt() ? At.ResponseText() : Quadrel.ResponseText();
}

std::string CCommTransaction::ResponseData() const {
    return IsAt() ? At.ResponseData() : Quadrel.ResponseData();
}

bool CCommTransaction::TimedOut() const {
    return IsAt() ? At.TimedOutFlag != 0 : Quadrel.TimedOutFlag != 0;
}
