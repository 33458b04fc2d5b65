#pragma once

#include <cstdint>
#include <string>

// Hexadecimal value texts as the parameter model reads and writes them: reading follows a "%X"
// scan (leading white space, a sign and a "0x" prefix accepted, the first non-digit ends the
// number); digits beyond the 32-bit range keep their low 32 bits instead of being undefined.

// False when not a single hexadecimal digit can be read.
bool ScanHex(const std::string& text, uint32_t& value);

// Upper-case hexadecimal with leading zeros up to `digits` characters ("%0*X"); the width is
// bounded to 0..32.
std::string FormatHex(uint32_t value, int digits);
