#pragma once

#include <cstdint>

#include "protocol/ResultEval.h"

class CQuadrelExchange;

// Result class of a Quadrel exchange: time-out, no usable frame, BCC, end code, response code.
class CQuadrelEval : public CResultEval {
  public:
    ResultClassCode Evaluate(const CQuadrelExchange& exchange);
    ResultClassCode Classify() override;

  private:
    std::uint16_t m_responseCode = 0;
    const CQuadrelExchange* m_exchange = nullptr;
};
