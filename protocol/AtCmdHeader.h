#pragma once

#include <string_view>

#include "protocol/AtHeader.h"

class CAtCmdHeader : public CAtHeader {
  public:
    bool IsValid() const override { return IsAddressValid(); }
    // Stores "@", unit and code; refuses a code that is not two characters and a unit that
    // is neither 0..99 nor kBroadcastNode.
    bool Set(int unit, std::string_view code);
};
