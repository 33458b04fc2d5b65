#include "protocol/CommandExchange.h"

#include <algorithm>
#include <span>
#include <vector>

#include "protocol/CommLog.h"
#include "protocol/CommTransaction.h"
#include "protocol/DetectProtocol.h"
#include "protocol/FailureReason.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/FramePort.h"

namespace {

class FrameLogger {
  public:
    FrameLogger(const std::string& frame, ExchangeLog style)
        : m_frame(frame), m_style(style), m_at(DetectProtocol(frame) == ProtocolKind::kAt) {}

    void BeforeExchange() const {
        if (m_style == ExchangeLog::kAroundExchange || m_style == ExchangeLog::kScript)
            WriteLog(Dump(1, m_frame));
    }

    // What the exchange set aside goes where it came: what was on the line before the command
    // went out before its line, what arrived while its answer was awaited after it.
    void AfterExchange(const std::vector<CFramePort::SDiscarded>& pieces,
                       const std::string& response) const {
        const auto sentAt = std::ranges::find_if(
            pieces, [](const CFramePort::SDiscarded& piece) { return piece.afterSend; });
        const Pieces before(pieces.begin(), sentAt), after(sentAt, pieces.end());
        switch (m_style) {
            case ExchangeLog::kAfterExchange:
            case ExchangeLog::kOneEntry:
                Discarded(before);
                if (m_style == ExchangeLog::kOneEntry && after.empty()) {
                    WriteLog(Dump(1, m_frame) + Dump(0, response));
                    break;
                }
                WriteLog(Dump(1, m_frame));
                Discarded(after);
                WriteLog(Dump(0, response));
                break;
            case ExchangeLog::kAroundExchange:
            case ExchangeLog::kScript:
                Discarded(pieces);
                WriteLog(Dump(0, response));
                break;
        }
    }

  private:
    using Pieces = std::span<const CFramePort::SDiscarded>;

    void Discarded(Pieces pieces) const {
        for (const CFramePort::SDiscarded& piece : pieces) {
            if (piece.wholeFrame) {
                WriteLog(Dump(0, piece.bytes));
                WriteLog("stale answer discarded.\n");
            } else {
                WriteLog(Marked(FormatLineBytes(0, piece.bytes)));
                WriteLog("line noise discarded.\n");
            }
        }
    }
    std::string Dump(int direction, const std::string& text) const {
        return Marked(m_at ? FormatAtFrame(direction, text) : FormatQuadrelFrame(direction, text));
    }
    std::string Marked(const std::string& dump) const {
        return dump + (m_style == ExchangeLog::kScript ? " [Script]\n" : "\n");
    }

    const std::string& m_frame;
    ExchangeLog m_style;
    bool m_at;
};

}  // namespace

namespace {

// The end of the attempts that the last one forces, if any.
bool EndsAllAttempts(const CFramePort* port, ExchangeEnd& end) {
    if (port == nullptr) return false;
    if (port->LinkStatus().Code() == CommStatusCode::kCancelled) {
        end = ExchangeEnd::kCancelled;
        return true;
    }
    if (port->LineLost()) {
        end = ExchangeEnd::kLineLost;
        return true;
    }
    return false;
}

}  // namespace

SExchangeOutcome ExchangeWithRetries(CCommTransaction& transaction, const std::string& frame,
                                     const SRetryPolicy& policy) {
    const FrameLogger log(frame, policy.log);
    const CFramePort* port = transaction.Port();
    SExchangeOutcome outcome;
    if (policy.attempts <= 0) outcome.Explain(Reason<ReasonId::kNoAttemptMade>());
    for (int32_t attempt = 0; attempt < policy.attempts; ++attempt) {
        // Also between attempts that never wait, however many the caller allows.
        if (attempt > 0 && port != nullptr && port->StopRequested()) {
            WriteLog("command stopped.\n");
            outcome.end = ExchangeEnd::kCancelled;
            outcome.Explain(Reason<ReasonId::kStoppedByOperator>());
            return outcome;
        }
        if (policy.attemptStarts) policy.attemptStarts(attempt + 1);
        log.BeforeExchange();
        transaction.Execute(frame, policy.timeoutMs);
        // The bytes as they came: a response that cannot be parsed is shown all the same.
        if (port != nullptr)
            log.AfterExchange(port->Discarded(), port->ReceivedBytes());
        else
            log.AfterExchange({}, transaction.ResponseText());
        outcome.resultClass = transaction.ResultClass;
        outcome.timedOut = transaction.TimedOut();
        outcome.Explain(DescribeFailure(transaction, policy.timeoutMs));
        if (transaction.ResultClass == ResultClassCode::kSuccess) {
            outcome.end = ExchangeEnd::kAnswered;
            return outcome;
        }
        if (EndsAllAttempts(port, outcome.end)) {
            WriteLog(outcome.end == ExchangeEnd::kCancelled ? "command stopped.\n"
                                                            : "line lost.\n");
            return outcome;
        }
        if (outcome.timedOut) {
            if (!policy.replyRequired) {
                outcome.end = ExchangeEnd::kSilenceAccepted;
                outcome.Explain({});
                return outcome;
            }
            WriteLog("response time out.\n");
        }
        if (policy.callAttemptHook && port != nullptr) port->CallAttemptHook();
    }
    WriteLog("command retry over.\n");
    outcome.end = ExchangeEnd::kRetriesOver;
    // How long was waited in all: "no answer within 5000 ms, 3 tries".
    if (outcome.timedOut && policy.attempts > 1)
        outcome.Explain(Reason<ReasonId::kTries>(outcome.why, std::to_string(policy.attempts)));
    return outcome;
}

SResult SExchangeOutcome::Result() const {
    switch (end) {
        case ExchangeEnd::kAnswered:
        case ExchangeEnd::kSilenceAccepted:
            return SResult::Success();
        case ExchangeEnd::kLineLost:
            return SResult::Failure(ResultCode::kLineLost, why);
        case ExchangeEnd::kCancelled:
            return SResult::Failure(ResultCode::kCancelled, why);
        case ExchangeEnd::kRetriesOver:
            break;
    }
    return SResult::Failure(timedOut ? ResultCode::kNoAnswer : ResultCode::kBadAnswer, why);
}

void ApplyWaitOverride(const CFramePort* port, SRetryPolicy& policy) {
    if (port == nullptr) return;
    const CFramePort::SWaitOverride& wait = port->WaitOverride();
    if (wait.timeoutMs > 0) policy.timeoutMs = wait.timeoutMs;
    if (wait.attempts > 0) policy.attempts = wait.attempts;
}
