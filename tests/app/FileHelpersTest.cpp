#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "app/FileHelpers.h"
#include "app/NumberText.h"
#include "app/Sha256.h"
#include "support/TempFolder.h"

namespace {

using Lines = std::vector<std::string>;

TEST(ReadFileSectionTest, TakesTheFirstExactSectionTrimmedAndReadsHostileFilesSafely) {
    TempFolder dir;
    const std::string file = dir.Write("s.scp",
                                       "[connect]\nwrong case;\n[Connect]\r\n   :Begin;   \r\nAB\n"
                                       "; comment line\n\nMOV a, 1;\n[Next]\nnot taken;\n"
                                       "[Connect]\nsecond section of that name;\n[Empty]\nAB\n");
    Lines lines;
    ASSERT_TRUE(ReadFileSection(file, "Connect", lines));
    EXPECT_EQ(lines, (Lines{":Begin;", "MOV a, 1;"}));
    ASSERT_TRUE(ReadFileSection(file, "connect", lines));  // appends to what the caller has
    EXPECT_EQ(lines.back(), "wrong case;");

    lines.clear();
    EXPECT_FALSE(ReadFileSection(file, "Empty", lines));
    EXPECT_FALSE(ReadFileSection(file, "Missing", lines));
    EXPECT_FALSE(ReadFileSection(dir.File("none.scp"), "Next", lines));
    EXPECT_TRUE(lines.empty());

    // A hostile file is read safely.
    std::string text = "[S]\n" + std::string(100000, 'y') + "\n";
    text += std::string("\0\x01\xff;", 4) + "\n";
    text += "[\xe3\x81\x82]\nmultibyte name;\n[T]\nno final line feed;";
    const std::string hostile = dir.Write("h.scp", text);
    ASSERT_TRUE(ReadFileSection(hostile, "S", lines));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 100000u);
    EXPECT_EQ(lines[1], std::string("\0\x01\xff;", 4));
    ASSERT_TRUE(ReadFileSection(hostile, "\xe3\x81\x82", lines));
    ASSERT_TRUE(ReadFileSection(hostile, "T", lines));
    EXPECT_EQ(lines, (Lines{lines[0], lines[1], "multibyte name;", "no final line feed;"}));
}

TEST(SplitStringTest, PiecesBetweenDelimiters) {
    const std::pair<std::string, Lines> cases[] = {
        {"", {}}, {"a;b;", {"a", "b"}}, {"a;;b", {"a", "", "b"}}, {";", {""}}};
    for (const auto& [text, expected] : cases) {
        Lines pieces{"stale"};
        SplitString(text, ';', pieces);
        EXPECT_EQ(pieces, expected) << "text: " << text;
    }
}

TEST(CopyWholeFileTest, CopiesEveryByteOverTheTargetAndNamesTheFileItFailsOn) {
    TempFolder dir;
    for (size_t size : {size_t{0}, size_t{4096}, size_t{10000}}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
        dir.Write("src", bytes);
        dir.Write("dst", std::string(20000, 'o'));
        ASSERT_TRUE(CopyWholeFile(dir.File("src"), dir.File("dst"))) << size;
        EXPECT_EQ(dir.Read("dst"), bytes) << size;
    }

    FileError error;
    EXPECT_FALSE(CopyWholeFile(dir.File("missing"), dir.File("dst"), &error));
    EXPECT_EQ(error.code, ENOENT);
    EXPECT_EQ(error.fileName, dir.File("missing"));
    EXPECT_FALSE(CopyWholeFile(dir.File("src"), dir.File("no/such/folder"), &error));
    EXPECT_EQ(error.fileName, dir.File("no/such/folder"));
}

TEST(GetFileDateTest, LastWriteTimeInUniversalTimeElseUntouched) {
    TempFolder dir;
    const std::string file = dir.Write("t.tbl", "x");
    // 2024-02-29 23:59:58.250 UTC, a Thursday.
    const timespec times[2] = {{1709251198, 250000000}, {1709251198, 250000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    FileDateTime d;
    ASSERT_TRUE(GetFileDate(file, d));
    EXPECT_EQ((std::vector<int>{d.year, d.month, d.day, d.dayOfWeek, d.hour, d.minute, d.second,
                                d.milliseconds}),
              (std::vector<int>{2024, 2, 29, 4, 23, 59, 58, 250}));
    EXPECT_FALSE(GetFileDate(dir.File("missing"), d));
    EXPECT_EQ(d.year, 2024);
}

TEST(ScanDecimalIntTest, ReadsLikePercentD) {
    const struct {
        std::string text;
        bool ok;
        int32_t value;
    } cases[] = {{"  -7abc", true, -7}, {"0x1F", true, 0},       {"", false, 0},
                 {"- 1", false, 0},     {"4294967297", true, 1}, {"-2147483648", true, INT32_MIN}};
    for (const auto& c : cases) {
        int32_t value = 0;
        EXPECT_EQ(ScanDecimalInt(c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;  // a failed scan leaves it as it was
    }
}

TEST(Sha256Test, KnownDigests) {
    const struct {
        std::string bytes;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the first block.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Sha256Hex(c.bytes), c.digest) << c.bytes.size();
}

}  // namespace
