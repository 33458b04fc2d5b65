#pragma once

#include <string>
#include <string_view>

#include "protocol/AtCmdFrame.h"
#include "protocol/AtResFrame.h"
#include "protocol/ExchangeBase.h"

// One at-frame command/response pair; reused for every command.
class CAtExchange : public CExchangeBase {
  public:
    // The first two characters of text are the header code, the rest is data. A refused
    // build leaves no command behind (CommandText() empty).
    bool Build(int unit, std::string_view text);
    std::string CommandText() const { return Command.Text(); }

    // Takes a received frame into the response. True only when the FCS matches and the
    // end code reads as 0.
    bool ParseResponse(std::string_view text);
    std::string ResponseData() const { return Response.Data; }
    // The response rebuilt from its fields; empty unless one was parsed completely.
    std::string ResponseText() const;
    bool FcsOk() const { return Response.ComputedFcs == Response.Trailer.Fcs; }
    // The status code read as two hexadecimal digits; 0x4943 ("IC") when it cannot be read
    // or the response was not parsed completely.
    int EndCodeValue() const;
    // Forgets the last response and the time-out before a new exchange.
    void ClearResponse();

    CAtCmdFrame Command;
    CAtResFrame Response;
};
