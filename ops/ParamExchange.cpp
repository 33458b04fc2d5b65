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
                              std::string_view data, int32_t unit) {
    std::string text = command.commandText;
    text += data;
    int32_t node = unit == -1 ? link.unitNumber : unit;
    if (command.IsAtFrame()) {
        CAtExchange exchange;
        return exchange.Build(node, text) ? exchange.CommandText() : std::string();
    }
    CQuadrelExchange exchange;
    return exchange.BuildFromText(node, text) ? exchange.CommandText() : std::string();
}

SResultOf<std::string> ExecuteCommand(const DeviceLink& link, const CMenuCmdItem& command,
                                      std::string_view data, int32_t unit) {
    if (!link.port || !link.port->IsOpen())
        return SResult::Failure(ResultCode::kNotConnected, Reason<ReasonId::kLineNotOpen>());
    std::string frame = BuildCommandFrame(link, command, data, unit);
    // A command that cannot be framed would only repeat the same refusal on every attempt.
    if (frame.empty())
        return SResult::Failure(ResultCode::kModelNotLoaded,
                                Reason<ReasonId::kCannotFrame>(command.commandText));
    CCommTransaction transaction;
    transaction.SetPort(link.port);
    SRetryPolicy policy;
    policy.attempts = int32_t{command.retries} + 1;
    policy.timeoutMs = command.timeout;
    policy.replyRequired = command.replyRequired != 0;
    ApplyWaitOverride(link.port, policy);
    const SExchangeOutcome outcome = ExchangeWithRetries(transaction, frame, policy);
    if (outcome.end == ExchangeEnd::kAnswered)
        return {outcome.Result(), transaction.ResponseData()};
    return outcome.Result();
}

SResult RunCommandList(const DeviceLink& link, const CMenuCmdList& list, int32_t unit) {
    if (list.GetCount() == 0)
        return SResult::Failure(ResultCode::kModelNotLoaded, Reason<ReasonId::kNoCommands>());
    for (size_t position = 0; position < list.GetCount(); ++position) {
        const CMenuCmdItem* command = list.GetAt(position);
        if (!command) continue;
        if (SResult result = ExecuteCommand(link, *command, {}, unit); !result.Ok()) return result;
    }
    return SResult::Success();
}
