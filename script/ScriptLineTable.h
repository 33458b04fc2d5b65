#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "script/ScriptLine.h"

// The lines of one routine by their 16-bit index. Indexes are dense from 0, so a vector
// gives the interpreter constant-time access.
class CScriptLineTable {
  public:
    // Stores a copy; fails when a line with that index is present.
    bool Add(uint16_t index, const CScriptLine& line);
    const CScriptLine* Find(uint16_t index) const;
    CScriptLine* Find(uint16_t index);
    size_t Size() const { return m_lines.size(); }
    void RemoveAll() { m_lines.clear(); }

  private:
    std::vector<std::unique_ptr<CScriptLine>> m_lines;
};
