// The communication statements COMMTYPEREAD and COMMREAD: one command frame, sent with retries,
// and a field of the response stored in a variable.
#include <algorithm>
#include <cstdio>

#include "protocol/CommandExchange.h"
#include "script/Script.h"
#include "script/ScriptLiterals.h"

namespace {

const char kErrorText[] = "_ERROR_";

// A decimal operand's value, or the fallback when it holds no digits.
int32_t DecimalOr(const CScriptOperand& operand, int32_t fallback) {
    return operand.value.hasNumber ? static_cast<int32_t>(operand.value.number) : fallback;
}

}  // namespace

bool CScript::SetPort(CFramePort* port) { return m_transaction.SetPort(port); }

bool CScript::StoreResponseField(int32_t code, CVarItem& target, int32_t offset, int32_t length,
                                 const uint32_t* mask) {
    const std::string response = m_transaction.ResponseText();
    if (offset < 0 || response.size() <= static_cast<size_t>(offset)) return false;
    std::string field =
        response.substr(static_cast<size_t>(offset), static_cast<size_t>(std::max(length, 0)));
    uint32_t value = 0;
    if (mask != nullptr) {
        const ReadNumber number = ReadHexText(field);
        if (!number.read) return false;
        value = number.value & *mask;
        char text[16];
        std::snprintf(text, sizeof text, "%X", value);
        field = text;
    }
    if (code == kCodeCommTypeRead) {
        if (target.GetString().size() + field.size() > kMaxTextLength) return false;
        target.SetString(target.GetString() + field);
    } else if (mask != nullptr) {
        target.SetNumber(value);
    } else {
        target.SetString(field);
    }
    return true;
}

bool CScript::ExecComm(int32_t code, const CScriptLine& line, uint16_t& pc) {
    const int32_t count = code == kCodeCommRead ? 9 : 8;
    for (int32_t i = 0; i < count; ++i) {
        const CScriptOperand* operand = line.GetOperand(i);
        if (operand == nullptr || operand->kind == kKindUnset) return false;
    }
    CVarItem* target = code == kCodeCommRead ? line.GetOperand(8)->value.var : m_retValue;
    if (target == nullptr || m_commStatus == nullptr) return false;

    const std::string& command = line.GetOperand(0)->value.text;
    const int32_t frameType = DecimalOr(*line.GetOperand(1), 0);
    const bool readFlag = DecimalOr(*line.GetOperand(2), 0) == 1;
    const int32_t offset = DecimalOr(*line.GetOperand(3), 0);
    const int32_t length = DecimalOr(*line.GetOperand(4), 0);
    const CScriptOperand& maskOperand = *line.GetOperand(5);
    const bool masking = maskOperand.value.form == LiteralForm::kHex;
    const int32_t attempts = DecimalOr(*line.GetOperand(6), 3);
    // The transaction takes a 16-bit time-out: larger values are held at its maximum.
    const auto timeoutMs =
        static_cast<uint16_t>(std::clamp(DecimalOr(*line.GetOperand(7), 3000), 0, 0xFFFF));

    if (frameType == 1)
        m_transaction.At.Build(m_unitNumber, command);
    else
        m_transaction.Quadrel.BuildFromText(m_unitNumber, command);
    const std::string frame =
        frameType == 1 ? m_transaction.At.CommandText() : m_transaction.Quadrel.CommandText();

    // A command that could not be built (no unit number, bad code text) is not sent at all.
    if (frame.empty()) {
        m_failure = SResult::Failure(ResultCode::kModelNotLoaded,
                                     Reason<ReasonId::kScriptCannotFrame>(command));
    } else {
        SRetryPolicy policy;
        policy.attempts = attempts;
        policy.timeoutMs = timeoutMs;
        // Without a read flag the command needs no answer: silence is success.
        policy.replyRequired = readFlag;
        policy.log = ExchangeLog::kScript;
        ApplyWaitOverride(m_transaction.Port(), policy);
        m_failure = ExchangeWithRetries(m_transaction, frame, policy).Result();
    }
    if (m_failure.Ok() && readFlag) {
        const uint32_t* mask = masking ? &maskOperand.value.number : nullptr;
        if (!StoreResponseField(code, *target, offset, length, mask))
            m_failure = SResult::Failure(ResultCode::kBadAnswer,
                                         Reason<ReasonId::kAnswerLacksField>(command));
    }
    if (!m_failure.Ok()) {
        if (code == kCodeCommTypeRead)
            m_retValue->SetString(kErrorText);
        else
            m_returnVar.SetStringVar(kErrorText, kErrorText);
        m_commStatus->SetNumber(0xFFFFFFFFu);
        return false;
    }
    m_commStatus->SetNumber(0);
    ++pc;
    return true;
}
