// Soak run: 100 000 exchanges with the HD40 simulator while 1 % of the commands, drawn from a
// fixed seed, meet one line fault, each exchange one attempt. Each phase of the run injects one
// kind of fault, so that what the engine saw of it can be held against what the simulator counted;
// every value accepted is compared with the one the simulated unit holds, and the resident memory
// after warm-up with the one at the end.
//
// The figures are benchmark counters; "unaccounted" and "wrong_values" must be 0 and
// "rss_growth_kib" below 1024.  A second, shorter run paces the simulator's bytes at 9600 baud,
// as a real line delivers them: a late answer then arrives while the next command is sent.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Folders.h"
#include "protocol/CommLog.h"
#include "protocol/CommTransaction.h"
#include "protocol/CommandExchange.h"
#include "protocol/FramePort.h"
#include "sim/MemoryModel.h"
#include "sim/MemoryResponder.h"
#include "sim/SimBus.h"

namespace {

constexpr int kWarmUp = 2'000;
constexpr int kRatePerMillion = 10'000;  // 1 %
constexpr uint32_t kSeed = 15;
constexpr int kParameters = 43;  // the HD40's, read with 5201 .. 522B
constexpr uint16_t kTimeoutMs = 150;
constexpr int kLateMs = 250;  // past the time-out: the answer comes during a later exchange

// A log that only counts its lines: the run measures the engine, not the disk.
class CountingLog : public LogSink {
  public:
    bool Write(const std::string&) override {
        ++m_lines;
        return true;
    }
    long Lines() const { return m_lines; }

  private:
    long m_lines = 0;
};

// Answers to other commands the last exchange set aside, before its command went out or after.
long StaleFrames(const CFramePort& port) {
    long count = 0;
    for (const CFramePort::SDiscarded& piece : port.Discarded()) count += piece.wholeFrame;
    return count;
}

long ResidentKib() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// One kind of fault: how the simulator is set for it, how many commands it hit by the
// simulator's count, and whether a failed attempt the engine saw is its doing.
struct SPhase {
    const char* name;
    std::function<void(SimFaults&)> set;
    std::function<size_t(const SimCounts&)> hits;
    std::function<bool(const std::string& reason)> seen;
};

const std::vector<SPhase>& Phases() {
    static const std::vector<SPhase> phases = {
        {"corrupt_check", [](SimFaults& f) { f.CorruptCheck = true; },
         [](const SimCounts& c) { return c.CorruptChecks; },
         [](const std::string& r) { return r == "answered with a bad check byte"; }},
        {"end_code", [](SimFaults& f) { f.EndCode = 0x0F; },
         [](const SimCounts& c) { return c.EndCodes; },
         [](const std::string& r) { return r == "answered with end code 0F"; }},
        {"response_code", [](SimFaults& f) { f.ResponseCode = 0x1001; },
         [](const SimCounts& c) { return c.ResponseCodes; },
         [](const std::string& r) { return r == "answered with response code 1001"; }},
        // The second echo is judged as the answer, and it is none.
        {"echo", [](SimFaults& f) { f.EchoCount = 2; }, [](const SimCounts& c) { return c.Echoed; },
         [](const std::string& r) { return r == "answered with a frame that cannot be read"; }},
        {"silent", [](SimFaults& f) { f.SilentCommands = 1'000'000; },
         [](const SimCounts& c) { return c.Silenced; },
         [](const std::string& r) { return r.starts_with("no answer"); }},
        {"late", [](SimFaults& f) { f.LateMs = kLateMs; },
         [](const SimCounts& c) { return c.Late; },
         [](const std::string& r) { return r.starts_with("no answer"); }},
    };
    return phases;
}

using Clock = std::chrono::steady_clock;

int ValueOf(int parameter) { return 1000 + 7 * parameter; }

// The next parameter after `last` that may be read now.
int NextParameter(const std::vector<Clock::time_point>& quietUntil, int& last) {
    const Clock::time_point now = Clock::now();
    for (int step = 1; step <= kParameters; ++step) {
        const int n = 1 + (last + step - 1) % kParameters;
        if (quietUntil[n] <= now) return last = n;
    }
    return last = 1 + last % kParameters;
}

// Arguments: the number of exchanges, and the baud rate the simulator paces its bytes at (0: it
// writes at once).
void Soak(benchmark::State& state) {
    const int exchangeCount = static_cast<int>(state.range(0));
    const int paceBaud = static_cast<int>(state.range(1));
    const int warmUp = std::min(kWarmUp, exchangeCount / 10);
    SimProfile profile;
    std::string error;
    auto model = std::make_shared<MemoryModel>();
    if (!LoadSimProfile(ResolveInModuleFolder("HD40.sim"), profile, error) ||
        !model->Load(profile, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    auto unit = std::make_shared<MemoryResponder>(model, profile);
    // A value of its own for every parameter: an answer taken for the wrong command shows.
    for (int n = 1; n <= kParameters; ++n) unit->SetValue(n, ValueOf(n));
    SimBus sim;
    sim.SetResponder(1, unit);
    if (!sim.Start()) {
        state.SkipWithError(sim.Error().c_str());
        return;
    }
    CountingLog log;
    LogSink* const previousLog = SetLogSink(&log);
    CFramePort port;
    port.SetSettings(sim.SlavePath(), 38400, 7, 2, 2);
    if (!port.Open()) {
        SetLogSink(previousLog);
        state.SkipWithError("cannot open the simulated line");
        return;
    }

    // The frames, and what the unit answers to each on a clean line.
    std::vector<std::string> frames(kParameters + 1);
    std::map<int, std::string> truth;
    for (int n = 1; n <= kParameters; ++n) {
        CQuadrelExchange command;
        command.Build(1, static_cast<uint16_t>(0x5200 + n), "");
        frames[n] = command.CommandText();
    }
    CCommTransaction transaction;
    transaction.SetPort(&port);
    SRetryPolicy once;
    once.timeoutMs = kTimeoutMs;
    for (int n = 1; n <= kParameters; ++n) {
        if (!ExchangeWithRetries(transaction, frames[n], once).Ok()) {
            SetLogSink(previousLog);
            state.SkipWithError("the unit does not answer on a clean line");
            return;
        }
        truth[n] = transaction.ResponseData();
        if (std::strtol(truth[n].c_str(), nullptr, 16) != ValueOf(n)) {
            SetLogSink(previousLog);
            state.SkipWithError("the unit answers another value than it holds");
            return;
        }
    }

    long warmKib = 0, wrongValues = 0, failedExchanges = 0, unaccounted = 0, seenTotal = 0;
    long staleDiscarded = 0, exchanges = 0;
    size_t injected = 0;
    for (auto _ : state) {
        const int phases = static_cast<int>(Phases().size());
        int exchange = 0, last = 0;
        for (const SPhase& phase : Phases()) {
            // The first phase also takes what does not divide evenly.
            const int perPhase =
                exchangeCount / phases + (exchange == 0 ? exchangeCount % phases : 0);
            SimFaults faults;
            faults.PaceBaud = paceBaud;
            faults.Scope.RatePerMillion = kRatePerMillion;
            faults.Scope.Seed = kSeed;
            phase.set(faults);
            const SimCounts before = sim.Counts();
            sim.SetFaults(faults);
            long seen = 0;
            std::vector<Clock::time_point> quietUntil(kParameters + 1);
            const long staleBefore = staleDiscarded;
            for (int i = 0; i < perPhase; ++i, ++exchange) {
                if (exchange == warmUp) warmKib = ResidentKib();
                const int n = NextParameter(quietUntil, last);
                // One attempt each, and a parameter whose answer may still be on its way is
                // not read again meanwhile: an answer to the same command cannot be told from
                // its own, so a retry would take the late one and the fault would go unseen.
                const SExchangeOutcome outcome = ExchangeWithRetries(transaction, frames[n], once);
                if (!outcome.Ok())
                    quietUntil[n] = Clock::now() + std::chrono::milliseconds(2 * kLateMs);
                staleDiscarded += StaleFrames(port);
                const bool answered = outcome.Ok();
                if (!answered && phase.seen(outcome.reason)) ++seen;
                if (!answered) {
                    ++failedExchanges;
                } else if (transaction.ResponseData() != truth[n]) {
                    ++wrongValues;
                }
            }
            exchanges = exchange;
            // An answer held back past the last exchange of the phase is still on its way.
            sim.SetFaults({});
            std::this_thread::sleep_for(std::chrono::milliseconds(2 * kLateMs));
            ExchangeWithRetries(transaction, frames[1], once);
            staleDiscarded += StaleFrames(port);
            const size_t hits = phase.hits(sim.Counts()) - phase.hits(before);
            injected += hits;
            seenTotal += seen;
            unaccounted += std::labs(static_cast<long>(hits) - seen);
            state.counters[std::string(phase.name) + "_injected"] = static_cast<double>(hits);
            state.counters[std::string(phase.name) + "_seen"] = static_cast<double>(seen);
            state.counters[std::string(phase.name) + "_stale"] =
                static_cast<double>(staleDiscarded - staleBefore);
        }
    }
    const long endKib = ResidentKib();
    port.Close();
    SetLogSink(previousLog);

    state.counters["exchanges"] = static_cast<double>(exchanges);
    state.counters["commands"] = static_cast<double>(sim.Counts().Commands);
    state.counters["faults_injected"] = static_cast<double>(injected);
    state.counters["faults_seen"] = static_cast<double>(seenTotal);
    state.counters["unaccounted"] = static_cast<double>(unaccounted);
    state.counters["stale_discarded"] = static_cast<double>(staleDiscarded);
    state.counters["failed_exchanges"] = static_cast<double>(failedExchanges);
    state.counters["wrong_values"] = static_cast<double>(wrongValues);
    state.counters["log_lines"] = static_cast<double>(log.Lines());
    state.counters["rss_warm_kib"] = static_cast<double>(warmKib);
    state.counters["rss_end_kib"] = static_cast<double>(endKib);
    state.counters["rss_growth_kib"] = static_cast<double>(endKib - warmKib);
    // The verdict stays beside the figures that make it.
    const bool sound = unaccounted == 0 && wrongValues == 0 && endKib - warmKib < 1024;
    state.counters["sound"] = sound ? 1 : 0;
    if (!sound)
        std::fprintf(stderr,
                     "bench_soak: a fault went unaccounted, a wrong value was taken or memory "
                     "grew by 1 MiB or more\n");
}

}  // namespace

BENCHMARK(Soak)
    ->Args({100'000, 0})
    ->Args({2'400, 9600})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK_MAIN();
