#pragma once

#include <cstdint>
#include <string>

// Placing and removing the decimal point of parameter values. Values travel as integers; the
// scale (a power of ten) says how many of their digits are decimals.

// The number of times the scale divides by 10 before it drops below 10: 0 and 1 give 0 places,
// 10 gives 1, 50 gives 1, 100 gives 2.
int DecimalPlacesFromScale(int32_t scale);

// The operator's text as an integer text: missing decimals are filled with zeros, surplus ones
// are cut (never rounded) and the separator is removed. 12.345 with 2 places gives 1234.
std::string ScaleToInteger(const std::string& text, int places, char separator);

// The integer text with `places` digits after the separator: 1234 with 2 places gives 12.34,
// -5 gives -0.05. With 0 places the text is returned unchanged.
std::string ApplyDecimalPoint(const std::string& text, int places, char separator);

// Removes trailing zeros after the separator, and the separator when it becomes the last
// character: 12.30 gives 12.3, 12.0 gives 12. A text without separator is left as it is.
std::string TrimTrailingDecimals(const std::string& text, char separator);

// The decimal separator of the C library's numeric locale.
char LocaleDecimalSeparator();
