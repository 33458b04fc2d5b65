#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/Result.h"
#include "protocol/ResultEval.h"

class CCommTransaction;
class CFramePort;

// How the frames of each attempt are written to the communication log.
enum class ExchangeLog {
    kAfterExchange,   // command and response after the exchange, one entry each
    kAroundExchange,  // the command before it is sent, the response after the exchange
    kOneEntry,        // as kAfterExchange, one entry when nothing arrived between the two
    kScript,          // as kAroundExchange, each frame dump marked " [Script]"
};

// One caller's rules for trying a command on the line.
struct SRetryPolicy {
    int32_t attempts = 1;         // at most this many; none at all when 0 or less
    uint16_t timeoutMs = 0;       // for every byte of the response
    bool replyRequired = true;    // false: silence counts as success, without response data
    bool callAttemptHook = true;  // the port's attempt hook after every failed attempt
    ExchangeLog log = ExchangeLog::kAfterExchange;
    // Told the number (from 1) of each attempt as it begins, for an operator who waits.
    std::function<void(int32_t)> attemptStarts = {};
};

enum class ExchangeEnd {
    kAnswered,         // result class 0: the transaction holds a valid response
    kSilenceAccepted,  // nothing came back, and no reply was required
    kRetriesOver,      // every attempt failed (or none was allowed)
    kLineLost,         // the line is gone: no attempt after it could reach the controller
    kCancelled,        // the operator stopped the wait; no further attempt was made
};

struct SExchangeOutcome {
    ExchangeEnd end = ExchangeEnd::kRetriesOver;
    // Of the last attempt; "no usable frame" when no attempt was made.
    ResultClassCode resultClass = ResultClassCode::kNoFrame;
    bool timedOut = false;
    // What came back in the last attempt (see DescribeFailure), and the same in English; empty
    // on success.
    SReason why;
    std::string reason;

    void Explain(SReason what) {
        reason = English(what);
        why = std::move(what);
    }

    bool Ok() const {
        return end == ExchangeEnd::kAnswered || end == ExchangeEnd::kSilenceAccepted;
    }
    // The outcome as the session's result: kNoAnswer when the last attempt heard nothing,
    // kBadAnswer when it heard something unusable, kLineLost, kCancelled; the reason as message.
    SResult Result() const;
};

// Sends `frame` through the transaction's port as the policy says, logging both directions of
// every attempt (the bytes received as they came, answers to other commands as "stale answer
// discarded.", bytes outside any frame as "line noise discarded.", each before or after the
// command's line as it came before or after the command went out), "response time out." for
// each time-out that counts as a failure and "command retry over." when the attempts ran out.
// A lost line or a stop request ends the attempts at once.  The last response stays in the
// transaction.
SExchangeOutcome ExchangeWithRetries(CCommTransaction& transaction, const std::string& frame,
                                     const SRetryPolicy& policy);

// The port's wait override, where one is set, in place of the policy's time-out and attempts: for
// the commands of the models' tables and scripts, whose own waits the operator may overrule.
void ApplyWaitOverride(const CFramePort* port, SRetryPolicy& policy);
