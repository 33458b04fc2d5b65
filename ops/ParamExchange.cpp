#include "ops/ParamExchange.h"

#include "ops/DeviceLink.h"
#include "params/MenuCmdItem.h"
#include "params/MenuCmdList.h"
#include "protocol/AtExchange.h"
#include "protocol/CommLog.h"
#include "protocol/CommTransaction.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/FramePort.h"
#include "protocol/QuadrelExchange.h"

namespace {

std::string FormatFrame(const CMenuCmdItem& command, int direction, const std::string& frame) {
    return command.IsAtFrame() ? FormatAtFrame(direction, frame)
                               : FormatQuadrelFrame(direction, frame);
}

}  // namespace

std::string BuildCommandFrame(const DeviceLink& link, const CMenuCmdItem& command,
                              const std::string* data, int32_t unit) {
    std::string text = command.commandText + (data ? *data : std::string());
    int32_t node = unit == -1 ? link.unitNumber : unit;
    if (command.IsAtFrame()) {
        CAtExchange exchange;
        return exchange.Build(node, text) ? exchange.CommandText() : std::string();
    }
    CQuadrelExchange exchange;
    return exchange.BuildFromText(node, text) ? exchange.CommandText() : std::string();
}

int ExecuteCommand(const DeviceLink& link, const CMenuCmdItem& command, const std::string* data,
                   std::string* response, int32_t unit) {
    if (!link.port || !link.port->IsOpen()) return 0;
    CCommTransaction transaction;
    transaction.SetPort(link.port);
    std::string frame = BuildCommandFrame(link, command, data, unit);
    // A command that cannot be framed would only repeat the same refusal on every attempt.
    if (frame.empty()) return 0;

    for (uint32_t attempt = 0;; ++attempt) {
        transaction.Execute(frame, command.timeout);
        WriteLog(FormatFrame(command, 1, frame) + "\n");
        WriteLog(FormatFrame(command, 0, transaction.ResponseText()) + "\n");
        if (transaction.ResultClass == 0) {
            if (response) *response = transaction.ResponseData();
            return 1;
        }
        if (transaction.TimedOut()) {
            if (command.replyRequired == 0) return 1;
            WriteLog("response time out.\n");
        }
        link.port->CallAttemptHook();
        if (transaction.RetryFlag == 0) return 0;
        if (attempt + 1 > command.retries) break;
    }
    WriteLog("command retry over.\n");
    return 0;
}

int RunCommandList(const DeviceLink& link, const CMenuCmdList& list, int32_t unit) {
    int result = 0;
    for (size_t position = 0; position < list.GetCount(); ++position) {
        const CMenuCmdItem* command = list.GetAt(position);
        if (!command) continue;
        result = ExecuteCommand(link, *command, nullptr, nullptr, unit);
        if (!result) return 0;
    }
    return result;
}
