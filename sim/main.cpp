// vexa-sim: a simulated controller bus on a pseudo-terminal (and, with --tcp, over TCP).

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

#include "sim/CannedResponder.h"
#include "sim/MemoryResponder.h"
#include "sim/SimBus.h"
#include "sim/SimOptions.h"
#include "sim/SimTcp.h"

namespace {

std::string UnitName(int unit) {
    char name[16];
    std::snprintf(name, sizeof name, "unit%02d", unit);
    return name;
}

std::string MemoryDumpPath(const std::string& folder, int unit) {
    return folder + "/" + UnitName(unit) + ".mem";
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "vexa-sim: " << error << "\nRun with --help for more information.\n";
        return 2;
    }
    if (!options.InfoText.empty()) {
        std::cout << options.InfoText;
        return 0;
    }

    // Block the stop signals before the bus thread starts, so only sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SimBus bus;
    std::map<int, std::shared_ptr<MemoryResponder>> memories;
    if (HasMemory(options.Profile)) {
        auto model = std::make_shared<MemoryModel>();
        if (!model->Load(options.Profile, error)) {
            std::cerr << "vexa-sim: " << error << "\n";
            return 2;
        }
        if (!options.MemoryDumpFolder.empty()) {
            std::error_code ignored;
            std::filesystem::create_directories(options.MemoryDumpFolder, ignored);
        }
        for (int unit : options.Profile.Units) {
            auto responder = std::make_shared<MemoryResponder>(model, options.Profile);
            if (!options.MemoryDumpFolder.empty()) {
                responder->SetDumpFile(MemoryDumpPath(options.MemoryDumpFolder, unit));
                std::ofstream(MemoryDumpPath(options.MemoryDumpFolder, unit)) << responder->Dump();
            }
            bus.SetResponder(unit, responder);
            memories[unit] = responder;
        }
    } else {
        for (int unit : options.Profile.Units)
            bus.SetResponder(unit, std::make_shared<CannedResponder>(options.Profile));
    }
    bus.SetFaults(options.Faults);
    if (!bus.Start(options.LinkPath)) {
        std::cerr << "vexa-sim: " << bus.Error() << "\n";
        return 1;
    }
    std::cout << bus.SlavePath() << std::endl;
    SimTcpLine tcp;
    if (options.TcpPort >= 0) {
        if (!tcp.Start(
                static_cast<std::uint16_t>(options.TcpPort), [&bus] { return bus.SlavePath(); },
                error)) {
            std::cerr << "vexa-sim: " << error << "\n";
            return 1;
        }
        std::cout << "socket://127.0.0.1:" << tcp.Port() << std::endl;
    }

    int received = 0;
    sigwait(&stopSignals, &received);
    tcp.Stop();
    bus.Stop();
    const SimCounts counts = bus.Counts();
    if (counts.AnyFault()) std::cerr << "vexa-sim: " << SimCountsSummary(counts) << std::endl;
    if (!options.StatsPath.empty()) {
        std::ofstream stats(options.StatsPath);
        stats << SimCountsText(counts);
        for (const auto& [unit, memory] : memories)
            stats << UnitStateText(memory->State(), UnitName(unit) + ".");
        if (!stats.flush()) {
            std::cerr << "vexa-sim: cannot write " << options.StatsPath << "\n";
            return 1;
        }
    }
    return 0;
}
