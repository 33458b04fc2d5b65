#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Command code (MRC, SRC) and response code (MRES, SRES) of a Quadrel frame.
class CQuadrelPdu {
  public:
    virtual ~CQuadrelPdu() = default;
    virtual int Length() const { return 8; }

    void SetCommand(uint16_t code) {
        Mrc = static_cast<uint8_t>(code >> 8);
        Src = static_cast<uint8_t>(code & 0xFF);
    }
    uint16_t Command() const { return static_cast<uint16_t>(Mrc << 8 | Src); }
    uint16_t Response() const { return static_cast<uint16_t>(Mres << 8 | Sres); }
    std::string CommandText() const;  // four upper-case hex digits
    std::string FullText() const;     // command and response code, eight hex digits
    // Reads the eight characters at the start of text; a field that cannot be read is 0.
    // Fails when text is shorter than eight characters or no field can be read.
    bool Parse(std::string_view text);

    uint8_t Mrc = 0;
    uint8_t Src = 0;
    uint8_t Mres = 0;
    uint8_t Sres = 0;
};
