// One master parameter file shared by the stations of a line: two clone it at once, each a
// vexa-cli process on a line of its own recording into one file, while a third replaces it.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "CliFixture.h"
#include "files/ParamFile.h"

namespace {

using SetValues = std::map<int, int>;

// Saved as VEXA saves: a whole new file renamed over the old one.
void SaveSet(const std::string& path, const SetValues& values) {
    CParamFile file;
    bool ok = file.Open(path, CParamFile::Mode::Write) && file.WriteDate("2026/12/06 10:20:30") &&
              file.WriteName("TS01 test controller");
    for (const auto& [number, value] : values)
        ok = ok && file.WriteRecord(number, 0, std::to_string(value));
    EXPECT_TRUE(ok && file.Commit()) << English(file.Error());
}

}  // namespace

// 30 clones a station keep it short: a reader holds the file all the while, so the exclusive
// lock readers once took failed every clone here, not a few in a hundred.
TEST_F(CliFixture, ClonesOfOneMasterFileNeverFailEachOtherWhileItIsReplaced) {
    constexpr int kClonesPerStation = 30;
    const SetValues oldSet{{1, 300}, {2, 2}, {3, 50}, {4, 5}, {6, 200}};
    const SetValues newSet{{1, 310}, {2, 3}, {3, 60}, {4, 6}, {6, 210}};
    auto first = std::make_shared<TestController>(), second = std::make_shared<TestController>();
    StartLine({first});
    // The second station: a line and a folder of its own (the log has one writer).
    TempFolder otherHome;
    WriteTestModel(otherHome);
    SimBus otherSim;
    otherSim.SetResponder(1, second);
    ASSERT_TRUE(otherSim.Start(otherHome.File("line"))) << otherSim.Error();

    const std::string master = home.File("master.tmf"), record = home.File("line.jsonl");
    SaveSet(master, oldSet);
    std::atomic<bool> stationsDone{false};
    std::thread replacing([&] {
        int reader = -1;
        for (bool useNew = true; !stationsDone; useNew = !useNew) {
            SaveSet(master, useNew ? newSet : oldSet);
            const int fd = open(master.c_str(), O_RDONLY | O_CLOEXEC);
            flock(fd, LOCK_SH);
            close(reader);
            reader = fd;
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
        close(reader);
    });

    std::mutex lock;
    std::vector<std::string> failures;
    const auto station = [&](const TempFolder* folder, TestController* unit) {
        for (int i = 0; i < kClonesPerStation; ++i) {
            unit->SetFactoryValues();
            const SProgramRun r = RunProgram(
                {BinFolder() + "/vexa-cli", "--home", folder->Path(), "--port",
                 folder->File("line"), "--record", record, "clone", "-i", master, "--units", "1"},
                folder->Path());
            SetValues held = oldSet;
            for (auto& [number, value] : held) value = unit->Get(number);
            std::lock_guard<std::mutex> guard(lock);
            if (r.code != 0) failures.push_back("exit " + std::to_string(r.code) + ": " + r.err);
            if (held != oldSet && held != newSet) failures.push_back("a mixed set");
        }
    };
    std::thread one(station, &home, first.get()), two(station, &otherHome, second.get());
    one.join();
    two.join();
    stationsDone = true;
    replacing.join();
    otherSim.Stop();
    EXPECT_TRUE(failures.empty()) << failures.size() << " failed, the first: " << failures[0];
    // Both stations append to one record file: every clone is one whole line.
    const std::vector<nlohmann::json> lines = RecordLines(home.Read("line.jsonl"));
    EXPECT_EQ(lines.size(), 2u * kClonesPerStation);
    for (const nlohmann::json& r : lines) {
        ExpectWholeRecord(r);
        EXPECT_EQ(r["result"], "ok") << r;
    }
}
