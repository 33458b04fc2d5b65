#pragma once

#include <string>

// What both exchange kinds share: whether the last response wait ran out of time, and whether
// the response named the command in other letter case.
class CExchangeBase {
  public:
    virtual ~CExchangeBase() = default;

    bool TimedOutFlag = false;  // set by the receiver
    // The response's command or header code when it differs from the command's only in letter
    // case (set by the receiver): the answer to this command, and a wrong one.
    std::string OtherCaseCode;
};
