#pragma once

#include <cstdint>
#include <string>

#include "protocol/ControlBytes.h"
#include "protocol/FrameFields.h"

// End of every at-frame: the FCS as two hex digits, "*" and CR.
class CAtTrailer {
  public:
    virtual ~CAtTrailer() = default;
    virtual int Length() const { return 4; }
    virtual std::string Text() const {
        return HexText(Fcs, 2) + static_cast<char>(EndMark) + static_cast<char>(Terminator);
    }

    uint8_t EndMark = kAtEndMark;
    uint8_t Terminator = kCr;
    uint8_t Fcs = 0;
};
