#pragma once

#include "app/Reason.h"

// How the parameter model tells the operator about a failure it cannot keep to the log (an
// unreadable table). The device session forwards it to its operator interface.
class OperatorReport {
  public:
    virtual ~OperatorReport() = default;
    virtual void ShowReason(const SReason& why) = 0;
};
