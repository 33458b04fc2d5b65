#pragma once

#include <string>
#include <string_view>

// Whether a received frame can be the answer to the command frame sent: a frame that names
// another unit or another command is an answer left over from an earlier exchange.  Quadrel
// compares the node and the command code, at-frames the unit and the header code ("IC", the
// answer to a command the unit does not know, names none).  A frame too short or too damaged
// to tell, or the command itself, is not called stale: judging it is the exchange's.  Nor is a
// code that differs from the command's only in letter case: that names this command, wrongly.
bool IsStaleAnswer(std::string_view command, std::string_view frame);

// The code as the frame names it when that differs from the command's only in letter case
// ("0a01" for 0A01, "rd" for RD); empty otherwise.
std::string CodeInOtherCase(std::string_view command, std::string_view frame);
