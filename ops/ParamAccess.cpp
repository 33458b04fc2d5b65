#include "ops/ParamAccess.h"

#include <cstdio>

#include "script/RunRoutine.h"
#include "params/MenuCmdList.h"
#include "params/MenuParamItem.h"
#include "protocol/AtExchange.h"
#include "protocol/CommLog.h"
#include "protocol/CommTransaction.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/FramePort.h"
#include "protocol/QuadrelExchange.h"
#include "script/VarItem.h"

namespace {

std::string RoutineName(const std::string& text, int32_t number, uint32_t offset) {
    uint32_t sum = static_cast<uint32_t>(number) + offset;
    for (char c : text) sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
    char name[16];
    std::snprintf(name, sizeof name, "%08X", sum);
    return name;
}

// Runs a parameter's routine and takes its numeric result.
bool RunNumericRoutine(const SDeviceLink& link, const std::string& name, uint32_t& value) {
    CVarItem result;
    if (!RunScriptRoutine(link.tablePath, name, link.port, link.unit, result) || !result.IsNumeric())
        return false;
    value = result.GetNumber();
    return true;
}

}  // namespace

std::string BuildCommandFrame(const SDeviceLink& link, const CMenuCmdItem& command,
                              const std::string* data, int unit) {
    const std::string text = command.commandText + (data ? *data : std::string());
    const int target = unit == -1 ? link.unit : unit;
    if (command.IsAtFrame()) {
        CAtExchange at;
        at.Build(target, text);
        return at.CommandText();
    }
    CQuadrelExchange quadrel;
    quadrel.BuildFromText(target, text);
    return quadrel.CommandText();
}

bool ExecuteCommand(const SDeviceLink& link, const CMenuCmdItem& command,
                    const std::string* data, std::string* response, int unit) {
    if (!link.port || !link.port->IsOpen()) return false;
    CCommTransaction transaction;
    transaction.SetPort(link.port);
    const std::string frame = BuildCommandFrame(link, command, data, unit);
    const auto render = command.IsAtFrame() ? FormatAtFrame : FormatQuadrelFrame;
    for (uint32_t attempt = 0;; ++attempt) {
        transaction.Execute(frame, command.timeout);
        WriteLog(render(1, frame) + "\n");
        WriteLog(render(0, transaction.ResponseText()) + "\n");
        if (transaction.ResultClass == 0) {
            if (response) *response = transaction.ResponseData();
            return true;
        }
        if (transaction.TimedOut()) {
            // A command that expects no reply has done its work when none comes.
            if (command.replyRequired == 0) return true;
            WriteLog("response time out.\n");
        }
        link.port->CallAttemptHook();
        if (transaction.RetryFlag == 0) return false;
        if (attempt + 1 > command.retries) break;
    }
    WriteLog("command retry over.\n");
    return false;
}

bool RunCommandList(const SDeviceLink& link, const CMenuCmdList& list, int unit) {
    bool result = false;
    for (size_t i = 0; i < list.GetCount() && i <= 0xFFFF; ++i) {
        const CMenuCmdItem* command = list.GetAt(i);
        if (!command) continue;
        result = ExecuteCommand(link, *command, nullptr, nullptr, unit);
        if (!result) return false;
    }
    return result;
}

std::string ConditionRoutineName(const CMenuParamItem& item) {
    return RoutineName(item.conditionText, item.number, 0);
}

std::string ScaleRoutineName(const CMenuParamItem& item) {
    return RoutineName(item.scaleText, item.number, 65536);
}

bool EvaluateCondition(const SDeviceLink& link, CMenuParamItem& item, int32_t* result) {
    if (result) *result = 0;
    if (item.condition == 0) {
        if (result) *result = 1;
        return true;
    }
    uint32_t value = 0;
    if (!RunNumericRoutine(link, ConditionRoutineName(item), value)) return false;
    (result ? *result : item.exists) = value != 0 ? 1 : 0;
    return true;
}

bool EvaluateScale(const SDeviceLink& link, CMenuParamItem& item) {
    if (item.scaleScript == 0) return true;
    uint32_t value = 0;
    if (!RunNumericRoutine(link, ScaleRoutineName(item), value)) return false;
    item.scale = static_cast<int32_t>(value);
    return true;
}
