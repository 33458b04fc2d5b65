// One master parameter file shared by the stations of a line: several clone it at once while
// another replaces it, each a vexa-cli process on a line of its own.
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

// Saves as VEXA does: a whole new file renamed over the old one.
void SaveSet(const std::string& path, const SetValues& values) {
    CParamFile file;
    bool ok = file.Open(path, CParamFile::Mode::Write) && file.WriteDate("2026/12/06 10:20:30") &&
              file.WriteName("TS01 test controller");
    for (const auto& [number, value] : values)
        ok = ok && file.WriteRecord(number, 0, std::to_string(value));
    EXPECT_TRUE(ok && file.Commit()) << file.ErrorText();
}

SetValues Held(TestController& unit, const SetValues& like) {
    SetValues held;
    for (const auto& entry : like) held[entry.first] = unit.Get(entry.first);
    return held;
}

}  // namespace

// 30 clones a station keep the test short; with the exclusive lock readers once took, the
// first read already failed, since a reader holds the file throughout.
TEST_F(CliFixture, ClonesOfOneMasterFileNeverFailEachOtherWhileItIsReplaced) {
    constexpr int kClonesPerStation = 30;
    const SetValues oldSet{{1, 300}, {2, 2}, {3, 50}, {4, 5}, {6, 200}};
    const SetValues newSet{{1, 310}, {2, 3}, {3, 60}, {4, 6}, {6, 210}};
    auto first = std::make_shared<TestController>();
    auto second = std::make_shared<TestController>();
    StartLine({first});
    // The second station: its own line, and its own folder, since the log is one writer's.
    TempFolder otherHome;
    WriteTestModel(otherHome);
    SimBus otherSim;
    otherSim.SetResponder(1, second);
    const std::string otherLine = otherHome.File("line");
    ASSERT_TRUE(otherSim.Start(otherLine)) << otherSim.Error();

    const std::string master = home.File("master.tmf");
    SaveSet(master, oldSet);
    std::atomic<bool> stationsDone{false};
    std::thread replacing([&] {
        int reader = -1;
        for (bool useNew = true; !stationsDone; useNew = !useNew) {
            SaveSet(master, useNew ? newSet : oldSet);
            // Another reader keeps the file open, with a shared lock, until the next save.
            const int fd = open(master.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd >= 0) flock(fd, LOCK_SH);
            if (reader >= 0) close(reader);
            reader = fd;
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
        if (reader >= 0) close(reader);
    });

    std::mutex lock;
    std::vector<std::string> failures;
    const auto station = [&](const std::string& port, const std::string& folder,
                             TestController& unit) {
        for (int i = 0; i < kClonesPerStation; ++i) {
            unit.SetFactoryValues();
            const SProgramRun r = RunProgram({BinFolder() + "/vexa-cli", "--home", folder, "--port",
                                              port, "clone", "-i", master, "--units", "1"},
                                             folder);
            const SetValues held = Held(unit, oldSet);
            std::lock_guard<std::mutex> guard(lock);
            if (r.code != 0) failures.push_back(port + ": exit " + std::to_string(r.code) + r.err);
            if (held != oldSet && held != newSet) failures.push_back(port + ": a mixed set");
        }
    };
    std::thread one(station, line, home.Path(), std::ref(*first));
    std::thread two(station, otherLine, otherHome.Path(), std::ref(*second));
    one.join();
    two.join();
    stationsDone = true;
    replacing.join();
    otherSim.Stop();
    EXPECT_TRUE(failures.empty()) << failures.size() << " failed, the first: " << failures[0];
}
