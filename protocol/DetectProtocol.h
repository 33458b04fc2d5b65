#pragma once

#include <string_view>

// Which frame protocol a command text speaks, by its first byte: 0 Quadrel (STX),
// 1 at-frame ("@"), -1 anything else, empty text included.
int DetectProtocol(std::string_view text);
