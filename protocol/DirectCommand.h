#pragma once

#include <cstdint>
#include <string>

#include "app/Result.h"
#include "protocol/DetectProtocol.h"
#include "protocol/ResultEval.h"

class CFramePort;

// A command typed by hand in maintenance mode: mnemonics expanded, the frame
// completed with its check value, sent with retries, and the response taken
// apart into its fields for display.
struct SDirectFrame {
    ProtocolKind protocol = ProtocolKind::kUnknown;
    std::string frame;     // the bytes to send
    std::string sentText;  // the completed frame as displayed
};

// The frame for a typed text: an at-frame gets its FCS, "*" and CR; anything else
// an ETX when it has none, and its BCC.
SDirectFrame CompleteDirectCommand(const std::string& typed);

// The response display for a failed exchange.
inline constexpr const char* kNoResponseText = "***********************";

struct SDirectResult {
    SResult result;  // kOk, kNoAnswer or kBadAnswer, with the reason
    ResultClassCode resultClass = ResultClassCode::kNoFrame;  // of the last attempt
    std::string responseText;  // display text: fields split, control bytes bracketed
};

// Sends the frame up to `attempts` times on the open port, logging both
// directions of every attempt, the time-outs and the end of the retries.
SDirectResult SendDirectCommand(CFramePort& port, const SDirectFrame& frame, int32_t attempts,
                                uint16_t timeoutMs);

// The response frame split into its fields, as the direct command shows it.
std::string FormatDirectResponse(ProtocolKind protocol, const std::string& response);

// The part of the typed text that holds the command code and data, selected
// after each send for quick editing: [first, last).
struct STextRange {
    size_t first = 0;
    size_t last = 0;
};
STextRange CommandSelection(const std::string& typed);
