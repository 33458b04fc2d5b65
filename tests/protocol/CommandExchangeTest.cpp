// The one retry loop every caller of the line shares (its attempts, silence, hooks and log
// styles: exchanges.cases) under faults of the line: late answers to other commands, answers that
// say what went wrong, a line that vanishes and a stop request in the middle of a wait.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "protocol/CommTransaction.h"
#include "protocol/CommandExchange.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/FramePort.h"
#include "support/FaultsWith.h"
#include "support/LogCapture.h"
#include "support/SimFixture.h"
#include "support/TextCount.h"

namespace {

class CommandExchange : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        ASSERT_TRUE(port.SetSettings(Sim.SlavePath(), 38400, 7, 2, 2));
        ASSERT_TRUE(port.Open());
        transaction.SetPort(&port);
        Unit->SetAnswer(SimProtocol::Quadrel, "0101", "AA");
        Unit->SetAnswer(SimProtocol::Quadrel, "0102", "BB");
        Unit->SetAnswer(SimProtocol::At, "RD01", "0150");
        Unit->SetAnswer(SimProtocol::At, "RS01", "0250");
    }
    std::string Quadrel(uint16_t code) {
        EXPECT_TRUE(transaction.Quadrel.Build(kUnit, code, ""));
        return transaction.Quadrel.CommandText();
    }
    std::string At(const char* text) {
        EXPECT_TRUE(transaction.At.Build(kUnit, text));
        return transaction.At.CommandText();
    }
    SExchangeOutcome Exchange(const std::string& frame, uint16_t timeoutMs, int32_t attempts = 1) {
        return ExchangeWithRetries(transaction, frame,
                                   {.attempts = attempts, .timeoutMs = timeoutMs});
    }

    LogCapture log;
    CFramePort port;
    CCommTransaction transaction;
};

TEST_F(CommandExchange, AnAnswerToTheCommandBeforeIsDiscardedAndItsOwnAnswerTaken) {
    const struct {
        bool at;
        std::string first, second, secondData;
    } cases[] = {
        {false, Quadrel(0x0101), Quadrel(0x0102), "BB"},
        {true, At("RD01"), At("RS01"), "0250"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at);
        // Each answer comes 150 ms late: the first command gives up after 100 ms, and its
        // answer arrives while the second one waits.
        Sim.SetFaults(FaultsWith([](SimFaults& f) { f.ReplyDelayMs = 150; }));
        EXPECT_EQ(Exchange(c.first, 100).end, ExchangeEnd::kRetriesOver);
        log.Clear();
        const SExchangeOutcome outcome = Exchange(c.second, 1000);
        EXPECT_EQ(outcome.end, ExchangeEnd::kAnswered);
        EXPECT_EQ(transaction.ResponseData(), c.secondData);
        EXPECT_EQ(Occurrences(log.Text(), "stale answer discarded."), 1u);
        // It came while the second command waited: after that command's line.
        const std::string sent =
            c.at ? FormatAtFrame(1, c.second) : FormatQuadrelFrame(1, c.second);
        EXPECT_LT(log.Text().find(sent), log.Text().find("stale answer discarded."));
        Sim.SetFaults(SimFaults{});
        ASSERT_TRUE(Sim.WaitForCommands(Sim.CommandsHandled(), std::chrono::seconds(5)));
    }
}

TEST_F(CommandExchange, OnlyStaleAnswersWithinTheTimeOutIsNoAnswer) {
    Sim.SetFaults(FaultsWith([](SimFaults& f) { f.ReplyDelayMs = 150; }));
    EXPECT_EQ(Exchange(Quadrel(0x0101), 100).end, ExchangeEnd::kRetriesOver);
    // The stale answer comes within 100 ms, the command's own one too late.
    const SExchangeOutcome outcome = Exchange(Quadrel(0x0102), 100);
    EXPECT_EQ(outcome.end, ExchangeEnd::kRetriesOver);
    EXPECT_TRUE(outcome.timedOut);
    EXPECT_EQ(outcome.reason, "no answer of its own within 100 ms");
}

TEST_F(CommandExchange, ALateAnswerOnAPacedLineCostsOnlyItsOwnRetry) {
    Unit->SetAnswer(SimProtocol::Quadrel, "0103", "CC");
    constexpr int kLateMs = 250;  // past the first attempt's 200 ms
    for (const int baud : {2400, 9600, 38400}) {
        SCOPED_TRACE(baud);
        Sim.SetFaults(FaultsWith([&](SimFaults& f) {
            f.PaceBaud = baud;
            f.LateMs = kLateMs;
            f.Scope = {.OnlyFor = "0101", .MaxHits = 1};
        }));
        log.Clear();
        const auto start = std::chrono::steady_clock::now();
        // A walk of parameters as an upload makes, then one more once the late answer is out.
        for (const auto& [code, data] : {std::pair{0x0101, "AA"}, {0x0102, "BB"}, {0x0103, "CC"}}) {
            EXPECT_EQ(Exchange(Quadrel(code), 200, 2).end, ExchangeEnd::kAnswered);
            EXPECT_EQ(transaction.ResponseData(), data);
        }
        std::this_thread::sleep_until(start + std::chrono::milliseconds(kLateMs + 200));
        EXPECT_EQ(Exchange(Quadrel(0x0102), 200).end, ExchangeEnd::kAnswered);
        EXPECT_EQ(transaction.ResponseData(), "BB");
        EXPECT_EQ(Occurrences(log.Text(), "response time out."), 1u);
        EXPECT_EQ(Occurrences(log.Text(), "stale answer discarded."), 1u);
        EXPECT_EQ(Occurrences(log.Text(), "line noise discarded."), 0u);
    }
}

// Each fault an answer can carry (bad check bytes, end, response and header codes, garbage,
// silence) is named and its bytes logged in every FaultMatrix cell; an echo followed by silence
// is no cell there.
TEST_F(CommandExchange, AnEchoAloneIsNamedAsSuchAndItsBytesLogged) {
    Sim.SetFaults(FaultsWith([](SimFaults& f) { f.EchoCount = 1, f.SilentCommands = 100; }));
    const SExchangeOutcome outcome = Exchange(Quadrel(0x0101), 200);
    EXPECT_EQ(outcome.reason, "only its own command came back");
    EXPECT_TRUE(outcome.timedOut);
    EXPECT_FALSE(port.ReceivedBytes().empty());
    EXPECT_EQ(Occurrences(log.Text(), FormatQuadrelFrame(0, port.ReceivedBytes()) + "\n"), 1u);
}

TEST_F(CommandExchange, AStopRequestOrALostLineEndsEveryAttemptAtOnce) {
    // The case that once ran for ever: two thousand million attempts on a silent line.
    const struct {
        SimFaults faults;
        ExchangeEnd end;
        const char* reason;
        const char* logged;
    } cases[] = {
        {FaultsWith([](SimFaults& f) { f.SilentCommands = 1000000; }), ExchangeEnd::kCancelled,
         "stopped by the operator", "command stopped."},
        {FaultsWith([](SimFaults& f) { f.VanishAfterBytes = 0; }), ExchangeEnd::kLineLost,
         "the line was lost", "line lost."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        // The stop as the desktop program waits: in short slices, asking after each whether to
        // stop; the lost line as vexa-cli waits: in one poll.
        port.SetPumpHook(c.end == ExchangeEnd::kCancelled ? CFramePort::PumpHook([] {}) : nullptr);
        Sim.SetFaults(c.faults);
        log.Clear();
        int waits = 0;
        port.SetCancelCheck([&] { return c.end == ExchangeEnd::kCancelled && ++waits > 20; });
        const SExchangeOutcome outcome = Exchange(Quadrel(0x0101), 5000, 2000000000);
        EXPECT_EQ(outcome.end, c.end);
        EXPECT_EQ(outcome.reason, c.reason);
        EXPECT_LT(waits, 25);
        EXPECT_EQ(Occurrences(log.Text(), c.logged), 1u);
        EXPECT_EQ(Occurrences(log.Text(), "command retry over."), 0u);
    }
    EXPECT_TRUE(port.LineLost());
}

}  // namespace
