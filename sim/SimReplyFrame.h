#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/SimCommand.h"
#include "sim/SimFaults.h"

// A received command frame, checked and taken apart.
struct ReceivedCommand {
    SimCommand Command;
    bool Broadcast = false;    // addressed to "XX" / "**"; the answer keeps that address
    uint16_t QuadrelCode = 0;  // the command code as a number, for the echo in the answer
};

// Nothing when the frame is malformed or its check value is wrong: a unit ignores it.
std::optional<ReceivedCommand> ReadCommandFrame(SimProtocol protocol, std::string_view bytes);

// The reply as the unit's fault settings bend it (end codes, response code, "IC").
SimReply ApplyReplyFaults(SimReply reply, const SimFaults& faults);

// The response frame for reply to the command, with a bit of the check flipped on request.
std::string BuildReplyFrame(const ReceivedCommand& received, const SimReply& reply,
                            bool corruptCheck);
