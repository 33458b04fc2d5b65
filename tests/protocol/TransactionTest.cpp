#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "protocol/CommTransaction.h"
#include "protocol/CommandExchange.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/FramePort.h"
#include "support/CaseFile.h"
#include "support/CommandFrames.h"
#include "support/LogCapture.h"
#include "support/PtyPair.h"

namespace {

using enum ResultClassCode;

const std::string kStale = "stale answer discarded.";

// A transaction on a frame port opened on a pty, with a scripted controller at the far
// end served from the port's pump hook: once a command has come in, it writes the next of
// `answers`. The pieces in `arriving` reach the line one a pump call, before its turn.
class ScriptedLine {
  public:
    bool Open() {
        port.SetErrorReporter([this](const std::string& text) { reports.push_back(text); });
        port.SetPumpHook([this] {
            if (!arriving.empty()) {
                pty.Write(arriving.front());
                arriving.pop_front();
            }
            const std::string incoming = pty.Read(4096, 0);
            received += incoming;
            if (incoming.empty() || answers.empty()) return;
            pty.Write(answers.front());
            answers.pop_front();
        });
        if (!port.SetSettings(pty.SlavePath(), 38400, 7, 2, 2) || !port.Open()) return false;
        command = transaction.Quadrel.Build(1, 0x0503, "") ? transaction.Quadrel.CommandText() : "";
        return transaction.SetPort(&port) && !command.empty();
    }

    // Sends the model request and answers it with the given bytes.
    bool Exchange(const std::string& answer, std::uint16_t timeoutMs = 2000) {
        answers.push_back(answer);
        return transaction.Execute(command, timeoutMs);
    }

    LogCapture log;
    std::deque<std::string> arriving, answers;
    std::string received;  // every byte the port has written
    PtyPair pty;
    CFramePort port;
    CCommTransaction transaction;
    std::string command;
    std::vector<std::string> reports;
};

class TransactionOnPty : public ::testing::Test, protected ScriptedLine {
  protected:
    void SetUp() override { ASSERT_TRUE(Open()); }
};

// An exchange (times=N: N of them, ok when all are) on a line of its own as the inputs say:
// name=value options, the others the answers, the next for each command that comes in. Options:
// command=TEXT instead of the model request; on-line=BYTES are there before the command goes out,
// each arriving=BYTES piece comes one wait later; the policy: attempts=N timeout=MS (1000 unless
// told) reply=true|false hook=true|false log=after|around|one-entry|script. The log marks where
// each command goes out with "<send>".
CaseAnswers ExchangeOnAFreshLine(const CaseInputs& in) {
    ScriptedLine line;
    EXPECT_TRUE(line.Open());
    SRetryPolicy policy{.timeoutMs = 1000};
    int times = 1;
    const std::map<std::string, ExchangeLog> styles = {{"after", ExchangeLog::kAfterExchange},
                                                       {"around", ExchangeLog::kAroundExchange},
                                                       {"one-entry", ExchangeLog::kOneEntry},
                                                       {"script", ExchangeLog::kScript}};
    using Value = const std::string&;
    const std::map<std::string, std::function<void(Value)>> options = {
        {"command", [&](Value value) { line.command = value; }},
        {"on-line", [&](Value value) { line.pty.Write(value); }},
        {"arriving", [&](Value value) { line.arriving.push_back(value); }},
        {"times", [&](Value value) { times = std::stoi(value); }},
        {"attempts", [&](Value value) { policy.attempts = std::stoi(value); }},
        {"timeout",
         [&](Value value) { policy.timeoutMs = static_cast<uint16_t>(std::stoi(value)); }},
        {"reply", [&](Value value) { policy.replyRequired = value == "true"; }},
        {"hook", [&](Value value) { policy.callAttemptHook = value == "true"; }},
        {"log", [&](Value value) { policy.log = styles.at(value); }}};
    for (const std::string& input : in) {
        const size_t equals = input.find('=');
        const auto option = options.find(input.substr(0, equals));
        if (equals == std::string::npos || option == options.end())
            line.answers.push_back(input);
        else
            option->second(input.substr(equals + 1));
    }
    int hooks = 0;
    line.port.SetAttemptHook([&hooks] { ++hooks; });
    line.port.SetActivityHook([](int sending, int starting) {
        if (sending == 1 && starting == 1) WriteLog("<send>");
    });
    std::vector<std::string> lines, first;
    bool ok = true;
    SExchangeOutcome outcome;
    for (int time = 0; time < times; ++time) {
        first = lines;
        line.log.Clear();
        outcome = ExchangeWithRetries(line.transaction, line.command, policy);
        lines = line.log.Lines();
        ok = ok && outcome.Ok();
    }
    std::string log = line.log.Text();
    if (!log.empty()) log.pop_back();  // its last line feed
    const char* const ends[] = {"answered", "silence-accepted", "retries-over", "line-lost",
                                "cancelled"};
    const std::map<ResultClassCode, const char*> classes = {{kSuccess, "success"},
                                                            {kTimedOut, "timed-out"},
                                                            {kBccMismatch, "bcc-mismatch"},
                                                            {kNoFrame, "no-frame"}};
    return {{"ok", CaseBool(ok)},
            {"end", ends[static_cast<int>(outcome.end)]},
            {"class", classes.at(outcome.resultClass)},
            {"reason", outcome.reason},
            {"timed-out", CaseBool(outcome.timedOut)},
            {"hooks", std::to_string(hooks)},
            {"data", line.transaction.ResponseData()},
            {"stale", std::to_string(std::count(lines.begin(), lines.end(), kStale))},
            {"same", CaseBool(times < 2 || first == lines)},
            {"sent", line.received},
            {"protocol", std::to_string(static_cast<int>(line.transaction.Protocol()))},
            {"log", log}};
}

TEST(TransactionCases, EveryCaseOfTheFileHolds) {
    RunCaseFile(VEXA_CASES_DIR "/exchanges.cases", {{"exchange", ExchangeOnAFreshLine}});
}

TEST_F(TransactionOnPty, TimeOutZeroAnswersWithoutReading) {
    EXPECT_FALSE(Exchange(frames::ModelAnswerUnit1(""), 0));
    EXPECT_EQ(transaction.ResultClass, kTimedOut);
    // The answer is still waiting on the line: nothing was read.
    ASSERT_TRUE(port.WaitForInput(2000));
    char byte = 0;
    EXPECT_TRUE(port.ReceiveByte(&byte));
    EXPECT_EQ(byte, '\x02');
}

TEST_F(TransactionOnPty, ALineGoneIsNoTimeOut) {
    EXPECT_FALSE(transaction.Execute(command, 20));
    EXPECT_TRUE(Exchange(frames::ModelAnswerUnit1("")));
    EXPECT_EQ(transaction.ResultClass, kSuccess);

    EXPECT_FALSE(transaction.Execute(command, 20));
    ASSERT_EQ(transaction.ResultClass, kTimedOut);
    pty.CloseMaster();
    EXPECT_FALSE(transaction.Execute(command, 2000));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_FALSE(transaction.TimedOut());
    EXPECT_FALSE(reports.empty());
}

TEST_F(TransactionOnPty, TimeOutCountsPerByteOfAFrameButNotForNoiseBeforeIt) {
    // A clock that moves only when the peer sends: 60 ms before every byte, so that no gap
    // reaches the 100 ms time-out.  A frame sent so is taken whole; noise ends the wait in time.
    struct ManualClock : MillisecondClock {
        std::uint64_t now = 0;
        std::uint64_t NowMs() const override { return now; }
    } clock;
    port.SetClock(clock);
    for (const std::string& response : {frames::ModelAnswerUnit1("SLOW"), std::string(40, 'N')}) {
        const bool frame = response.front() == '\002';
        std::size_t sent = 0;
        bool taken = true;
        clock.now = 0;
        port.SetActivityHook([&](int sending, int) { taken = taken || sending == 0; });
        port.SetPumpHook([&] {
            pty.Read(4096, 0);
            if (!taken) return;
            clock.now += 60;
            if (sent == response.size()) return;  // a silent line times out all the same
            pty.Write(response.substr(sent++, 1));
            taken = false;
        });
        EXPECT_EQ(transaction.Execute(command, 100), frame);
        EXPECT_EQ(clock.now > 100u * 3, frame);
    }
}

TEST_F(TransactionOnPty, EmptyCommandOrClosedPortNeverRepeatsThePreviousVerdict) {
    ASSERT_TRUE(Exchange(frames::ModelAnswerUnit1("VX40-A")));
    EXPECT_FALSE(transaction.Execute("", 100));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_EQ(transaction.ResponseText(), "");
    EXPECT_EQ(received, command);

    ASSERT_TRUE(Exchange(frames::ModelAnswerUnit1("VX40-A")));
    ASSERT_TRUE(port.Close());
    EXPECT_FALSE(transaction.Execute(command, 100));
    EXPECT_EQ(transaction.ResultClass, kNoFrame);
    EXPECT_EQ(transaction.ResponseText(), "");
    EXPECT_EQ(transaction.ResponseData(), "");
}

// vexa-cli waits on the line in one poll() for the whole time-out: a Ctrl-C that lands after
// the last stop check and before that poll must still end the wait at once.
TEST_F(TransactionOnPty, AStopBetweenTheCheckAndTheWaitEndsTheWaitAtOnce) {
    port.SetPumpHook(nullptr);
    const int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    ASSERT_GE(wake, 0);
    port.SetWakeDescriptor(wake);
    int checks = 0;
    // The first check answers "go on", and the stop arrives right after it, as a signal
    // handler would deliver it.
    port.SetCancelCheck([&] {
        if (++checks == 1) {
            const std::uint64_t one = 1;
            EXPECT_EQ(write(wake, &one, sizeof one), static_cast<ssize_t>(sizeof one));
            return false;
        }
        return true;
    });
    const auto start = std::chrono::steady_clock::now();
    char byte = 0;
    EXPECT_FALSE(port.ReceiveByteTimed(&byte, 60000));
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kCancelled);
    // Ended long before its time-out, which is what the stop is for.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(checks, 2);
    close(wake);
}

}  // namespace
