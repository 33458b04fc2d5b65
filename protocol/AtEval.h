#pragma once

#include "protocol/ResultEval.h"

class CAtExchange;

// Result class of an at-frame exchange: time-out, no usable frame, FCS, end code.
class CAtEval : public CResultEval {
  public:
    ResultClassCode Evaluate(const CAtExchange& exchange);
    ResultClassCode Classify() override;

  private:
    const CAtExchange* m_exchange = nullptr;
};
