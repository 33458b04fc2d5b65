// The one retry loop every caller of the line shares (its attempts, silence, hooks and log
// styles: exchanges.cases) under faults of the line, as the cases of line-faults.cases: late
// answers to other commands, answers that say what went wrong, a line that vanishes and a stop
// request in the middle of a wait.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "protocol/CommTransaction.h"
#include "protocol/CommandExchange.h"
#include "protocol/FramePort.h"
#include "sim/CannedResponder.h"
#include "sim/SimBus.h"
#include "sim/SimOptions.h"
#include "support/CaseFile.h"
#include "support/LogCapture.h"

namespace {

// The exchanges of the steps given with unit 1 of a simulated line whose faults the first input
// gives as vexa-sim's options. A step is CODE/TIMEOUT-MS[/ATTEMPTS]: a Quadrel command of that
// code, or an at-frame of that text; "until=MS" waits until so long after the first step began;
// "stop-after=N": from then on the port waits in short slices, as the desktop program does, and
// the operator stops the wait when asked the Nth time more.
CaseAnswers ExchangeUnderFaults(const CaseInputs& in) {
    SimProfile unit;
    unit.QuadrelAnswers = {{"0101", "AA"}, {"0102", "BB"}, {"0103", "CC"}};
    unit.AtAnswers = {{"RD01", "0150"}, {"RS01", "0250"}};
    SimOptions options;
    std::string error;
    std::istringstream words(in[0]);
    std::vector<std::string> arguments;
    for (std::string word; words >> word;) arguments.push_back(word);
    EXPECT_TRUE(ParseSimOptions(arguments, options, error)) << error;
    SimBus sim;
    sim.SetResponder(1, std::make_shared<CannedResponder>(unit));
    sim.SetFaults(options.Faults);
    EXPECT_TRUE(sim.Start()) << sim.Error();
    CFramePort port;
    EXPECT_TRUE(port.SetSettings(sim.SlavePath(), 38400, 7, 2, 2) && port.Open());
    CCommTransaction transaction;
    transaction.SetPort(&port);

    const LogCapture log;
    const auto start = std::chrono::steady_clock::now();
    int asked = 0;
    size_t lastStep = 0;  // where the log of the last step begins
    std::string ends;
    SExchangeOutcome outcome;
    for (auto step = in.begin() + 1; step != in.end(); ++step) {
        const std::string value = step->substr(step->find('=') + 1);
        if (step->rfind("until=", 0) == 0) {
            std::this_thread::sleep_until(start + std::chrono::milliseconds(std::stoi(value)));
        } else if (step->rfind("stop-after=", 0) == 0) {
            port.SetPumpHook([] {});
            port.SetCancelCheck([&asked, value] { return ++asked > std::stoi(value); });
        } else {
            std::istringstream parts(*step);
            std::string code, timeout, attempts = "1";
            std::getline(std::getline(std::getline(parts, code, '/'), timeout, '/'), attempts);
            const bool quadrel = std::all_of(code.begin(), code.end(), ::isxdigit);
            EXPECT_TRUE(quadrel ? transaction.Quadrel.Build(1, std::stoi(code, nullptr, 16), "")
                                : transaction.At.Build(1, code));
            lastStep = log.Text().size();
            outcome = ExchangeWithRetries(
                transaction,
                quadrel ? transaction.Quadrel.CommandText() : transaction.At.CommandText(),
                {.attempts = std::stoi(attempts),
                 .timeoutMs = static_cast<uint16_t>(std::stoi(timeout))});
            const char* const names[] = {"answered", "silence-accepted", "retries-over",
                                         "line-lost", "cancelled"};
            ends += (ends.empty() ? "" : " ") + std::string(names[static_cast<int>(outcome.end)]);
        }
    }
    const std::vector<std::string> lines = log.Lines();
    const auto count = [&lines](const char* line) {
        return std::to_string(std::count(lines.begin(), lines.end(), line));
    };
    std::string lastLog = log.Text().substr(lastStep);
    if (!lastLog.empty()) lastLog.pop_back();
    return {{"ends", ends},
            {"data", transaction.ResponseData()},
            {"reason", outcome.reason},
            {"timed-out", CaseBool(outcome.timedOut)},
            {"stale", count("stale answer discarded.")},
            {"time-outs", count("response time out.")},
            {"noise", count("line noise discarded.")},
            {"retries-over", count("command retry over.")},
            {"stopped", count("command stopped.")},
            {"lost", count("line lost.")},
            {"line-lost", CaseBool(port.LineLost())},
            {"asked", std::to_string(asked)},
            {"last-log", lastLog}};
}

TEST(LineFaultCases, EveryCaseOfTheFileHolds) {
    RunCaseFile(VEXA_CASES_DIR "/line-faults.cases", {{"exchange", ExchangeUnderFaults}});
}

}  // namespace
