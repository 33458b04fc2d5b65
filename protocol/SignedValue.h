#pragma once

#include <string>
#include <string_view>

// Signed values travel as four characters: 0000..9999 for 0..9999, F001..F999 for -1..-999
// and A000..A999 for -1000..-1999.

// Decimal text ("-12", "345") to the four-character value text. Empty text for anything that
// does not fit (five or more digits, below -1999) or is not an optional "-" and digits.
std::string EncodeSignedValue(std::string_view decimal);

// Whether value is a four-character value text of that form: "0000".."9999", "F000".."F999" or
// "A000".."A999".
bool IsSignedValueText(std::string_view value);

// Four-character value text to decimal text, without leading zeros; a zero value gives "0".
// Empty text gives empty text.
std::string DecodeSignedValue(std::string_view value);
