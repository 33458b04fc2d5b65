#pragma once

#include <string>
#include <vector>

// Replaces `pieces` with the parts of `text` between `delimiter`s.  Two delimiters in a row give an
// empty piece; a trailing delimiter gives none; an empty text gives no piece.
void SplitString(const std::string& text, char delimiter, std::vector<std::string>& pieces);
