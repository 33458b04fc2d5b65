// Execution of the statements that compute and branch; the communication statements are in
// ScriptComm.cpp.
#include <algorithm>
#include <cstdio>

#include "script/Script.h"
#include "script/ScriptLiterals.h"

namespace {

const CScriptOperand kMissingOperand{};

const CScriptOperand& Operand(const CScriptLine& line, int32_t i) {
    const CScriptOperand* operand = line.GetOperand(i);
    return operand != nullptr ? *operand : kMissingOperand;
}

CVarItem* Variable(const CScriptOperand& operand) {
    return operand.kind == kKindVariable ? operand.value.var : nullptr;
}

uint32_t SignExtendChar(uint32_t code) {
    return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(code)));
}

// The number of a variable or of a number literal; a single-quoted literal gives its character
// code, sign-extended from 8 bits where the statement says so.
bool NumberOf(const CScriptOperand& operand, bool signExtendChar, uint32_t& number) {
    if (operand.kind == kKindVariable) {
        if (operand.value.var == nullptr) return false;
        number = operand.value.var->GetNumber();
        return true;
    }
    if (operand.kind != kKindLiteral) return false;
    switch (operand.value.form) {
        case LiteralForm::kDecimal:
        case LiteralForm::kHex:
            number = operand.value.number;
            return true;
        case LiteralForm::kSingleQuoted:
            number = signExtendChar ? SignExtendChar(operand.value.number) : operand.value.number;
            return true;
        default:
            return false;
    }
}

// The text of a STRING or CHAR variable, or of a quoted literal (single-quoted: its character).
bool TextOf(const CScriptOperand& operand, std::string& text) {
    if (const CVarItem* var = Variable(operand)) {
        if (var->Type() == kTypeString)
            text = var->GetString();
        else if (var->Type() == kTypeChar)
            text = CharText(var->GetNumber());
        else
            return false;
        return true;
    }
    if (operand.kind != kKindLiteral) return false;
    if (operand.value.form == LiteralForm::kSingleQuoted)
        text = CharText(operand.value.number);
    else if (operand.value.form == LiteralForm::kDoubleQuoted)
        text = operand.value.text;
    else
        return false;
    return true;
}

bool IsSignedType(int32_t type) {
    return type == kTypeInt || type == kTypeShort || type == kTypeLong || type == kTypeChar;
}

struct EvalResult {
    bool isText = false;
    bool isSigned = false;
    uint32_t number = 0;
    std::string text;
};

// The value of an IF operand. Variables were resolved at load time in the user store and then
// in the system store, so "@COMM_STATUS" and "@RET_VALUE" can be tested.
bool EvalOperand(const CScriptOperand& operand, EvalResult& result) {
    if (operand.kind == kKindVariable) {
        const CVarItem* var = operand.value.var;
        if (var == nullptr) return false;
        result.isText = var->Type() == kTypeString;
        result.isSigned = IsSignedType(var->Type());
        result.number = var->GetNumber();
        result.text = var->GetString();
        return true;
    }
    if (operand.kind != kKindLiteral) return false;
    const OperandValue& value = operand.value;
    switch (value.form) {
        case LiteralForm::kDecimal:
            result.isSigned = value.negative;
            result.number = value.number;
            return true;
        case LiteralForm::kHex:
        case LiteralForm::kSingleQuoted:
            result.isSigned = true;
            result.number = value.number;
            return true;
        case LiteralForm::kDoubleQuoted:
            result.isText = true;
            result.text = value.text;
            return true;
        default:
            return false;
    }
}

template <typename T>
bool Compare(const T& left, Comparison op, const T& right) {
    switch (op) {
        case Comparison::kEqual:
            return left == right;
        case Comparison::kNotEqual:
            return left != right;
        case Comparison::kGreater:
            return left > right;
        case Comparison::kLess:
            return left < right;
        case Comparison::kGreaterEqual:
            return left >= right;
        case Comparison::kLessEqual:
            return left <= right;
    }
    return false;
}

// A count or start of a string statement, as a signed number.
bool SignedCount(const CScriptOperand& operand, int64_t& count) {
    uint32_t number = 0;
    if (!NumberOf(operand, false, number)) return false;
    count = static_cast<int32_t>(number);
    return true;
}

}  // namespace

bool CScript::Step(uint16_t& pc, bool& done) {
    const CScriptLine* line = m_routine.Find(pc);
    if (line == nullptr) return false;
    switch (line->Code()) {
        case kCodeUnset:
        case -1:
        case kCodeBegin:
        case kCodeLabel:
            ++pc;
            return true;
        case kCodeEnd:
            done = true;
            return true;
        default:
            done = false;
            return ExecStatement(*line, pc, done);
    }
}

bool CScript::ExecStatement(const CScriptLine& line, uint16_t& pc, bool& done) {
    bool ok = false;
    switch (line.Code()) {
        case kCodeCommTypeRead:
        case kCodeCommRead:
            return ExecComm(line.Code(), line, pc);
        case kCodeIsCmdOk:
            if (m_commStatus != nullptr && m_commStatus->GetNumber() != 0)
                return ExecJump(Operand(line, 0), pc);
            ok = true;
            break;
        case kCodeJmp:
            return ExecJump(Operand(line, 0), pc);
        case kCodeIf:
            return ExecIf(line, pc);
        case kCodeStoNum:
            ok = ExecStoNum(line);
            break;
        case kCodeNumToS:
            ok = ExecNumToS(line);
            break;
        case kCodeStore:
            ok = ExecStore(line);
            break;
        case kCodeAdd:
        case kCodeSub:
        case kCodeMul:
        case kCodeDiv:
        case kCodeShl:
        case kCodeShr:
        case kCodeAnd:
        case kCodeOr:
        case kCodeXor:
        case kCodeNot:
            ok = ExecArithmetic(line.Code(), line);
            break;
        case kCodeSLeft:
        case kCodeSRight:
        case kCodeSMid:
            ok = ExecSubstring(line.Code(), line);
            break;
        case kCodeSJoin:
            ok = ExecSJoin(line);
            break;
        case kCodeRet:
            // The routine ends here; the program counter stays on the RET line.
            done = ExecRet(line);
            return done;
        default:
            return false;  // COMMWRITE and unknown codes never execute
    }
    if (ok) ++pc;
    return ok;
}

bool CScript::ExecJump(const CScriptOperand& label, uint16_t& pc) const {
    if (label.value.label < 0) return false;
    pc = static_cast<uint16_t>(label.value.label);
    return true;
}

bool CScript::ExecIf(const CScriptLine& line, uint16_t& pc) const {
    const int32_t trueLabel = Operand(line, 3).value.label;
    const int32_t falseLabel = Operand(line, 4).value.label;
    if (trueLabel < 0 || falseLabel < 0) return false;
    EvalResult left;
    EvalResult right;
    if (!EvalOperand(Operand(line, 0), left) || !EvalOperand(Operand(line, 2), right)) return false;
    if (left.isText != right.isText) return false;
    const Comparison op = Operand(line, 1).value.comparison;
    bool holds = false;
    if (left.isText)
        holds = Compare(left.text, op, right.text);
    else if (left.isSigned && right.isSigned)
        holds = Compare(static_cast<int32_t>(left.number), op, static_cast<int32_t>(right.number));
    else
        holds = Compare(left.number, op, right.number);
    pc = static_cast<uint16_t>(holds ? trueLabel : falseLabel);
    return true;
}

bool CScript::ExecStore(const CScriptLine& line) {
    CVarItem* dest = Variable(Operand(line, 0));
    const CScriptOperand& source = Operand(line, 1);
    if (dest == nullptr) return false;
    if (dest->Type() == kTypeString) {
        std::string text;
        if (!TextOf(source, text)) return false;
        dest->SetString(text);
        return true;
    }
    const CVarItem* sourceVar = Variable(source);
    if (dest->Type() == kTypeChar && sourceVar != nullptr && sourceVar->Type() == kTypeString) {
        // A CHAR takes the first character of a text (0 for the empty text).
        const std::string& text = sourceVar->GetString();
        dest->SetNumber(text.empty() ? 0u : static_cast<unsigned char>(text[0]));
        return true;
    }
    uint32_t number = 0;
    if (!NumberOf(source, false, number)) return false;
    dest->SetNumber(number);
    return true;
}

bool CScript::ExecArithmetic(int32_t code, const CScriptLine& line) {
    CVarItem* dest = Variable(Operand(line, 0));
    uint32_t source = 0;
    if (dest == nullptr || !NumberOf(Operand(line, 1), true, source)) return false;
    const uint32_t left = dest->GetNumber();
    uint32_t result = 0;
    switch (code) {
        case kCodeAdd:
            result = left + source;
            break;
        case kCodeSub:
            result = left - source;
            break;
        case kCodeMul:
            result = left * source;
            break;
        case kCodeDiv:
            if (source == 0) return false;
            result = left / source;
            break;
        case kCodeShl:
        case kCodeShr:
            if (source > 31) return false;
            result = code == kCodeShl ? left << source : left >> source;
            break;
        case kCodeAnd:
            result = left & source;
            break;
        case kCodeOr:
            result = left | source;
            break;
        case kCodeXor:
            result = left ^ source;
            break;
        case kCodeNot:
            result = ~source;
            break;  // the complement of the source
        default:
            return false;
    }
    dest->SetNumber(result);
    return true;
}

bool CScript::ExecStoNum(const CScriptLine& line) {
    CVarItem* dest = Variable(Operand(line, 1));
    const CScriptOperand& source = Operand(line, 0);
    if (dest == nullptr) return false;
    std::string text;
    if (source.kind == kKindLiteral && (source.value.form == LiteralForm::kSingleQuoted ||
                                        source.value.form == LiteralForm::kDoubleQuoted)) {
        text = source.value.text;  // everything between the quotes, for either quote
    } else if (!TextOf(source, text)) {
        return false;
    }
    const ReadNumber number = ReadHexText(text);
    if (!number.read) return false;
    uint32_t value = number.value;
    if (dest->Type() == kTypeShort || dest->Type() == kTypeWord) value &= 0xFFFFu;
    if (dest->Type() == kTypeByte) value &= 0xFFu;
    dest->SetNumber(value);
    return true;
}

bool CScript::ExecNumToS(const CScriptLine& line) {
    const CScriptOperand& source = Operand(line, 0);
    CVarItem* dest = Variable(Operand(line, 1));
    if (dest == nullptr || dest->Type() != kTypeString) return false;
    uint32_t number = 0;
    bool isSigned = false;
    if (const CVarItem* var = Variable(source)) {
        if (!var->IsNumeric()) return false;
        number = var->GetNumber();
        isSigned = IsSignedType(var->Type());
    } else {
        if (!NumberOf(source, true, number)) return false;
        isSigned = source.value.form == LiteralForm::kDecimal && source.value.negative;
    }
    char text[16];
    if (Operand(line, 2).value.upperHex)
        std::snprintf(text, sizeof text, "%X", number);
    else if (isSigned)
        std::snprintf(text, sizeof text, "%d", static_cast<int32_t>(number));
    else
        std::snprintf(text, sizeof text, "%u", number);
    dest->SetString(text);
    return true;
}

bool CScript::ExecSubstring(int32_t code, const CScriptLine& line) {
    CVarItem* dest = Variable(Operand(line, 0));
    const CVarItem* source = Variable(Operand(line, 1));
    if (dest == nullptr || source == nullptr) return false;
    const std::string& text = source->GetString();
    const auto length = static_cast<int64_t>(text.size());
    int64_t start = 0;
    int64_t count = 0;
    if (code == kCodeSMid) {
        if (!SignedCount(Operand(line, 2), start) || !SignedCount(Operand(line, 3), count))
            return false;
        start = std::clamp<int64_t>(start, 0, length);
    } else {
        if (!SignedCount(Operand(line, 2), count)) return false;
    }
    count = std::clamp<int64_t>(count, 0, length - start);
    if (code == kCodeSRight) start = length - count;
    dest->SetString(text.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
    return true;
}

bool CScript::ExecSJoin(const CScriptLine& line) {
    CVarItem* dest = Variable(Operand(line, 0));
    std::string text;
    if (dest == nullptr || dest->Type() != kTypeString || !TextOf(Operand(line, 1), text))
        return false;
    if (dest->GetString().size() + text.size() > CScript::kMaxTextLength) return false;
    dest->SetString(dest->GetString() + text);
    return true;
}

bool CScript::ExecRet(const CScriptLine& line) {
    const CVarItem* var = Variable(Operand(line, 0));
    if (var == nullptr) return false;
    m_returnVar = *var;
    return true;
}
