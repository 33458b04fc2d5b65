#pragma once

// vexa-cli as a user runs it: the program as a process, against simulated controllers of the
// test model on a pty.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "sim/SimBus.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"
#include "support/TestController.h"
#include "support/TestModel.h"

class CliFixture : public ::testing::Test {
  protected:
    // Writes the test model and starts the line at its link with `units` as units 1, 2, ...
    void StartLine(const std::vector<std::shared_ptr<TestController>>& units) {
        WriteTestModel(home);
        for (size_t i = 0; i < units.size(); ++i) {
            units[i]->SetFactoryValues();
            sim.SetResponder(static_cast<int>(i) + 1, units[i]);
        }
        ASSERT_TRUE(sim.Start(line)) << sim.Error();
    }

    // Runs vexa-cli with the program folder (unless args name one) and the line.
    // interruptAfterMs >= 0: the program gets Ctrl-C (SIGINT) after that time.
    SProgramRun Cli(const std::vector<std::string>& args, bool withLine = true,
                    int interruptAfterMs = -1) {
        std::vector<std::string> all = {BinFolder() + "/vexa-cli"};
        if (std::find(args.begin(), args.end(), "--home") == args.end())
            all.insert(all.end(), {"--home", home.Path()});
        if (withLine) all.insert(all.end(), {"--port", line});
        all.insert(all.end(), args.begin(), args.end());
        return RunProgram(all, home.Path(), std::chrono::milliseconds(interruptAfterMs));
    }

    TempFolder home;
    const std::string line = home.File("line");
    SimBus sim;
};

inline bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
