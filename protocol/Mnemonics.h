#pragma once

#include <string>
#include <string_view>

// Typed frames name control bytes in brackets: "[STX]", any name of the control-character
// table ("[ack]" in any case), "[DEL]", or a hex byte with a trailing H ("[0Dh]").

// Typed text to frame bytes. A bracketed token that is no name becomes its text in upper
// case without the brackets; a hex token that does not read keeps everything but its "[";
// a "[" without a closing "]" is copied as typed.
std::string ParseMnemonics(std::string_view typed);

// Frame bytes to display text: every byte 0x00..0x1F becomes its bracketed name.
std::string ShowMnemonics(std::string_view bytes);
