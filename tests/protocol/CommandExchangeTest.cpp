// The one retry loop every caller of the line shares: attempts, silence, hooks and log styles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/CommLog.h"
#include "protocol/CommTransaction.h"
#include "protocol/CommandExchange.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/FramePort.h"
#include "support/FaultsWith.h"
#include "support/LogCapture.h"
#include "support/SimFixture.h"

namespace {

class CommandExchange : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        ASSERT_TRUE(port.SetSettings(Sim.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(port.Open());
        // Marks in the log where each command goes out, and counts the failed attempts.
        port.SetActivityHook([](int sending, int starting) {
            if (sending == 1 && starting == 1) WriteLog("<send>");
        });
        port.SetAttemptHook([this] { ++hookCalls; });
        transaction.SetPort(&port);
        ASSERT_TRUE(transaction.Quadrel.Build(kUnit, 0x0503, ""));
        command = transaction.Quadrel.CommandText();
    }
    std::string Sent(const char* mark = "") const { return FormatQuadrelFrame(1, command) + mark; }
    std::string Nothing(const char* mark = "") const { return FormatQuadrelFrame(0, "") + mark; }

    LogCapture log;
    CFramePort port;
    CCommTransaction transaction;
    std::string command;
    int hookCalls = 0;
};

TEST_F(CommandExchange, EachLogStyleWritesTheFramesWhereItsCallerDoes) {
    const struct {
        ExchangeLog style;
        std::vector<std::string> oneAttempt;
    } cases[] = {
        {ExchangeLog::kAfterExchange, {"<send>", Sent(), Nothing()}},
        {ExchangeLog::kAroundExchange, {Sent(), "<send>", Nothing()}},
        {ExchangeLog::kOneEntry, {"<send>", Sent(), Nothing()}},
        {ExchangeLog::kScript, {Sent(" [Script]"), "<send>", Nothing(" [Script]")}},
    };
    Sim.SetFaults(FaultsWith([](SimFaults& f) { f.SilentCommands = 100; }));
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        log.Clear();
        hookCalls = 0;
        const SExchangeOutcome outcome = ExchangeWithRetries(
            transaction, command, {.attempts = 2, .timeoutMs = 20, .log = c.style});
        EXPECT_EQ(outcome.end, ExchangeEnd::kRetriesOver);
        EXPECT_EQ(outcome.resultClass, ResultClassCode::kTimedOut);
        EXPECT_TRUE(outcome.timedOut);
        EXPECT_EQ(hookCalls, 2);
        std::vector<std::string> expected;
        for (int attempt = 0; attempt < 2; ++attempt) {
            expected.insert(expected.end(), c.oneAttempt.begin(), c.oneAttempt.end());
            expected.push_back("response time out.");
        }
        expected.push_back("command retry over.");
        EXPECT_EQ(log.Lines(), expected);
    }
}

TEST_F(CommandExchange, SilenceWithoutAReplyRequiredIsSuccessAtOnce) {
    Sim.SetFaults(FaultsWith([](SimFaults& f) { f.SilentCommands = 100; }));
    const SExchangeOutcome outcome = ExchangeWithRetries(
        transaction, command, {.attempts = 3, .timeoutMs = 20, .replyRequired = false});
    EXPECT_EQ(outcome.end, ExchangeEnd::kSilenceAccepted);
    EXPECT_TRUE(outcome.Ok());
    EXPECT_EQ(hookCalls, 0);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"<send>", Sent(), Nothing()}));
}

TEST_F(CommandExchange, AnAnswerEndsTheAttemptsAndNoAttemptsSendNothing) {
    SRetryPolicy policy{.attempts = 3, .timeoutMs = 2000, .callAttemptHook = false};
    SExchangeOutcome outcome = ExchangeWithRetries(transaction, command, policy);
    EXPECT_EQ(outcome.end, ExchangeEnd::kAnswered);
    EXPECT_EQ(transaction.ResponseData(), kModelText);
    EXPECT_EQ(log.Lines().size(), 3u);

    log.Clear();
    policy.attempts = 0;
    outcome = ExchangeWithRetries(transaction, command, policy);
    EXPECT_EQ(outcome.end, ExchangeEnd::kRetriesOver);
    EXPECT_EQ(outcome.resultClass, ResultClassCode::kNoFrame);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"command retry over."}));
}

TEST_F(CommandExchange, TheAttemptHookIsTheCallersChoice) {
    Sim.SetFaults(FaultsWith([](SimFaults& f) { f.CorruptCheck = true; }));
    const SExchangeOutcome outcome = ExchangeWithRetries(
        transaction, command, {.attempts = 2, .timeoutMs = 2000, .callAttemptHook = false});
    EXPECT_EQ(outcome.resultClass, ResultClassCode::kBccMismatch);
    EXPECT_FALSE(outcome.timedOut);
    EXPECT_EQ(hookCalls, 0);
}

}  // namespace
