// Statements per second of the interpreter on a loop of arithmetic and jumps.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "script/Script.h"

namespace {

// Each pass through the loop executes six lines: the label, four arithmetic statements, IF.
constexpr uint64_t kLinesPerPass = 6;
constexpr uint64_t kStatements = 10'000'000;

std::vector<std::string> LoopRoutine(uint64_t passes) {
    return {":VarBegin;",
            "var DWORD n;",
            "var DWORD acc;",
            ":VarEnd;",
            ":Begin;",
            "::top;",
            "ADD n, 1;",
            "ADD acc, n;",
            "XOR acc, 0x5A5A;",
            "SHR acc, 1;",
            "IF n, <, " + std::to_string(passes) + ", ::top, ::out;",
            "::out;",
            "RET acc;",
            ":End;"};
}

void BM_ArithmeticAndJumps(benchmark::State& state) {
    const uint64_t passes = kStatements / kLinesPerPass;
    // :Begin, the passes, ::out and RET.
    const uint64_t executed = 1 + passes * kLinesPerPass + 2;
    for (auto _ : state) {
        CScript script;
        if (!script.Load(LoopRoutine(passes))) {
            state.SkipWithError("routine did not load");
            return;
        }
        script.SetStepLimit(executed);
        CVarItem result;
        if (!script.Run(result)) {
            state.SkipWithError("routine did not finish");
            return;
        }
        benchmark::DoNotOptimize(result.GetNumber());
    }
    state.SetItemsProcessed(static_cast<int64_t>(executed * state.iterations()));
}
BENCHMARK(BM_ArithmeticAndJumps)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
