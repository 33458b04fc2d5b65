// Cost of one command exchange against the simulated controller on a paced line.
//
// The simulator paces its answer at the character time of 38400 baud 7E2 (11 bits) after
// a fixed latency; the command crosses the pseudo-terminal at once.  What the exchange
// takes beyond that schedule is this program's own cost per exchange.  CPU is given for
// the exchanging thread (the tool) and for the whole process (tool and simulator thread).
// On a loaded machine the wall figures include the scheduler's delays in waking either
// side; tool_own_ms is the part of an exchange spent in this program's code alone.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <memory>
#include <string>

#include "protocol/CommTransaction.h"
#include "protocol/FramePort.h"
#include "sim/CannedResponder.h"
#include "sim/SimBus.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kBitsPerChar = 11;  // start, 7 data, parity, 2 stop
constexpr double kCharMs = 1000.0 * kBitsPerChar / kBaud;

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void PacedExchange(benchmark::State& state) {
    const int latencyMs = static_cast<int>(state.range(0));
    SimBus sim;
    sim.SetResponder(1, std::make_shared<CannedResponder>(SimProfile{}));
    SimFaults faults;
    faults.PaceBaud = kBaud;
    faults.PaceBitsPerChar = kBitsPerChar;
    faults.ReplyDelayMs = latencyMs;
    sim.SetFaults(faults);
    if (!sim.Start()) {
        state.SkipWithError(sim.Error().c_str());
        return;
    }
    CFramePort port;
    CCommTransaction transaction;
    if (!port.SetSettings(sim.SlavePath(), kBaud, 7, 2, 2) || !port.Open() ||
        !transaction.SetPort(&port) || !transaction.Quadrel.Build(1, 0x0503, "")) {
        state.SkipWithError("cannot open the simulated line");
        return;
    }
    const std::string command = transaction.Quadrel.CommandText();
    if (!transaction.Execute(command, 1000) ||
        transaction.ResultClass != ResultClassCode::kSuccess) {
        state.SkipWithError("the simulator does not answer");
        return;
    }
    const std::size_t responseBytes = transaction.ResponseText().size();

    // The tool's own stretches of an exchange, which no waiting is part of: from the call
    // until the command is written, and from the last byte read until the verdict.
    using Clock = std::chrono::steady_clock;
    Clock::time_point written;
    Clock::time_point lastByte;
    port.SetActivityHook([&](int sending, int starting) {
        if (sending == 1 && starting == 0) written = Clock::now();
        if (sending == 0 && starting == 0) lastByte = Clock::now();
    });
    double ownSeconds = 0;

    const auto wallStart = Clock::now();
    const double threadStart = ThreadCpuSeconds();
    const double processStart = ProcessCpuSeconds();
    for (auto _ : state) {
        const auto called = Clock::now();
        if (!transaction.Execute(command, 1000) ||
            transaction.ResultClass != ResultClassCode::kSuccess) {
            state.SkipWithError("exchange failed");
            break;
        }
        const auto returned = Clock::now();
        ownSeconds +=
            std::chrono::duration<double>((written - called) + (returned - lastByte)).count();
    }
    const double wallSeconds = std::chrono::duration<double>(Clock::now() - wallStart).count();
    const double exchanges = static_cast<double>(state.iterations());

    const double wallMs = 1000.0 * wallSeconds / exchanges;
    // What a real line would take: every byte of both frames, plus the controller's latency.
    const double lineMs = kCharMs * static_cast<double>(command.size() + responseBytes) + latencyMs;
    // What the simulator itself spends: latency, then one character time between bytes.
    const double pacedMs = latencyMs + kCharMs * static_cast<double>(responseBytes - 1);
    state.counters["wall_ms"] = wallMs;
    state.counters["line_ms"] = lineMs;
    state.counters["sim_paced_ms"] = pacedMs;
    state.counters["beyond_pacing_ms"] = wallMs - pacedMs;
    state.counters["tool_own_ms"] = 1000.0 * ownSeconds / exchanges;
    state.counters["cpu_tool_pct"] = 100.0 * (ThreadCpuSeconds() - threadStart) / wallSeconds;
    state.counters["cpu_process_pct"] = 100.0 * (ProcessCpuSeconds() - processStart) / wallSeconds;
    state.counters["bytes"] = static_cast<double>(command.size() + responseBytes);
}

BENCHMARK(PacedExchange)
    ->Arg(0)
    ->Arg(5)
    ->Arg(20)
    ->Iterations(200)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
// A slow controller: the tool spends nearly all its time waiting for the answer.
BENCHMARK(PacedExchange)->Arg(200)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
