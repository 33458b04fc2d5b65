#pragma once

#include <string>
#include <string_view>

#include "protocol/QuadrelPdu.h"
#include "protocol/QuadrelResHeader.h"
#include "protocol/QuadrelTrailer.h"

// A Quadrel response: header with end code, command and response code, data, ETX and BCC.
class CQuadrelResFrame {
  public:
    // Fills the frame from a received text. Answers whether the BCC computed from the parsed
    // fields equals the received one. Fields filled before a failing step keep their values.
    bool Parse(std::string_view text);
    // BCC over the fields as rendered: header, eight-digit code text, data and ETX.
    uint8_t ComputeBcc() const;
    // The frame rendered from its fields, ending with the check byte of the trailer.
    std::string Text() const;
    // Back to the state before any response: end code -1, codes 0, data empty, flags 0.
    void Clear();

    CQuadrelResHeader Header;
    CQuadrelPdu Pdu;
    std::string Data;
    CQuadrelTrailer Trailer;
    uint8_t ComputedBcc = 0;
    bool Valid = false;     // set by the receiver once a response has been taken in
    bool Complete = false;  // header, codes, ETX and check byte were all found
};
