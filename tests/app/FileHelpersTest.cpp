#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "app/FileHelpers.h"
#include "app/NumberText.h"
#include "support/TempFolder.h"

namespace {

using Lines = std::vector<std::string>;
using ::testing::StartsWith;

TEST(ReadFileSectionTest, TakesTheTrimmedContentOfTheExactSection) {
    TempFolder dir;
    const std::string file = dir.Write("s.scp",
                                       "[connect]\n"
                                       "wrong case;\n"
                                       "[Connect]\r\n"
                                       "   :Begin;   \r\n"
                                       "AB\n"
                                       "; comment line\n"
                                       "\n"
                                       "MOV a, 1;\n"
                                       "[Next]\n"
                                       "not taken;\n"
                                       "[Connect]\n"
                                       "second section of that name;\n");
    Lines lines;
    ASSERT_TRUE(ReadFileSection(file, "Connect", lines));
    EXPECT_EQ(lines, (Lines{":Begin;", "MOV a, 1;"}));
    // Appends to what the caller has.
    ASSERT_TRUE(ReadFileSection(file, "connect", lines));
    EXPECT_EQ(lines.back(), "wrong case;");
}

TEST(ReadFileSectionTest, FailsWhenNothingIsFound) {
    TempFolder dir;
    const std::string file = dir.Write("s.scp", "[Empty]\n; only a comment\nAB\n[Other]\nline;\n");
    Lines lines;
    EXPECT_FALSE(ReadFileSection(file, "Empty", lines));
    EXPECT_FALSE(ReadFileSection(file, "Missing", lines));
    EXPECT_FALSE(ReadFileSection(dir.File("none.scp"), "Other", lines));
    EXPECT_TRUE(lines.empty());
}

TEST(ReadFileSectionTest, HostileFileIsReadSafely) {
    TempFolder dir;
    std::string text = "[S]\n" + std::string(100000, 'y') + "\n";
    text += std::string("\0\x01\xff;", 4) + "\n";
    text += "[\xe3\x81\x82]\nmultibyte name;\n[T]\nno final line feed;";
    const std::string file = dir.Write("h.scp", text);
    Lines lines;
    ASSERT_TRUE(ReadFileSection(file, "S", lines));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 100000u);
    EXPECT_EQ(lines[1], std::string("\0\x01\xff;", 4));
    lines.clear();
    ASSERT_TRUE(ReadFileSection(file, "\xe3\x81\x82", lines));
    EXPECT_EQ(lines, (Lines{"multibyte name;"}));
    lines.clear();
    ASSERT_TRUE(ReadFileSection(file, "T", lines));
    EXPECT_EQ(lines, (Lines{"no final line feed;"}));
}

TEST(SplitStringTest, PiecesBetweenDelimiters) {
    struct Case {
        std::string text;
        Lines pieces;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a;b;c", {"a", "b", "c"}},
        {"a;b;", {"a", "b"}},
        {"a;;b", {"a", "", "b"}},
        {";a", {"", "a"}},
        {";", {""}},
    };
    for (const Case& c : cases) {
        Lines pieces{"stale"};
        SplitString(c.text, ';', pieces);
        EXPECT_EQ(pieces, c.pieces) << "text: " << c.text;
    }
}

TEST(CopyWholeFileTest, CopiesEveryByteAndReplacesTheTarget) {
    TempFolder dir;
    for (size_t size : {size_t{0}, size_t{4095}, size_t{4096}, size_t{10000}}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
        dir.Write("src", bytes);
        dir.Write("dst", std::string(20000, 'o'));
        ASSERT_TRUE(CopyWholeFile(dir.File("src"), dir.File("dst"))) << size;
        EXPECT_EQ(dir.Read("dst"), bytes) << size;
    }
}

TEST(CopyWholeFileTest, FailuresNameTheFile) {
    TempFolder dir;
    EXPECT_FALSE(CopyWholeFile("", dir.File("dst")));
    FileError error;
    EXPECT_FALSE(CopyWholeFile(dir.File("missing"), dir.File("dst"), &error));
    EXPECT_EQ(error.fileName, dir.File("missing"));
    EXPECT_EQ(error.code, ENOENT);
    EXPECT_THAT(GetSystemErrorText(error), StartsWith(dir.File("missing") + " "));
    EXPECT_EQ(GetSystemErrorText(ENOENT), "No such file or directory");
    dir.Write("src", "x");
    EXPECT_FALSE(CopyWholeFile(dir.File("src"), dir.File("no/such/folder"), &error));
    EXPECT_EQ(error.fileName, dir.File("no/such/folder"));
}

TEST(GetFileDateTest, LastWriteTimeInUniversalTime) {
    TempFolder dir;
    const std::string file = dir.Write("t.tbl", "x");
    // 2024-02-29 23:59:58.250 UTC, a Thursday.
    const timespec times[2] = {{1709251198, 250000000}, {1709251198, 250000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    FileDateTime date;
    ASSERT_TRUE(GetFileDate(file, date));
    EXPECT_EQ(date.year, 2024);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.day, 29);
    EXPECT_EQ(date.dayOfWeek, 4);
    EXPECT_EQ(date.hour, 23);
    EXPECT_EQ(date.minute, 59);
    EXPECT_EQ(date.second, 58);
    EXPECT_EQ(date.milliseconds, 250);

    FileDateTime untouched;
    untouched.year = 1999;
    EXPECT_FALSE(GetFileDate(dir.File("missing"), untouched));
    EXPECT_EQ(untouched.year, 1999);
}

TEST(ScanDecimalIntTest, ReadsLikePercentD) {
    struct Case {
        std::string text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"12", true, 12},        {"  -7abc", true, -7},
        {"+3", true, 3},         {"0x1F", true, 0},
        {"", false, 0},          {"-", false, 0},
        {" x1", false, 0},       {"- 1", false, 0},
        {"4294967297", true, 1}, {"-2147483648", true, INT32_MIN},
    };
    for (const Case& c : cases) {
        int32_t value = 0;
        EXPECT_EQ(ScanDecimalInt(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

}  // namespace
