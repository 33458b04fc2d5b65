#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Numbered texts read from one section of a profile file with the keys "000", "001", ...
class CMessageTable {
  public:
    // False when `file` or `section` is empty or the file does not exist; otherwise reads the keys
    // "000" up to count - 1 (a missing key gives an empty entry) and answers true.
    bool Load(const std::string& file, const std::string& section, int count);

    // The entry, or "" for a number at or beyond the size of the table.
    std::string Get(uint16_t number) const;

    // The entry with "%1" ... "%9" replaced by the values, in any order; a placeholder without
    // a value stays as it is.
    std::string Format(uint16_t number, const std::vector<std::string>& values) const;

    // Takes every entry that `translation` has (not empty); the others stay.
    void Overlay(const CMessageTable& translation);

  private:
    std::vector<std::string> m_messages;
};
