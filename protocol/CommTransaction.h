#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/AtExchange.h"
#include "protocol/DetectProtocol.h"
#include "protocol/EvalPair.h"
#include "protocol/QuadrelExchange.h"
#include "protocol/ResultEval.h"

class CFramePort;

// One command exchange on a borrowed port: picks the protocol from the first byte of the
// command text, sends it, takes in the response and judges it into ResultClass.  Retries
// are the caller's.
class CCommTransaction {
  public:
    // Refuses a null port and keeps the one attached before.
    bool SetPort(CFramePort* port);
    CFramePort* Port() const { return m_port; }

    // Answers whether a complete response frame came back; the verdict is in ResultClass.
    // timeoutMs applies to every byte of the response.  Without a port nothing changes.
    bool Execute(std::string_view frameText, std::uint16_t timeoutMs);

    // The response of the last exchange's protocol (Quadrel for an unknown first byte).
    std::string ResponseText() const;
    std::string ResponseData() const;
    bool TimedOut() const;
    // The protocol of the last exchange; kUnknown before the first Execute.
    ProtocolKind Protocol() const { return m_protocol; }

    // Callers build their command text with these before Execute.
    CQuadrelExchange Quadrel;
    CAtExchange At;

    ResultClassCode ResultClass = ResultClassCode::kNotEvaluated;

  private:
    bool IsAt() const { return m_protocol == ProtocolKind::kAt; }

    CFramePort* m_port = nullptr;
    CEvalPair m_evaluators;
    ProtocolKind m_protocol = ProtocolKind::kUnknown;
};
