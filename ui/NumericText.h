#pragma once

#include <string>

#include "params/DecimalPoint.h"  // LocaleDecimalSeparator

// Characters a numeric edit accepts besides digits.
enum NumericFlag : int {
    kNumericDecimal = 1,  // one decimal separator
    kNumericSigned = 2,   // a minus sign as the very first character
};

// True when every character is a digit, except at most one `separator` (with
// kNumericDecimal) and a leading '-' (with kNumericSigned). The empty text is valid.
bool IsAcceptableNumericText(const std::string& text, int flags, char separator);
