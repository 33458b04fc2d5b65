#include "script/ScriptLine.h"

#include <algorithm>

#include "script/KeywordTable.h"

void CScriptLine::Set(uint16_t index, int32_t code, const std::string& text, int32_t count) {
    index_ = index;
    code_ = code;
    text_ = text;
    if (code == -1 || code == kCodeBegin || code == kCodeEnd) count = 0;
    count_ = std::clamp(count, 0, kMaxOperands);
    operands_.assign(static_cast<size_t>(count_), CScriptOperand{});
}

bool CScriptLine::SetOperand(int32_t i, const std::string& text, int32_t kind) {
    if (i < 0 || i >= count_ || text.empty() || kind < kKindVariable || kind > kKindFormat)
        return false;
    CScriptOperand& operand = operands_[static_cast<size_t>(i)];
    operand.text = text;
    operand.kind = kind;
    return true;
}

const CScriptOperand* CScriptLine::GetOperand(int32_t i) const {
    return (i >= 0 && i < count_) ? &operands_[static_cast<size_t>(i)] : nullptr;
}

CScriptOperand* CScriptLine::GetOperand(int32_t i) {
    return (i >= 0 && i < count_) ? &operands_[static_cast<size_t>(i)] : nullptr;
}
