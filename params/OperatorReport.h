#pragma once

#include <string>

// How the parameter model tells the operator about a failure it cannot keep to the log (an
// unreadable table). The device session forwards it to its operator interface.
class OperatorReport {
  public:
    virtual ~OperatorReport() = default;
    virtual void ShowError(const std::string& text) = 0;
};
