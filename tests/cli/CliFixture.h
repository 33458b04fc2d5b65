#pragma once

// vexa-cli as a user runs it: the program as a process, against simulated controllers of the
// test model on a pty.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "sim/SimBus.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"
#include "support/TestController.h"
#include "support/TestModel.h"

inline bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A controller of the test model that refuses every write of one parameter.
class RefusingWrites : public TestController {
  public:
    RefusingWrites(std::string model, int parameter)
        : TestController(std::move(model)), m_refused(parameter) {}
    std::optional<SimReply> Respond(const SimCommand& command) override {
        if (command.Code.rfind("57", 0) != 0 ||
            std::strtol(command.Code.substr(2).c_str(), nullptr, 16) != m_refused)
            return TestController::Respond(command);
        SimReply refused;
        refused.ResponseCode = kRefused;
        return refused;
    }

  private:
    int m_refused;
};

class CliFixture : public ::testing::Test {
  protected:
    // Writes the test model, and TS02 (the same parameters under another model's name), and
    // starts the line at its link with `units` as units 1, 2, ...
    void StartLine(const std::vector<std::shared_ptr<TestController>>& units) {
        WriteTestModel(home);
        home.Write("TS02.scp", home.Read("TS01.scp"));
        home.Write("TS02.prm", home.Read("TS01.prm"));
        home.Write("TS02.tbl", "\"TS02-A\",\"TS02.prm\",\"TS02 test controller\"\nENDOFTABLE,-\n");
        for (size_t i = 0; i < units.size(); ++i) {
            units[i]->SetFactoryValues();
            sim.SetResponder(static_cast<int>(i) + 1, units[i]);
        }
        ASSERT_TRUE(sim.Start(line)) << sim.Error();
    }

    // vexa-cli's command line: args with the program folder and the line, unless args name their
    // own.
    std::vector<std::string> CliArgs(const std::vector<std::string>& args, bool withLine) const {
        std::vector<std::string> all = {BinFolder() + "/vexa-cli"};
        if (std::find(args.begin(), args.end(), "--home") == args.end())
            all.insert(all.end(), {"--home", home.Path()});
        if (withLine && std::find(args.begin(), args.end(), "--port") == args.end())
            all.insert(all.end(), {"--port", line});
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }

    // Runs vexa-cli (CliArgs). interruptAfterMs >= 0: the program gets Ctrl-C (SIGINT) after that
    // time.
    SProgramRun Cli(const std::vector<std::string>& args, bool withLine = true,
                    int interruptAfterMs = -1) {
        return RunProgram(CliArgs(args, withLine), home.Path(),
                          std::chrono::milliseconds(interruptAfterMs));
    }

    TempFolder home;
    const std::string line = home.File("line");
    SimBus sim;
};

// The --record file's lines, each a JSON object.
inline std::vector<nlohmann::json> RecordLines(const std::string& text) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(nlohmann::json::parse(line, nullptr, false));
        EXPECT_FALSE(lines.back().is_discarded()) << line;
    }
    return lines;
}

// Every field, of the type a reader of the file relies on.
inline void ExpectWholeRecord(const nlohmann::json& r) {
    // clang-format off
    const std::vector<std::string> keys = {
        "schema_version", "time", "host", "port", "unit", "model_text", "model_name", "operation",
        "file", "file_sha256", "result", "counts", "failed_parameters", "differing_parameters",
        "exit_code", "vexa_version", "duration_ms"};
    // clang-format on
    EXPECT_EQ(r.size(), keys.size()) << r;
    for (const std::string& key : keys) EXPECT_TRUE(r.contains(key)) << key << " " << r;
    EXPECT_EQ(r.value("schema_version", 0), 1);
    EXPECT_TRUE(
        std::regex_match(r.value("time", ""), std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")))
        << r;
    for (const char* count : {"ok", "absent", "not_in_set", "failed", "differs"})
        EXPECT_TRUE(r["counts"][count].is_number_integer()) << count << " " << r;
    EXPECT_TRUE(r["duration_ms"].is_number_integer()) << r;
}
