#pragma once

#include <cstdint>
#include <string>

// The operand forms of the script language and the conversions of their texts.

std::string TrimScriptText(const std::string& text);  // blank, tab, CR, LF, VT, FF at both ends
// Equal when ASCII letters are taken without regard to case (keywords and "var").
bool EqualsIgnoringCase(const std::string& text, const std::string& word);

// Every character a digit, or "-" first; "" and "-" pass.
bool IsDecimalText(const std::string& text);
// "0x"/"0X" followed only by hexadecimal digits; "0x" alone passes.
bool IsHexText(const std::string& text);
bool IsSingleQuoted(const std::string& text);  // a lone "'" passes
bool IsDoubleQuoted(const std::string& text);
inline bool IsQuoted(const std::string& text) {
    return IsSingleQuoted(text) || IsDoubleQuoted(text);
}
bool IsComparisonText(const std::string& text);
bool IsFormatLetter(const std::string& text);  // exactly "d" or "X"

struct ReadNumber {
    bool read = false;  // at least one digit was read
    uint32_t value = 0;
};

// Decimal reading as "%d" does it: leading white space, an optional sign, digits; the value
// wraps to its 32-bit two's-complement pattern.
ReadNumber ReadDecimalText(const std::string& text);
// Hexadecimal reading as "%X" does it: leading white space, an optional sign, an optional
// "0x", digits of either case up to the first other character; the low 32 bits are kept.
ReadNumber ReadHexText(const std::string& text);
// The value of a hexadecimal literal: its digits after "0x" (0 for "0x" alone).
uint32_t HexLiteralValue(const std::string& text);
// The character after the opening quote of a single-quoted literal (0 when there is none).
unsigned char QuotedChar(const std::string& text);
// The text between the first and the last character of a quoted literal.
std::string QuotedText(const std::string& text);
// The character as a one-character text; the NUL character gives the empty text.
std::string CharText(uint32_t code);
