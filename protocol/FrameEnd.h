#pragma once

#include <string_view>

// End-of-frame rules, applied by a receiver after every byte.

// A Quadrel frame is complete once more than 5 bytes are in and the byte before the last is
// ETX; the last byte is then the check byte, whatever its value (it may be ETX itself).
bool IsQuadrelFrameComplete(std::string_view received);

// An at-frame is complete once more than 3 bytes are in and they end with "*" CR.
bool IsAtFrameComplete(std::string_view received);
