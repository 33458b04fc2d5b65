// Runs every script case file: adding a case is adding a file under cases/ (literals.cases holds
// the cases of the literal readers, support/CaseFile.h). A case file holds the
// lines of one routine section, with expectations on lines that start with "#!":
//   #! load ok|fail          whether Load succeeds
//   #! error <text>          one line of the parse error text, in order ("%4d %s" form)
//   #! run ok|fail           what Run answers (each time)
//   #! runs <count>          how often the routine runs, variables kept (default 1)
//   #! var <name> = <value>  a variable after the run: numbers in decimal, texts in "quotes"
//                            (control bytes as \xHH)
//   #! ret <type> <value>    the result handed back by Run (type -128 has no value), which held
//                            an INT before the run
//   #! ret-name <name>       the name of that result
//   #! log-has <text>        a line the runs log, anywhere
//   #! log <text>            one line the runs log, in order (without one, the log is not read)
// A case with any of these runs as unit 1 on a simulated line (the model request answered):
//   #! quadrel <code>=<data> an answer of the unit (also #! at)
//   #! sim [options]         the line's faults, as vexa-sim's options give them
//   #! sent <count>          the commands the unit has handled after the run
//   #! hooks <count>         the failed attempts the port's attempt hook was told of
//   #! stop-after <asks>     the operator stops the wait when asked this many times more,
//                            the port waiting in short slices as the desktop program does
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "protocol/FramePort.h"
#include "script/Script.h"
#include "script/ScriptLiterals.h"
#include "sim/CannedResponder.h"
#include "sim/SimBus.h"
#include "sim/SimOptions.h"
#include "support/CaseFile.h"
#include "support/LogCapture.h"

namespace {

struct ScriptCase {
    std::vector<std::string> lines;
    bool loadOk = true;
    std::vector<std::string> errors;
    bool runOk = true;
    std::vector<std::pair<std::string, std::string>> vars;
    std::string ret;  // empty when the case does not check the result
    std::vector<std::string> log, logHas;
    bool onLine = false;
    SimProfile unit;
    std::vector<std::string> faults;
    std::string sent, hooks, stopAfter, retName;
    int runs = 1;
};

bool TakePrefix(std::string& text, const std::string& prefix) {
    if (text.rfind(prefix, 0) != 0) return false;
    text.erase(0, prefix.size());
    return true;
}

ScriptCase ReadScriptCase(const std::string& path) {
    ScriptCase result;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!TakePrefix(line, "#! ")) {
            if (!line.empty()) result.lines.push_back(line);
        } else if (TakePrefix(line, "load ")) {
            result.loadOk = line == "ok";
        } else if (TakePrefix(line, "error ")) {
            result.errors.push_back(line);
        } else if (TakePrefix(line, "run ")) {
            result.runOk = line == "ok";
        } else if (TakePrefix(line, "var ")) {
            const size_t equals = line.find(" = ");
            result.vars.emplace_back(line.substr(0, equals), line.substr(equals + 3));
        } else if (TakePrefix(line, "ret ")) {
            result.ret = line;
        } else if (TakePrefix(line, "log ")) {
            result.log.push_back(line);
        } else if (TakePrefix(line, "log-has ")) {
            result.logHas.push_back(line);
        } else if (TakePrefix(line, "runs ")) {
            result.runs = std::stoi(line);
        } else if (TakePrefix(line, "ret-name ")) {
            result.retName = line;
        } else if (TakePrefix(line, "sent ")) {
            result.sent = line;
        } else if (TakePrefix(line, "hooks ")) {
            result.hooks = line;
        } else if (TakePrefix(line, "stop-after ")) {
            result.stopAfter = line;
            result.onLine = true;
        } else if (TakePrefix(line, "sim")) {
            std::istringstream words(line);
            for (std::string word; words >> word;) result.faults.push_back(word);
            result.onLine = true;
        } else if (line.rfind("quadrel ", 0) == 0 || line.rfind("at ", 0) == 0) {
            const size_t space = line.find(' '), equals = line.find('=');
            (line[0] == 'q' ? result.unit.QuadrelAnswers
                            : result.unit.AtAnswers)[line.substr(space + 1, equals - space - 1)] =
                line.substr(equals + 1);
            result.onLine = true;
        }
    }
    return result;
}

// Every case file, sorted by name. The folder is beside this test's sources.
std::vector<std::string> ListScriptCases() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(VEXA_SCRIPT_CASES_DIR)) {
        if (entry.path().extension() == ".vxs") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Texts in quotes, their control bytes as \xHH.
std::string Render(const CVarItem& var) {
    if (var.Type() != kTypeString) return std::to_string(var.GetNumber());
    std::string text = "\"";
    for (const char byte : var.GetString()) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(byte));
        text +=
            static_cast<unsigned char>(byte) < 0x20 ? std::string(escaped) : std::string(1, byte);
    }
    return text + "\"";
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

class ScriptCases : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptCases, BehavesAsWritten) {
    const ScriptCase c = ReadScriptCase(VEXA_SCRIPT_CASES_DIR "/" + GetParam());
    CScript script;
    SimBus sim;
    CFramePort port;
    int hooks = 0, asked = 0;
    if (c.onLine) {
        SimOptions options;
        std::string error;
        ASSERT_TRUE(ParseSimOptions(c.faults, options, error)) << error;
        sim.SetFaults(options.Faults);
        sim.SetResponder(1, std::make_shared<CannedResponder>(c.unit));
        ASSERT_TRUE(sim.Start()) << sim.Error();
        ASSERT_TRUE(port.SetSettings(sim.SlavePath(), 38400, 7, 2, 2) && port.Open());
        script.SetPort(&port);
        script.SetUnitNumber(1);
        port.SetAttemptHook([&hooks] { ++hooks; });
        if (!c.stopAfter.empty()) {
            port.SetPumpHook([] {});
            port.SetCancelCheck([&] { return ++asked > std::stoi(c.stopAfter); });
        }
    }
    ASSERT_EQ(script.Load(c.lines), c.loadOk) << script.ErrorText();
    EXPECT_EQ(SplitLines(script.ErrorText()), c.errors);
    if (!c.loadOk) return;

    const LogCapture log;
    CVarItem result;
    result.Set("old", kTypeInt, 5);
    for (int run = 0; run < c.runs; ++run) EXPECT_EQ(script.Run(result), c.runOk) << run;
    const std::vector<std::string> lines = SplitLines(log.Text());
    if (!c.log.empty()) {
        EXPECT_EQ(lines, c.log);
    }
    if (!c.sent.empty()) {
        // The bus counts a command after it has answered it.
        sim.WaitForCommands(std::stoul(c.sent), std::chrono::seconds(2));
        EXPECT_EQ(std::to_string(sim.CommandsHandled()), c.sent);
    }
    if (!c.hooks.empty()) {
        EXPECT_EQ(std::to_string(hooks), c.hooks);
    }
    for (const std::string& line : c.logHas) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    for (const auto& [name, value] : c.vars) {
        const CVarItem* var = script.FindVar(name);
        ASSERT_NE(var, nullptr) << name;
        EXPECT_EQ(Render(*var), value) << name;
    }
    if (!c.ret.empty()) {
        std::string expected = std::to_string(result.Type());
        if (result.Type() != kTypeNone) expected += " " + Render(result);
        EXPECT_EQ(expected, c.ret);
    }
    if (!c.retName.empty()) {
        EXPECT_EQ(result.Name(), c.retName);
    }
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param.substr(0, info.param.rfind('.'));
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, ScriptCases, ::testing::ValuesIn(ListScriptCases()), CaseName);

CaseAnswers Read(const ReadNumber& number) {
    return {{"read", CaseBool(number.read)}, {"value", std::to_string(number.value)}};
}

// The literal readers at their edges, as the cases of cases/literals.cases.
TEST(ScriptLiterals, EveryCaseOfTheFileHolds) {
    using Inputs = CaseInputs;
    RunCaseFile(
        VEXA_SCRIPT_CASES_DIR "/literals.cases",
        {{"read-decimal", [](const Inputs& in) { return Read(ReadDecimalText(in[0])); }},
         {"read-hex", [](const Inputs& in) { return Read(ReadHexText(in[0])); }},
         {"quoted-char", [](const Inputs& in) { return std::to_string(QuotedChar(in[0])); }},
         {"quoted-text", [](const Inputs& in) { return QuotedText(in[0]); }},
         {"char-text", [](const Inputs& in) { return CharText(std::stoul(in[0], nullptr, 0)); }},
         {"trim", [](const Inputs& in) { return TrimScriptText(in[0]); }}});
}

}  // namespace
