#pragma once

#include <cstdint>
#include <string_view>

// Exclusive-or of every byte of text; 0 for empty text.
uint8_t XorAll(std::string_view text);

// Check byte of a typed Quadrel frame: the bytes after the first STX (or from the start when
// there is none) through the first ETX; a missing ETX counts as if it had been typed.
// Empty text gives 0x03.
uint8_t FrameBcc(std::string_view text);
