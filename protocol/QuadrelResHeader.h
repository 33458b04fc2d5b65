#pragma once

#include <string_view>

#include "protocol/QuadrelHeader.h"

// Response header: the base fields and the two-digit end code (0 for normal completion).
class CQuadrelResHeader : public CQuadrelHeader {
  public:
    uint8_t HeaderBcc() const override;
    int HeaderLength() const override { return 7; }
    std::string HeaderText() const override;
    bool IsValid() const override { return StartByte == kStx; }

    // Reads the first seven characters of a received frame. Fields that cannot be read are
    // left at -1; fails when the text is too short or the node cannot be read.
    bool Parse(std::string_view text);

    int EndCode = -1;
};
