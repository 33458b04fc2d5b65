#include "protocol/CommandExchange.h"

#include "protocol/CommLog.h"
#include "protocol/CommTransaction.h"
#include "protocol/DetectProtocol.h"
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

    void AfterExchange(const std::string& response) const {
        switch (m_style) {
            case ExchangeLog::kAfterExchange:
                WriteLog(Dump(1, m_frame));
                WriteLog(Dump(0, response));
                break;
            case ExchangeLog::kOneEntry:
                WriteLog(Dump(1, m_frame) + Dump(0, response));
                break;
            case ExchangeLog::kAroundExchange:
            case ExchangeLog::kScript:
                WriteLog(Dump(0, response));
                break;
        }
    }

  private:
    std::string Dump(int direction, const std::string& text) const {
        const std::string dump =
            m_at ? FormatAtFrame(direction, text) : FormatQuadrelFrame(direction, text);
        return dump + (m_style == ExchangeLog::kScript ? " [Script]\n" : "\n");
    }

    const std::string& m_frame;
    ExchangeLog m_style;
    bool m_at;
};

}  // namespace

SExchangeOutcome ExchangeWithRetries(CCommTransaction& transaction, const std::string& frame,
                                     const SRetryPolicy& policy) {
    const FrameLogger log(frame, policy.log);
    SExchangeOutcome outcome;
    for (int32_t attempt = 0; attempt < policy.attempts; ++attempt) {
        log.BeforeExchange();
        transaction.Execute(frame, policy.timeoutMs);
        log.AfterExchange(transaction.ResponseText());
        outcome.resultClass = transaction.ResultClass;
        outcome.timedOut = transaction.TimedOut();
        if (transaction.ResultClass == ResultClassCode::kSuccess) {
            outcome.end = ExchangeEnd::kAnswered;
            return outcome;
        }
        if (outcome.timedOut) {
            if (!policy.replyRequired) {
                outcome.end = ExchangeEnd::kSilenceAccepted;
                return outcome;
            }
            WriteLog("response time out.\n");
        }
        if (policy.callAttemptHook && transaction.Port() != nullptr)
            transaction.Port()->CallAttemptHook();
        if (!transaction.RetryFlag) {
            outcome.end = ExchangeEnd::kRefused;
            return outcome;
        }
    }
    WriteLog("command retry over.\n");
    outcome.end = ExchangeEnd::kRetriesOver;
    return outcome;
}
