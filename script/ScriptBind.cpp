// Resolution of operand texts at load time: variables to their items, literals to their
// values, label names to line indexes.
#include "script/Script.h"
#include "script/ScriptLiterals.h"

namespace {

void BindLiteral(CScriptOperand& operand) {
    const std::string& text = operand.text;
    OperandValue& value = operand.value;
    if (IsDecimalText(text)) {
        const ReadNumber number = ReadDecimalText(text);
        value.form = LiteralForm::kDecimal;
        value.negative = !text.empty() && text[0] == '-';
        value.hasNumber = number.read;
        value.number = number.value;
    } else if (IsHexText(text)) {
        value.form = LiteralForm::kHex;
        value.number = HexLiteralValue(text);
    } else if (IsSingleQuoted(text)) {
        value.form = LiteralForm::kSingleQuoted;
        value.number = QuotedChar(text);
        value.text = QuotedText(text);
    } else if (IsDoubleQuoted(text)) {
        value.form = LiteralForm::kDoubleQuoted;
        value.text = QuotedText(text);
    }
}

Comparison ComparisonOf(const std::string& text) {
    if (text == "!=") return Comparison::kNotEqual;
    if (text == ">") return Comparison::kGreater;
    if (text == "<") return Comparison::kLess;
    if (text == ">=") return Comparison::kGreaterEqual;
    if (text == "<=") return Comparison::kLessEqual;
    return Comparison::kEqual;
}

// The operands that name a label, by statement.
bool IsLabelOperand(int32_t code, int32_t i) {
    if (code == kCodeJmp || code == kCodeIsCmdOk) return i == 0;
    if (code == kCodeIf) return i == 3 || i == 4;
    return false;
}

}  // namespace

CVarItem* CScript::FindVar(const std::string& name, bool* isSystem) const {
    CVarItem* var = m_userStore.Lookup(name);
    if (isSystem != nullptr) *isSystem = false;
    if (var != nullptr) return var;
    var = m_systemStore.Lookup(name);
    if (isSystem != nullptr) *isSystem = var != nullptr;
    return var;
}

void CScript::BindOperands(CScriptLine& line) {
    for (int32_t i = 0; i < line.Count(); ++i) {
        CScriptOperand& operand = *line.GetOperand(i);
        // Only IF may name a system variable; other statements were checked on the user store.
        if (operand.kind == kKindVariable) operand.value.var = FindVar(operand.text);
        if (operand.kind == kKindLiteral) BindLiteral(operand);
        if (operand.kind == kKindFormat) operand.value.upperHex = operand.text == "X";
    }
    if (line.Code() == kCodeIf) {
        CScriptOperand& op = *line.GetOperand(1);
        op.value.comparison = ComparisonOf(op.text);
    }
}

void CScript::BindLabels() {
    // Several labels with one text: the first in the routine wins, as a search from the top
    // would find it.
    for (uint32_t index = 0; index < m_routine.Size(); ++index) {
        const CScriptLine* line = m_routine.Find(static_cast<uint16_t>(index));
        if (line != nullptr && line->Code() == kCodeLabel)
            m_labels.emplace(line->Text(), static_cast<uint16_t>(index));
    }
    for (uint32_t index = 0; index < m_routine.Size(); ++index) {
        CScriptLine* line = m_routine.Find(static_cast<uint16_t>(index));
        if (line == nullptr) continue;
        for (int32_t i = 0; i < line->Count(); ++i) {
            if (!IsLabelOperand(line->Code(), i)) continue;
            CScriptOperand& operand = *line->GetOperand(i);
            uint16_t target = 0;
            operand.value.label = FindLabel(operand.text, target) ? target : -1;
        }
    }
}

bool CScript::FindLabel(const std::string& text, uint16_t& index) const {
    const auto found = m_labels.find(text);
    if (found == m_labels.end()) return false;
    index = found->second;
    return true;
}
