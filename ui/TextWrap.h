#pragma once

#include <functional>
#include <string>
#include <vector>

// Breaks UTF-8 text into lines no wider than `width` as measured by `measure`. Line breaks
// in the text are kept; a line breaks after its last blank when it has one, otherwise
// between two characters, never inside a multibyte character. Every line holds at least
// one character, so a character wider than `width` gets a line of its own.
std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure);

// The byte length of the UTF-8 character that starts at text[pos] (1 for stray bytes).
std::size_t Utf8CharLength(const std::string& text, std::size_t pos);
