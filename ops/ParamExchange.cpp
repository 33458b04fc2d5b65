#include "ops/ParamExchange.h"

#include "ops/DeviceLink.h"
#include "params/MenuCmdItem.h"
#include "params/MenuCmdList.h"
#include "protocol/AtExchange.h"
#include "protocol/CommTransaction.h"
#include "protocol/CommandExchange.h"
#include "protocol/FramePort.h"
#include "protocol/QuadrelExchange.h"

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

    SRetryPolicy policy;
    policy.attempts = int32_t{command.retries} + 1;
    policy.timeoutMs = command.timeout;
    policy.replyRequired = command.replyRequired != 0;
    ApplyWaitOverride(link.port, policy);
    const SExchangeOutcome outcome = ExchangeWithRetries(transaction, frame, policy);
    if (outcome.end == ExchangeEnd::kAnswered && response) *response = transaction.ResponseData();
    return outcome.Ok() ? 1 : 0;
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
