// The tokenizer, the structure of stored lines and inputs meant to break the loader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/Script.h"

namespace {

using Lines = std::vector<std::string>;

TEST(Tokenize, SplitsKeywordAndOperandsOutsideQuotes) {
    CScript script;
    std::vector<std::string> tokens;
    ASSERT_TRUE(script.Tokenize("store\t s ,  'a,b'", tokens));
    EXPECT_EQ(tokens, (Lines{"store", "s", "'a,b'"}));
    ASSERT_TRUE(script.Tokenize("SJOIN s, \"x\"\"y,z\"", tokens));
    EXPECT_EQ(tokens, (Lines{"SJOIN", "s", "\"x\"\"y,z\""}));
    ASSERT_TRUE(script.Tokenize("::a, b", tokens));
    EXPECT_EQ(tokens, (Lines{"::a, b"}));
}

TEST(Tokenize, RefusesUnknownKeywordsAndWrongCounts) {
    CScript script;
    std::vector<std::string> tokens;
    EXPECT_FALSE(script.Tokenize("RET", tokens));  // no blank: no keyword at all
    EXPECT_FALSE(script.Tokenize("FOO x", tokens));
    EXPECT_FALSE(script.Tokenize("JMP a, b", tokens));
    // An unterminated quote swallows the final comma: the last operand is lost.
    EXPECT_FALSE(script.Tokenize("STORE s, \"abc", tokens));
    EXPECT_FALSE(script.Tokenize("COMMWRITE a", tokens));
}

TEST(Load, TooShortSectionFailsWithoutReport) {
    CScript script;
    EXPECT_FALSE(script.Load({":Begin;"}));
    EXPECT_EQ(script.ErrorText(), "");
}

TEST(Load, ClearsEarlierState) {
    CScript script;
    ASSERT_TRUE(script.Load({":VarBegin;", "var INT a;", ":VarEnd;", ":Begin;", ":End;"}));
    ASSERT_NE(script.FindVar("a"), nullptr);
    ASSERT_FALSE(script.Load({":Begin;", "JMP a, b;", "::l;", ":End;"}));
    EXPECT_EQ(script.FindVar("a"), nullptr);
    EXPECT_EQ(script.ErrorText(), "   2 JMP a, b;\n");
}

TEST(Load, SystemVariablesComeWithEveryLoad) {
    CScript script;
    ASSERT_TRUE(script.Load({":Begin;", ":End;"}));
    bool isSystem = false;
    const CVarItem* status = script.FindVar("@COMM_STATUS", &isSystem);
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(isSystem);
    EXPECT_EQ(status->Type(), kTypeInt);
    EXPECT_EQ(script.FindVar("@RET_VALUE")->Type(), kTypeString);
}

TEST(Hostile, HundredThousandLineSectionIsRefusedCleanly) {
    Lines lines{":VarBegin;", "var INT n;", ":VarEnd;", ":Begin;"};
    for (int i = 0; i < 100000; ++i) lines.push_back("ADD n, 1;");
    lines.push_back(":End;");
    CScript script;
    EXPECT_FALSE(script.Load(lines));
    // Line indexes are 16-bit: the first statement that does not fit is reported.
    EXPECT_EQ(script.ErrorText(), "65540 ADD n, 1;\n");
}

TEST(Hostile, LongestRoutineThatFitsRuns) {
    Lines lines{":VarBegin;", "var INT n;", ":VarEnd;", ":Begin;"};
    for (int i = 0; i < 65534; ++i) lines.push_back("ADD n, 1;");
    lines.push_back(":End;");
    CScript script;
    ASSERT_TRUE(script.Load(lines)) << script.ErrorText().substr(0, 200);
    CVarItem result;
    EXPECT_TRUE(script.Run(result));
    EXPECT_EQ(script.FindVar("n")->GetNumber(), 65534u);
}

TEST(Hostile, BinaryBytesAreReportedNotFatal) {
    std::string binary;
    for (int c = 0; c < 256; ++c) binary += static_cast<char>(c);
    CScript script;
    EXPECT_FALSE(script.Load({":Begin;", binary, "ADD\x01\xff x, \x80;", ":End;"}));
    EXPECT_NE(script.ErrorText().find("   3 ADD"), std::string::npos);
}

TEST(Hostile, UnterminatedQuotesFailTheirLine) {
    CScript script;
    EXPECT_FALSE(script.Load({":VarBegin;", "var STRING s;", ":VarEnd;", ":Begin;",
                              "STORE s, \"abc;", "STORE s, 'x, \"y\";", ":End;"}));
    EXPECT_EQ(script.ErrorText(), "   5 STORE s, \"abc;\n   6 STORE s, 'x, \"y\";\n");
}

TEST(Hostile, TenThousandLabelsResolveAtLoad) {
    Lines lines{":VarBegin;", "var INT n;", ":VarEnd;", ":Begin;"};
    // Every jump goes to the label just after the next one, so the run walks the whole chain.
    for (int i = 0; i < 10000; ++i) {
        lines.push_back("::l" + std::to_string(i) + ";");
        lines.push_back("ADD n, 1;");
        lines.push_back("JMP ::l" + std::to_string(i + 1) + ";");
    }
    lines.push_back("::l10000;");
    lines.push_back(":End;");
    CScript script;
    ASSERT_TRUE(script.Load(lines));
    CVarItem result;
    EXPECT_TRUE(script.Run(result));
    EXPECT_EQ(script.FindVar("n")->GetNumber(), 10000u);
}

TEST(Hostile, DeepBackwardJumpChainRuns) {
    // Labels in reverse order: each jump goes far backwards through the routine.
    const int depth = 20000;
    Lines lines{":VarBegin;", "var INT n;", ":VarEnd;", ":Begin;", "JMP ::d0;"};
    for (int i = depth - 1; i >= 0; --i) {
        lines.push_back("::d" + std::to_string(i) + ";");
        lines.push_back("ADD n, 1;");
        lines.push_back(i + 1 < depth ? "JMP ::d" + std::to_string(i + 1) + ";" : "RET n;");
    }
    lines.push_back(":End;");
    CScript script;
    ASSERT_TRUE(script.Load(lines));
    CVarItem result;
    EXPECT_TRUE(script.Run(result));
    EXPECT_EQ(result.GetNumber(), static_cast<uint32_t>(depth));
}

TEST(Run, SecondRunKeepsVariablesAndStartsAtTheTop) {
    CScript script;
    ASSERT_TRUE(script.Load(
        {":VarBegin;", "var INT n;", ":VarEnd;", ":Begin;", "ADD n, 2;", "RET n;", ":End;"}));
    CVarItem result;
    EXPECT_TRUE(script.Run(result));
    EXPECT_TRUE(script.Run(result));
    EXPECT_EQ(result.GetNumber(), 4u);
    EXPECT_EQ(result.Name(), "n");
}

TEST(Run, StepLimitIsAdjustable) {
    CScript script;
    ASSERT_TRUE(script.Load({":VarBegin;", "var INT n;", ":VarEnd;", ":Begin;", "::top;",
                             "ADD n, 1;", "IF n, <, 100, ::top, ::out;", "::out;", ":End;"}));
    script.SetStepLimit(50);
    CVarItem result;
    EXPECT_FALSE(script.Run(result));
    script.SetStepLimit(CScript::kDefaultStepLimit);
    EXPECT_TRUE(script.Run(result));
    EXPECT_EQ(script.FindVar("n")->GetNumber(), 100u);
}

}  // namespace
