#pragma once

#include <string>
#include <string_view>

#include "protocol/AtCmdHeader.h"
#include "protocol/AtTrailer.h"

// An at-frame command: header, data text and trailer.
class CAtCmdFrame {
  public:
    // FCS over the header and the data.
    uint8_t ComputeFcs() const;
    // The bytes to send; empty while the header does not hold a valid command.
    std::string Text() const;
    // Takes a received command frame apart (it must end with "*" CR). Answers whether it is
    // complete and its FCS matches.
    bool Parse(std::string_view text);
    void Clear() { *this = CAtCmdFrame(); }

    CAtCmdHeader Header;
    std::string Data;
    CAtTrailer Trailer;
};
