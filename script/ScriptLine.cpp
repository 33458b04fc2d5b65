#include "script/ScriptLine.h"

#include <algorithm>

#include "script/KeywordTable.h"

void CScriptLine::Set(uint16_t index, int32_t code, const std::string& text, int32_t count) {
    m_index = index;
    m_code = code;
    m_text = text;
    if (code == -1 || code == kCodeBegin || code == kCodeEnd) count = 0;
    m_count = std::clamp(count, 0, kMaxOperands);
    m_operands.assign(static_cast<size_t>(m_count), CScriptOperand{});
}

bool CScriptLine::SetOperand(int32_t i, const std::string& text, int32_t kind) {
    if (i < 0 || i >= m_count || text.empty() || kind < kKindVariable || kind > kKindFormat)
        return false;
    CScriptOperand& operand = m_operands[static_cast<size_t>(i)];
    operand.text = text;
    operand.kind = kind;
    return true;
}

const CScriptOperand* CScriptLine::GetOperand(int32_t i) const {
    return (i >= 0 && i < m_count) ? &m_operands[static_cast<size_t>(i)] : nullptr;
}

CScriptOperand* CScriptLine::GetOperand(int32_t i) {
    return (i >= 0 && i < m_count) ? &m_operands[static_cast<size_t>(i)] : nullptr;
}
