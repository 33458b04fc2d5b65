#pragma once

#include <string_view>

// The frame protocols; a command text of unknown protocol is sent as it is and judged as Quadrel.
enum class ProtocolKind { kUnknown = -1, kQuadrel = 0, kAt = 1 };

// Which frame protocol a command text speaks, by its first byte: Quadrel for STX, at-frame for
// "@", unknown for anything else, the empty text included.
ProtocolKind DetectProtocol(std::string_view text);
