// Loader state and inputs meant to break the loader or the run; statement forms and literal
// readers are case files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/Script.h"

namespace {

using Lines = std::vector<std::string>;

// A routine with the INT variable n around the given statements.
Lines WithCounter(const Lines& statements) {
    Lines lines{":VarBegin;", "var INT n;", ":VarEnd;", ":Begin;"};
    lines.insert(lines.end(), statements.begin(), statements.end());
    lines.push_back(":End;");
    return lines;
}

TEST(Load, TooShortSectionFailsWithoutReportAndEveryLoadClearsEarlierState) {
    CScript script;
    EXPECT_FALSE(script.Load({":Begin;"}));
    EXPECT_EQ(script.ErrorText(), "");
    ASSERT_TRUE(script.Load(WithCounter({})));
    ASSERT_NE(script.FindVar("n"), nullptr);
    ASSERT_FALSE(script.Load({":Begin;", "JMP a, b;", "::l;", ":End;"}));
    EXPECT_EQ(script.FindVar("n"), nullptr);
    EXPECT_EQ(script.ErrorText(), "   2 JMP a, b;\n");
}

TEST(Hostile, TheLongestRoutineThatFitsRunsAndALongerOneIsRefusedCleanly) {
    CScript script;
    EXPECT_FALSE(script.Load(WithCounter(Lines(100000, "ADD n, 1;"))));
    // Line indexes are 16-bit: the first statement that does not fit is reported.
    EXPECT_EQ(script.ErrorText(), "65540 ADD n, 1;\n");
    ASSERT_TRUE(script.Load(WithCounter(Lines(65534, "ADD n, 1;"))))
        << script.ErrorText().substr(0, 200);
    CVarItem result;
    EXPECT_TRUE(script.Run(result));
    EXPECT_EQ(script.FindVar("n")->GetNumber(), 65534u);
}

TEST(Hostile, BinaryBytesFailTheirLineOnly) {
    std::string binary;
    for (int c = 0; c < 256; ++c) binary += static_cast<char>(c);
    CScript script;
    EXPECT_FALSE(script.Load({":Begin;", binary, "ADD\x01\xff x, \x80;", ":End;"}));
    EXPECT_NE(script.ErrorText().find("   3 ADD"), std::string::npos);
}

TEST(Hostile, DeepJumpChainsRun) {
    // Forward: every jump skips to the label after the next one.
    Lines forward;
    for (int i = 0; i < 10000; ++i) {
        forward.push_back("::l" + std::to_string(i) + ";");
        forward.push_back("ADD n, 1;");
        forward.push_back("JMP ::l" + std::to_string(i + 1) + ";");
    }
    forward.push_back("::l10000;");
    CScript script;
    ASSERT_TRUE(script.Load(WithCounter(forward)));
    CVarItem result;
    EXPECT_TRUE(script.Run(result));
    EXPECT_EQ(script.FindVar("n")->GetNumber(), 10000u);

    // Backward: labels in reverse order, each jump goes far back through the routine.
    const int depth = 20000;
    Lines backward{"JMP ::d0;"};
    for (int i = depth - 1; i >= 0; --i) {
        backward.push_back("::d" + std::to_string(i) + ";");
        backward.push_back("ADD n, 1;");
        backward.push_back(i + 1 < depth ? "JMP ::d" + std::to_string(i + 1) + ";" : "RET n;");
    }
    ASSERT_TRUE(script.Load(WithCounter(backward)));
    EXPECT_TRUE(script.Run(result));
    EXPECT_EQ(result.GetNumber(), static_cast<uint32_t>(depth));
}

}  // namespace
