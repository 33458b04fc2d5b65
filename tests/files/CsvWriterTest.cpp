#include "files/CsvWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FileTestUtil.h"

namespace {

const SLocaleSeparators kComma{".", ","};
const SLocaleSeparators kSemicolon{",", ";"};

std::string Export(const SLocaleSeparators& seps, const std::string& title,
                   const std::vector<std::tuple<long, std::string, std::string>>& records) {
    TempFolder dir;
    const auto path = dir.File("out.csv");
    CCsvWriter w(seps);
    EXPECT_TRUE(w.Open(path));
    w.SetTitle(title);
    w.WriteTitle();
    w.AddColumn("");
    w.AddColumn("Name");
    w.AddColumn("Value");
    w.WriteColumnHeader();
    for (const auto& [n, name, value] : records) {
        w.SetRecord(n, name, w.LocalizeDecimal(value));
        EXPECT_TRUE(w.WriteRecord());
    }
    w.SetFooter("2026/12/06 10:20:30");
    w.WriteFooter();
    EXPECT_TRUE(w.Close());
    return ReadAll(path);
}

}  // namespace

TEST(CsvWriter, RegionalSeparatorsAndCrLf) {
    EXPECT_EQ(Export(kSemicolon, "VX40", {{12, "Temp", "123.4"}}),
              "VX40\r\n;Name;Value\r\n12;Temp;123,4\r\n2026/12/06 10:20:30\r\n");
    EXPECT_EQ(Export(kComma, "VX40", {{-5, "Low", "-0.5"}}),
              "VX40\r\n,Name,Value\r\n-5,Low,-0.5\r\n2026/12/06 10:20:30\r\n");
}

TEST(CsvWriter, AnEmptyTitleLeavesOutTheTitleLine) {
    EXPECT_EQ(Export(kComma, "", {}), ",Name,Value\r\n2026/12/06 10:20:30\r\n");
}

TEST(CsvWriter, FieldsThatWouldBreakTheTableAreQuoted) {
    EXPECT_EQ(Export(kComma, "A,B", {{1, "Set \"1\"", "5"}, {2, "two\nlines", "1,5"}}),
              "\"A,B\"\r\n,Name,Value\r\n1,\"Set \"\"1\"\"\",5\r\n2,\"two\nlines\",\"1,5\"\r\n"
              "2026/12/06 10:20:30\r\n");
    // A semicolon is only special where it is the separator.
    EXPECT_EQ(Export(kComma, "", {{3, "a;b", "1"}}),
              ",Name,Value\r\n3,a;b,1\r\n2026/12/06 10:20:30\r\n");
}

TEST(CsvWriter, RefusalsAndEmptyTexts) {
    CCsvWriter w(kComma);
    EXPECT_FALSE(w.Open(""));
    EXPECT_FALSE(w.WriteLine("x", true));
    EXPECT_FALSE(w.SetTitle(""));
    EXPECT_FALSE(w.SetFooter(""));
    EXPECT_FALSE(w.WriteColumnHeader());
    w.AddColumn("a");
    EXPECT_EQ(w.GetColumn(0), "a");
    EXPECT_EQ(w.GetColumn(-1), "");
    EXPECT_EQ(w.GetColumn(1), "");
}

TEST(CsvWriter, AFailedExportKeepsThePreviousFile) {
    TempFolder dir;
    const auto path = dir.File("out.csv");
    WriteAll(path, "previous");
    {
        CCsvWriter w(kComma);
        ASSERT_TRUE(w.Open(path));
        ASSERT_TRUE(w.WriteLine("half", true));
        // Destroyed without Close(): the export did not complete.
    }
    EXPECT_EQ(ReadAll(path), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(CsvWriter, CannotCreateInAMissingFolder) {
    TempFolder dir;
    CCsvWriter w(kComma);
    EXPECT_FALSE(w.Open(dir.File("missing/out.csv")));
    EXPECT_EQ(w.ErrorCode(), ENOENT);
    EXPECT_FALSE(w.ErrorText().empty());
}
