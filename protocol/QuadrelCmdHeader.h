#pragma once

#include "protocol/QuadrelHeader.h"

// Command header: the base fields and the one-digit service identifier.
class CQuadrelCmdHeader : public CQuadrelHeader {
  public:
    uint8_t HeaderBcc() const override;
    int HeaderLength() const override { return 6; }
    std::string HeaderText() const override;
    // Commands always go out with sub-address 0 and SID 0.
    bool IsValid() const override;

    int Sid = -1;
};
