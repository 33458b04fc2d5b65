#include "protocol/CommTransaction.h"

#include "protocol/DetectProtocol.h"
#include "protocol/FramePort.h"

bool CCommTransaction::SetPort(CFramePort* port) {
    if (port == nullptr) return false;
    m_port = port;
    return true;
}

bool CCommTransaction::Execute(std::string_view frameText, std::uint16_t timeoutMs) {
    if (m_port == nullptr) return false;
    ResultClass = ResultClassCode::kNotEvaluated;
    m_protocol = DetectProtocol(frameText);

    bool received = false;
    if (IsAt()) {
        received = m_port->TransactAt(frameText, &At, timeoutMs);
        ResultClass = m_evaluators.at.Evaluate(At);
    } else {
        received = m_port->TransactQuadrel(frameText, &Quadrel, timeoutMs);
        ResultClass = m_evaluators.quadrel.Evaluate(Quadrel);
    }
    return received;
}

std::string CCommTransaction::ResponseText() const {
    return IsAt() ? At.ResponseText() : Quadrel.ResponseText();
}

std::string CCommTransaction::ResponseData() const {
    return IsAt() ? At.ResponseData() : Quadrel.ResponseData();
}

bool CCommTransaction::TimedOut() const { return IsAt() ? At.TimedOutFlag : Quadrel.TimedOutFlag; }
