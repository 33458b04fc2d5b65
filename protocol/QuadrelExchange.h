#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/ExchangeBase.h"
#include "protocol/QuadrelCmdFrame.h"
#include "protocol/QuadrelResFrame.h"

// One Quadrel command/response pair; reused for every command.
class CQuadrelExchange : public CExchangeBase {
  public:
    // Fills the command frame for node (0..99, or kBroadcastNode) with sub-address 0 and SID 0.
    // An unaddressable node is refused and leaves no command behind (CommandText() empty).
    bool Build(int node, uint16_t code, std::string_view data);
    // As Build, with the command code in the first four characters of text (hexadecimal) and
    // the data after them. Refused when text is shorter or those four are not all hex digits.
    bool BuildFromText(int node, std::string_view text);
    std::string CommandText() const { return Command.Text(); }

    // Takes a received frame into the response. True only when the BCC matches, the end code
    // and response code are 0 and the command code echoes the one sent.
    bool ParseResponse(std::string_view text);
    std::string ResponseData() const { return Response.Data; }
    // The response rebuilt from its fields; empty unless one was taken in and parsed completely.
    std::string ResponseText() const;
    bool BccOk() const { return Response.ComputedBcc == Response.Trailer.CheckByte; }
    // Forgets the last response and the time-out before a new exchange.
    void ClearResponse();

    CQuadrelCmdFrame Command;
    CQuadrelResFrame Response;
};
