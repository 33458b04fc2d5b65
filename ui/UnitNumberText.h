#pragma once

#include <string>

// Unit numbers address a controller on the line.
inline constexpr int kMinUnitNumber = 0;
inline constexpr int kMaxUnitNumber = 99;

// Reads the text as a "%d" conversion does (leading blanks and a sign, the first non-digit
// ends the number) and answers true with `unit` set when a number was read and it lies in
// 0..99. `unit` is left alone otherwise.
bool ParseUnitNumber(const std::string& text, int& unit);

// The number one up-down step (+1 or -1) away from the text's number, held in min..max;
// text that holds no number steps from `min`.
int StepNumber(const std::string& text, int delta, int min, int max);
