#pragma once

#include <optional>
#include <string>
#include <string_view>

// Rendering and reading of the numeric text fields shared by both frame kinds.

// "%02d" of the node, or "XX" for the broadcast node.
std::string QuadrelNodeText(int node);
// "%02d" of the unit, or "**" for the broadcast unit.
std::string AtUnitText(int unit);
// "%0<width>X" of the value taken as unsigned, as a C formatter renders it (-1 gives FFFFFFFF).
std::string HexText(int value, int width);

// The value of the leading hexadecimal digits (either case) of field; nothing when the first
// character is not a digit. Reading stops at the first other character, so "1Z" reads 1,
// and after seven digits.
std::optional<int> ReadHexField(std::string_view field);
// The same for decimal digits.
std::optional<int> ReadDecimalField(std::string_view field);

// A node or unit number that can travel in a two-character field.
bool IsAddressable(int unit);
