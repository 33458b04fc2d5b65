#pragma once

#include <cstdint>
#include <string>

// Reads a decimal integer the way a "%d" scan conversion does: leading white space and one sign
// are accepted, the first non-digit ends the number.  False when no digit follows.  Digits beyond
// the 32-bit range wrap instead of overflowing.
bool ScanDecimalInt(const std::string& text, int32_t& value);

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);
