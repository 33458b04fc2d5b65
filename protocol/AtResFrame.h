#pragma once

#include <string>
#include <string_view>

#include "protocol/AtResHeader.h"
#include "protocol/AtTrailer.h"
#include "protocol/FrameCheck.h"

// An at-frame response: header (with end code unless "IC"), data and trailer.
class CAtResFrame {
  public:
    // Clears the frame, then fills it from a received text. Answers whether the FCS computed
    // from the parsed fields equals the received one.
    bool Parse(std::string_view text);
    // FCS over the header as rendered and the data.
    uint8_t ComputeFcs() const { return Header.HeaderFcs() ^ XorAll(Data); }
    // The frame rendered from its fields, ending with the FCS of the trailer, "*" and CR.
    std::string Text() const { return Header.HeaderText() + Data + Trailer.Text(); }
    // Back to the state before any response: no end code, data empty, flags 0.
    void Clear();

    CAtResHeader Header;
    std::string Data;
    CAtTrailer Trailer;
    uint8_t ComputedFcs = 0;
    bool Valid = false;     // set once the frame has been parsed through its FCS
    bool Complete = false;  // header, data and FCS were all found
};
