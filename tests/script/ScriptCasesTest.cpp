// Runs every script case file: adding a case is adding a file under cases/.
#include <gtest/gtest.h>

#include <sstream>

#include "ScriptCaseRunner.h"
#include "script/Script.h"

namespace {

std::string Render(const CVarItem& var) {
    if (var.Type() == kTypeString) return "\"" + var.GetString() + "\"";
    return std::to_string(var.GetNumber());
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

class ScriptCases : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptCases, BehavesAsWritten) {
    const ScriptCase c = ReadScriptCase(ScriptCaseFolder() + "/" + GetParam());
    CScript script;
    ASSERT_EQ(script.Load(c.lines), c.loadOk) << script.ErrorText();
    EXPECT_EQ(SplitLines(script.ErrorText()), c.errors);
    if (!c.loadOk) return;

    CVarItem result;
    EXPECT_EQ(script.Run(result), c.runOk);
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
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param.substr(0, info.param.rfind('.'));
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, ScriptCases,
                         ::testing::ValuesIn(ListScriptCases(ScriptCaseFolder())), CaseName);

}  // namespace
