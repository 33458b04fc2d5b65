#include "script/ScriptLineTable.h"

bool CScriptLineTable::Add(uint16_t index, const CScriptLine& line) {
    if (index < lines_.size() && lines_[index]) return false;
    if (index >= lines_.size()) lines_.resize(static_cast<size_t>(index) + 1);
    lines_[index] = std::make_unique<CScriptLine>(line);
    return true;
}

const CScriptLine* CScriptLineTable::Find(uint16_t index) const {
    return index < lines_.size() ? lines_[index].get() : nullptr;
}

CScriptLine* CScriptLineTable::Find(uint16_t index) {
    return index < lines_.size() ? lines_[index].get() : nullptr;
}
