#pragma once

// What both exchange kinds share: whether the last response wait ran out of time.
class CExchangeBase {
  public:
    virtual ~CExchangeBase() = default;

    bool TimedOutFlag = false;  // set by the receiver
};
