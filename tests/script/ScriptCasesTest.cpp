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
// A case with quadrel, at, sim or stop-after runs as unit 1 on a simulated line (the model
// request answered):
//   #! quadrel <code>=<data> an answer of the unit (also #! at)
//   #! sim [options]         the line's faults, as vexa-sim's options give them
//   #! sent <count>          the commands the unit has handled after the run
//   #! hooks <count>         the failed attempts the port's attempt hook was told of
//   #! stop-after <asks>     the operator stops the wait when asked this many times more,
//                            the port waiting in short slices as the desktop program does
// Any other directive fails the case.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
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

// The lines of a routine section and the expectations of its case file, by directive.
struct ScriptCase {
    std::vector<std::string> lines;
    std::multimap<std::string, std::string> expected;

    std::vector<std::string> All(const std::string& directive) const {
        std::vector<std::string> texts;
        for (auto [at, end] = expected.equal_range(directive); at != end; ++at)
            texts.push_back(at->second);
        return texts;
    }
    // The text of the directive, "" when the case has none.
    std::string One(const std::string& directive) const {
        const auto at = expected.find(directive);
        return at == expected.end() ? "" : at->second;
    }
    // Compares with the text of the directive where the case has one.
    void Check(const std::string& directive, const std::string& actual) const {
        if (const std::string text = One(directive); !text.empty()) {
            EXPECT_EQ(actual, text) << directive;
        }
    }
    bool OnLine() const {
        return expected.count("quadrel") + expected.count("at") + expected.count("sim") +
                   expected.count("stop-after") >
               0;
    }
};

ScriptCase ReadScriptCase(const std::string& path) {
    static const std::set<std::string> kDirectives = {
        "load",    "error",   "run", "runs", "var",  "ret",   "ret-name",  "log",
        "log-has", "quadrel", "at",  "sim",  "sent", "hooks", "stop-after"};
    ScriptCase result;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("#! ", 0) != 0) {
            if (!line.empty()) result.lines.push_back(line);
            continue;
        }
        const size_t space = line.find(' ', 3);
        const std::string directive = line.substr(3, space - 3);
        EXPECT_EQ(kDirectives.count(directive), 1u) << path << ": " << line;
        result.expected.emplace(directive,
                                space == std::string::npos ? "" : line.substr(space + 1));
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

class ScriptCases : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptCases, BehavesAsWritten) {
    const ScriptCase c = ReadScriptCase(VEXA_SCRIPT_CASES_DIR "/" + GetParam());
    CScript script;
    SimBus sim;
    CFramePort port;
    int hooks = 0, asked = 0;
    if (c.OnLine()) {
        SimOptions options;
        std::string error;
        std::istringstream words(c.One("sim"));
        const std::vector<std::string> faults{std::istream_iterator<std::string>(words), {}};
        ASSERT_TRUE(ParseSimOptions(faults, options, error)) << error;
        sim.SetFaults(options.Faults);
        SimProfile unit;
        for (const char* kind : {"quadrel", "at"}) {
            for (const std::string& answer : c.All(kind))
                (kind[0] == 'q' ? unit.QuadrelAnswers
                                : unit.AtAnswers)[answer.substr(0, answer.find('='))] =
                    answer.substr(answer.find('=') + 1);
        }
        sim.SetResponder(1, std::make_shared<CannedResponder>(unit));
        ASSERT_TRUE(sim.Start()) << sim.Error();
        ASSERT_TRUE(port.SetSettings(sim.SlavePath(), 38400, 7, 2, 2) && port.Open());
        script.SetPort(&port);
        script.SetUnitNumber(1);
        port.SetAttemptHook([&hooks] { ++hooks; });
        if (!c.One("stop-after").empty()) {
            port.SetPumpHook([] {});
            port.SetCancelCheck([&] { return ++asked > std::stoi(c.One("stop-after")); });
        }
    }
    const bool loads = c.One("load") != "fail";
    ASSERT_EQ(script.Load(c.lines), loads) << script.ErrorText();
    EXPECT_EQ(SplitLines(script.ErrorText()), c.All("error"));
    if (!loads) return;

    const LogCapture log;
    CVarItem result;
    result.Set("old", kTypeInt, 5);
    const int runs = c.One("runs").empty() ? 1 : std::stoi(c.One("runs"));
    for (int run = 0; run < runs; ++run) EXPECT_EQ(script.Run(result), c.One("run") != "fail");
    const std::vector<std::string> lines = SplitLines(log.Text());
    if (!c.All("log").empty()) {
        EXPECT_EQ(lines, c.All("log"));
    }
    for (const std::string& line : c.All("log-has"))
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    if (!c.One("sent").empty()) {
        // The bus counts a command after it has answered it.
        sim.WaitForCommands(std::stoul(c.One("sent")), std::chrono::seconds(2));
    }
    c.Check("sent", std::to_string(sim.CommandsHandled()));
    c.Check("hooks", std::to_string(hooks));
    for (const std::string& var : c.All("var")) {
        const std::string name = var.substr(0, var.find(" = "));
        ASSERT_NE(script.FindVar(name), nullptr) << name;
        EXPECT_EQ(name + " = " + Render(*script.FindVar(name)), var);
    }
    std::string ret = std::to_string(result.Type());
    if (result.Type() != kTypeNone) ret += " " + Render(result);
    c.Check("ret", ret);
    c.Check("ret-name", result.Name());
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
