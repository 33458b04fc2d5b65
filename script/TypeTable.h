#pragma once

#include <cstdint>
#include <string>

// The type keywords of declarations, matched exactly ("int" is not a type).
class CTypeTable {
  public:
    // The type code of a keyword, or kTypeNone (-128).
    int32_t Lookup(const std::string& name) const;
};
