#pragma once

#include <string>
#include <vector>

// Appends to `lines` the content lines of the section `section` of the text file `file`: lines
// are trimmed, lines of two characters or fewer are skipped, "[name]" lines are headers (name
// compared exactly), and after the wanted header every line not starting with ";" is taken until
// the next header.  True when at least one line was appended.
bool ReadFileSection(const std::string& file, const std::string& section,
                     std::vector<std::string>& lines);
