#pragma once

#include <cstdint>
#include <string>

#include "protocol/ControlBytes.h"

// End of every Quadrel frame: ETX and the raw check byte.
class CQuadrelTrailer {
  public:
    virtual ~CQuadrelTrailer() = default;
    virtual int Length() const { return 2; }
    virtual std::string Text() const {
        return {static_cast<char>(EndByte), static_cast<char>(CheckByte)};
    }

    uint8_t EndByte = kEtx;
    uint8_t CheckByte = 0;
};
