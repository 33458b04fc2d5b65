// The operand rules of every statement, checked once when a routine is loaded.
#include <utility>

#include "script/Script.h"
#include "script/ScriptLiterals.h"

namespace {

bool IsTextType(int32_t type) { return type == kTypeString || type == kTypeChar; }

bool IsNumericVar(const CVarItem* var) { return var != nullptr && var->IsNumeric(); }

bool IsVarOfType(const CVarItem* var, int32_t type) {
    return var != nullptr && var->Type() == type;
}

bool IsTextVar(const CVarItem* var) { return var != nullptr && IsTextType(var->Type()); }

bool IsNumberLiteral(const std::string& text) { return IsDecimalText(text) || IsHexText(text); }

// What an IF operand is, for pairing its two sides.
enum class IfSide { kTextVar, kCharVar, kNumericVar, kNumberLiteral, kQuotedLiteral, kInvalid };

IfSide ClassifyIfSide(const CVarItem* var, const std::string& text) {
    if (var != nullptr) {
        if (var->Type() == kTypeString) return IfSide::kTextVar;
        if (var->Type() == kTypeChar) return IfSide::kCharVar;
        return var->IsNumeric() ? IfSide::kNumericVar : IfSide::kInvalid;
    }
    if (IsNumberLiteral(text)) return IfSide::kNumberLiteral;
    if (IsQuoted(text)) return IfSide::kQuotedLiteral;
    return IfSide::kInvalid;
}

bool IfSidesPair(IfSide left, IfSide right) {
    auto isTextVar = [](IfSide s) { return s == IfSide::kTextVar || s == IfSide::kCharVar; };
    auto isVar = [&](IfSide s) { return isTextVar(s) || s == IfSide::kNumericVar; };
    if (left == IfSide::kInvalid || right == IfSide::kInvalid) return false;
    if (isVar(left) && isVar(right))
        return (isTextVar(left) && isTextVar(right)) ||
               (left == IfSide::kNumericVar && right == IfSide::kNumericVar);
    if (isVar(right)) std::swap(left, right);
    if (isTextVar(left)) return right == IfSide::kQuotedLiteral;
    if (left == IfSide::kNumericVar) return right == IfSide::kNumberLiteral;
    return left == right;  // two literals of the same family
}

}  // namespace

bool CScript::CheckOperands(int32_t code, std::vector<std::string>& ops,
                            std::vector<int32_t>& kinds) const {
    kinds.assign(ops.size(), kKindLiteral);
    auto user = [&](size_t i) { return m_userStore.Lookup(ops[i]); };
    // A numeric variable [0], or a literal [1] of the forms the caller accepts.
    auto numericOr = [&](size_t i, bool literalOk) {
        if (IsNumericVar(user(i))) {
            kinds[i] = kKindVariable;
            return true;
        }
        return literalOk;
    };

    switch (code) {
        case kCodeCommTypeRead:
        case kCodeCommRead: {
            if (!IsDoubleQuoted(ops[0]) || user(0) != nullptr) return false;
            if (!IsDecimalText(ops[1]) || !IsFrameTypeText(ops[1])) return false;
            if (ops[2] != "0" && ops[2] != "1") return false;
            if (!IsDecimalText(ops[3]) || !IsDecimalText(ops[4])) return false;
            const bool noMask = ops[5] == "NOMASK";
            if (noMask)
                ops[5] = "\"NOMASK\"";
            else if (!IsHexText(ops[5]))
                return false;
            if (!IsDecimalText(ops[6]) || !IsDecimalText(ops[7])) return false;
            if (code == kCodeCommRead) {
                const CVarItem* target = user(8);
                if (noMask ? !IsVarOfType(target, kTypeString) : !IsNumericVar(target))
                    return false;
                kinds[8] = kKindVariable;
            }
            return true;
        }
        case kCodeIsCmdOk:
        case kCodeJmp:
            kinds[0] = kKindLabel;
            return true;
        case kCodeStoNum:
            if (!IsNumericVar(user(1))) return false;
            kinds[1] = kKindVariable;
            if (IsTextVar(user(0))) {
                kinds[0] = kKindVariable;
                return true;
            }
            return IsQuoted(ops[0]);
        case kCodeNumToS:
            if (!IsVarOfType(user(1), kTypeString) || !IsFormatLetter(ops[2])) return false;
            kinds[1] = kKindVariable;
            kinds[2] = kKindFormat;
            if (user(0) != nullptr) {
                kinds[0] = kKindVariable;
                return user(0)->IsNumeric();
            }
            return IsSingleQuoted(ops[0]) || IsNumberLiteral(ops[0]);
        case kCodeStore: {
            const CVarItem* dest = user(0);
            if (dest == nullptr) return false;
            kinds[0] = kKindVariable;
            if (const CVarItem* source = user(1)) {
                kinds[1] = kKindVariable;
                if (dest->IsNumeric()) return source->IsNumeric();
                if (dest->Type() == kTypeChar) return IsTextType(source->Type());
                return dest->Type() == kTypeString && source->Type() == kTypeString;
            }
            if (dest->Type() == kTypeChar) return IsSingleQuoted(ops[1]);
            if (dest->Type() == kTypeString) return IsQuoted(ops[1]);
            return dest->IsNumeric() && (IsSingleQuoted(ops[1]) || IsNumberLiteral(ops[1]));
        }
        case kCodeAdd:
        case kCodeSub:
        case kCodeMul:
        case kCodeDiv:
            if (!IsNumericVar(user(0))) return false;
            kinds[0] = kKindVariable;
            return numericOr(1, IsSingleQuoted(ops[1]) || IsNumberLiteral(ops[1]));
        case kCodeShl:
        case kCodeShr:
            if (!IsNumericVar(user(0))) return false;
            kinds[0] = kKindVariable;
            return numericOr(1, IsDecimalText(ops[1]));
        case kCodeAnd:
        case kCodeOr:
        case kCodeXor:
        case kCodeNot:
            if (!IsNumericVar(user(0))) return false;
            kinds[0] = kKindVariable;
            return numericOr(1, IsNumberLiteral(ops[1]));
        case kCodeIf: {
            if (!IsComparisonText(ops[1])) return false;
            const CVarItem* left = FindVar(ops[0]);
            const CVarItem* right = FindVar(ops[2]);
            if (!IfSidesPair(ClassifyIfSide(left, ops[0]), ClassifyIfSide(right, ops[2])))
                return false;
            if (left != nullptr) kinds[0] = kKindVariable;
            if (right != nullptr) kinds[2] = kKindVariable;
            return true;
        }
        case kCodeSLeft:
        case kCodeSRight:
        case kCodeSMid:
            if (!IsVarOfType(user(0), kTypeString) || !IsVarOfType(user(1), kTypeString))
                return false;
            kinds[0] = kinds[1] = kKindVariable;
            for (size_t i = 2; i < ops.size(); ++i) {
                if (!IsDecimalText(ops[i])) return false;
            }
            return true;
        case kCodeSJoin:
            if (!IsVarOfType(user(0), kTypeString)) return false;
            kinds[0] = kKindVariable;
            if (IsTextVar(user(1))) {
                kinds[1] = kKindVariable;
                return true;
            }
            return IsQuoted(ops[1]);
        case kCodeRet:
            if (user(0) == nullptr) return false;
            kinds[0] = kKindVariable;
            return true;
        default:
            return false;
    }
}
