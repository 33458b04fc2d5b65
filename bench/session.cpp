// Upload and download of the HD80 model against simulated controllers on a paced line.
//
// The simulator answers after a fixed latency and paces its answer at the character time
// of 38400 baud 7E2 (11 bits per character).  The sum of latency and answer time over all
// exchanges is the line's own schedule; a whole-set operation should take little more, and
// the tool should use a few percent of one core while it waits.  The system calls the port
// makes per exchange are counted too; on an unpaced line, where a whole answer is there at
// once, they show what the receive loop itself costs.

#include <benchmark/benchmark.h>
#include <time.h>

#include <atomic>
#include <memory>
#include <string>

#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "app/MessageTable.h"
#include "ops/DeviceSession.h"
#include "sim/MemoryModel.h"
#include "sim/MemoryResponder.h"
#include "sim/SimBus.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kBitsPerChar = 11;
constexpr double kCharMs = 1000.0 * kBitsPerChar / kBaud;
constexpr int kLatencyMs = 5;
constexpr long kUnansweredTimeoutMs = 1000;  // the HD80 routines' time-out for such commands
// Frame bytes around the data of an answer.
constexpr int kQuadrelOverhead =
    18;                          // STX, node, sub-address, end code, command, MRES/SRES, ETX, BCC
constexpr int kAtOverhead = 11;  // "@", unit, header, end code, FCS, "*", CR

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Adds up what the line's schedule is for every answer a unit gives.
class ScheduleCounter : public SimResponder {
  public:
    ScheduleCounter(std::shared_ptr<SimResponder> inner, bool paced)
        : m_inner(std::move(inner)), m_paced(paced) {}
    std::optional<SimReply> Respond(const SimCommand& command) override {
        auto reply = m_inner->Respond(command);
        if (!reply) {
            // A command the model leaves unanswered on purpose ("store" after a download)
            // costs its caller the routine's whole time-out.
            m_microseconds += kUnansweredTimeoutMs * 1000;
        } else if (m_paced) {
            const int overhead =
                command.Protocol == SimProtocol::At ? kAtOverhead : kQuadrelOverhead;
            m_microseconds += static_cast<long>(
                1000.0 *
                (kLatencyMs + (overhead + static_cast<double>(reply->Data.size())) * kCharMs));
        }
        return reply;
    }
    double ScheduleMs() const { return static_cast<double>(m_microseconds.load()) / 1000.0; }
    void Reset() { m_microseconds = 0; }

  private:
    std::shared_ptr<SimResponder> m_inner;
    bool m_paced;
    std::atomic<long> m_microseconds{0};
};

class QuietUi : public COperatorUi {
  public:
    BoxAnswer MessageBox(const std::string&, BoxStyle) override { return BoxAnswer::Ok; }
    void StartCancel() override {}
    bool PollCancel() override { return false; }
    void CloseCancel() override {}
    void Progress(int, int) override {}
    void RefreshView() override {}
    void PumpEvents() override {}
    void BusyChanged(bool) override {}
};

void WholeSet(benchmark::State& state, bool download, bool paced = true) {
    SimProfile profile;
    std::string error;
    auto model = std::make_shared<MemoryModel>();
    if (!LoadSimProfile(ResolveInModuleFolder("HD80.sim"), profile, error) ||
        !model->Load(profile, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    SimBus sim;
    std::shared_ptr<ScheduleCounter> counters[3];
    for (int unit : {1, 2}) {
        counters[unit] = std::make_shared<ScheduleCounter>(
            std::make_shared<MemoryResponder>(model, profile), paced);
        sim.SetResponder(unit, counters[unit]);
    }
    SimFaults faults;
    if (paced) {
        faults.PaceBaud = kBaud;
        faults.PaceBitsPerChar = kBitsPerChar;
        faults.ReplyDelayMs = kLatencyMs;
    }
    sim.SetFaults(faults);
    if (!sim.Start()) {
        state.SkipWithError(sim.Error().c_str());
        return;
    }
    QuietUi ui;
    CMessageTable catalogue;
    LoadMessageCatalogue(catalogue);
    CDeviceSession session(ui, catalogue);
    CCommSettings line;
    line.portName = sim.SlavePath();
    session.ApplyCommSettings(line, 1);
    session.SetView(EView::Clone);
    session.Connect(1);
    if (!session.IsConnected()) {
        state.SkipWithError("cannot connect to the simulated HD80");
        return;
    }
    session.Upload();

    double wallMs = 0, scheduleMs = 0, cpuSeconds = 0;
    const std::size_t commandsBefore = sim.Counts().Commands;
    const std::uint64_t callsBefore = session.Port().SystemCalls();
    for (auto _ : state) {
        for (auto& c : counters)
            if (c) c->Reset();
        const double cpuStart = ThreadCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        if (download) {
            session.Download(2);
            session.ApplyCommSettings(line, 1);  // back to unit 1 for the next round
            session.Connect(1);
            session.Upload();
        } else {
            session.Upload();
        }
        const auto end = std::chrono::steady_clock::now();
        cpuSeconds += ThreadCpuSeconds() - cpuStart;
        wallMs += std::chrono::duration<double, std::milli>(end - start).count();
        scheduleMs += counters[1]->ScheduleMs() + counters[2]->ScheduleMs();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["wall_ms"] = wallMs / n;
    if (paced) {
        state.counters["line_schedule_ms"] = scheduleMs / n;
        state.counters["beyond_schedule_pct"] = 100.0 * (wallMs - scheduleMs) / scheduleMs;
    }
    state.counters["cpu_pct_of_core"] = 100.0 * cpuSeconds * 1000.0 / wallMs;
    const auto exchanges = static_cast<double>(sim.Counts().Commands - commandsBefore);
    state.counters["syscalls_per_exchange"] =
        static_cast<double>(session.Port().SystemCalls() - callsBefore) / exchanges;
}

void Upload(benchmark::State& state) { WholeSet(state, false); }
void UploadUnpaced(benchmark::State& state) { WholeSet(state, false, false); }
// One round: download into unit 2, then reconnect to unit 1 and upload again.
void DownloadRound(benchmark::State& state) { WholeSet(state, true); }

}  // namespace

BENCHMARK(Upload)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UploadUnpaced)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DownloadRound)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
