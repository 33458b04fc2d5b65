// vexa-sim: a simulated controller bus on a pseudo-terminal.

#include <signal.h>

#include <cstdio>
#include <iostream>
#include <memory>

#include "sim/CannedResponder.h"
#include "sim/SimBus.h"
#include "sim/SimOptions.h"

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "vexa-sim: " << error << "\n" << SimUsage();
        return 2;
    }
    if (options.Help) {
        std::cout << SimUsage();
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
    for (int unit : options.Profile.Units)
        bus.SetResponder(unit, std::make_shared<CannedResponder>(options.Profile));
    bus.SetFaults(options.Faults);
    if (!bus.Start(options.LinkPath)) {
        std::cerr << "vexa-sim: " << bus.Error() << "\n";
        return 1;
    }
    std::cout << bus.SlavePath() << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    bus.Stop();
    return 0;
}
