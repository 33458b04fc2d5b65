// Loading a parameter table and walking its upload order, as Upload and Verify do, for tables
// of 1 000 to 65 535 items. The time per item must stay flat as the table grows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "params/MenuParamTable.h"

namespace {

// A table of `count` items numbered in reverse file order (so that the walk does not meet
// them in index order), with every item in the upload and download orders.
std::string WriteTable(int count) {
    std::string path =
        (std::filesystem::temp_directory_path() / ("vexa-bench-" + std::to_string(count) + ".prm"))
            .string();
    std::ofstream file(path, std::ios::binary);
    file << "[ParamList]\n";
    for (int i = 0; i < count; ++i) {
        int number = count - i;
        char line[200];
        std::snprintf(line, sizeof line,
                      "{Parameter %d,52%02X;2;2;0;1;0,57%02X;2;2;0;1;0;4,1,DP,6C01;2;2;0;1,"
                      "6C00;2;2;0;1;6E00;1;0;0;0,1,%d,%d,%d,AL%d}\n",
                      number, number % 256, number % 256, i % 3, number, i % 2, number % 7);
        file << line;
    }
    for (const char* section : {"[DownloadList]\n", "[Upload]\n"}) {
        file << section;
        for (int i = 0; i < count; ++i) file << (i + 1) << "=Parameter " << (i + 1) << "\n";
    }
    return path;
}

void LoadTable(benchmark::State& state) {
    std::string path = WriteTable(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CMenuParamTable table;
        if (!table.Load(path).Ok()) state.SkipWithError("table did not load");
        benchmark::DoNotOptimize(table.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
}

void LoadAndWalkUploadOrder(benchmark::State& state) {
    std::string path = WriteTable(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CMenuParamTable table;
        table.Load(path);
        size_t found = 0;
        for (size_t i = 0; i < table.GetUploadCount(); ++i) {
            if (const CMenuParamItem* item = table.FindByNumber(table.GetUploadNumber(i))) {
                found += item->writable != 0;
            }
        }
        if (found != table.GetCount()) state.SkipWithError("walk missed items");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
}

}  // namespace

BENCHMARK(LoadTable)->Arg(1000)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAndWalkUploadOrder)->Arg(1000)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
