#pragma once

#include <string>
#include <string_view>

#include "protocol/QuadrelCmdHeader.h"
#include "protocol/QuadrelPdu.h"
#include "protocol/QuadrelTrailer.h"

// A Quadrel command: header, command code, data text, ETX and BCC.
class CQuadrelCmdFrame {
  public:
    // BCC over the header fields, the command code, the data and the ETX, as rendered.
    uint8_t ComputeBcc() const;
    // The bytes to send; empty while the header does not hold a valid command.
    std::string Text() const;
    // Takes a received command frame apart (STX through the BCC after the first ETX; anything
    // after that is ignored). Answers whether the frame is complete and its BCC matches.
    bool Parse(std::string_view text);
    void Clear() { *this = CQuadrelCmdFrame(); }

    CQuadrelCmdHeader Header;
    CQuadrelPdu Pdu;
    std::string Data;
    CQuadrelTrailer Trailer;
};
