#pragma once

#include <string>
#include <string_view>

#include "protocol/AtHeader.h"

// Response header: after the header code comes a two-character end code, except for the
// header code "IC", which answers a command the unit could not take and has none.
class CAtResHeader : public CAtHeader {
  public:
    // "IC" when that is the header code, else the end code.
    std::string StatusCode() const { return IsIc() ? HeaderCode : EndCode; }
    uint8_t HeaderFcs() const override;
    int HeaderLength() const override { return IsIc() ? 5 : 7; }
    std::string HeaderText() const override;
    bool IsValid() const override;
    // Reads "@", unit, header code and end code from the start of a received frame. Fails when
    // the text is shorter than five characters or the unit cannot be read.
    bool Parse(std::string_view text);

    std::string EndCode;

  private:
    bool IsIc() const { return HeaderCode == "IC"; }
};
