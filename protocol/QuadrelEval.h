#pragma once

#include <cstdint>

#include "protocol/ResultEval.h"

class CQuadrelExchange;

// Result class of a Quadrel exchange: time-out, no usable frame, BCC, end code, response code.
class CQuadrelEval : public CResultEval {
  public:
    int Evaluate(const CQuadrelExchange& exchange);
    int Classify() override;
    bool RetryAllowed(int) const override { return true; }

  private:
    std::uint16_t m_responseCode = 0;
    const CQuadrelExchange* m_exchange = nullptr;
};
