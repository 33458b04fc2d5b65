#include "script/ScriptLineTable.h"

bool CScriptLineTable::Add(uint16_t index, const CScriptLine& line) {
    if (index < m_lines.size() && m_lines[index]) return false;
    if (index >= m_lines.size()) m_lines.resize(static_cast<size_t>(index) + 1);
    m_lines[index] = std::make_unique<CScriptLine>(line);
    return true;
}

const CScriptLine* CScriptLineTable::Find(uint16_t index) const {
    return index < m_lines.size() ? m_lines[index].get() : nullptr;
}

CScriptLine* CScriptLineTable::Find(uint16_t index) {
    return index < m_lines.size() ? m_lines[index].get() : nullptr;
}
