#pragma once

#include <cstdint>
#include <string>

#include "protocol/ControlBytes.h"

// Start of every Quadrel frame: STX, node and sub-address.
class CQuadrelHeader {
  public:
    virtual ~CQuadrelHeader() = default;
    // Exclusive-or of the node and sub-address texts as they stand in the frame.
    virtual uint8_t HeaderBcc() const;
    virtual int HeaderLength() const { return 5; }
    virtual std::string HeaderText() const;
    virtual bool IsValid() const = 0;

    int StartByte = kStx;
    int Node = -1;  // kBroadcastNode travels as "XX"
    int SubAddress = -1;

  protected:
    std::string AddressText() const;  // node and sub-address, four characters
};
