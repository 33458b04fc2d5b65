#include <gtest/gtest.h>

#include <filesystem>

#include "files/CsvWriter.h"
#include "support/TempFolder.h"

namespace {

const SLocaleSeparators kComma{".", ","};
const std::string kFooter = "2026/12/06 10:20:30\r\n";

std::string Export(const SLocaleSeparators& seps, const std::string& title,
                   const std::vector<std::tuple<long, std::string, std::string>>& records) {
    TempFolder dir;
    CCsvWriter w(seps);
    EXPECT_TRUE(w.Open(dir.File("out.csv")));
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
    return dir.Read("out.csv");
}

}  // namespace

TEST(CsvWriter, SeparatorsQuotingAndCrLf) {
    EXPECT_EQ(Export({",", ";"}, "VX40", {{12, "Temp", "123.4"}}),
              "VX40\r\n;Name;Value\r\n12;Temp;123,4\r\n" + kFooter);
    EXPECT_EQ(Export(kComma, "", {}), ",Name,Value\r\n" + kFooter);
    // A semicolon is only special where it is the separator.
    EXPECT_EQ(Export(kComma, "A,B",
                     {{1, "Set \"1\"", "5"}, {2, "two\nlines", "1,5"}, {-5, "a;b", "-0.5"}}),
              "\"A,B\"\r\n,Name,Value\r\n1,\"Set \"\"1\"\"\",5\r\n2,\"two\nlines\",\"1,5\"\r\n"
              "-5,a;b,-0.5\r\n" +
                  kFooter);
}

TEST(CsvWriter, RefusalsAndOpenFailures) {
    TempFolder dir;
    CCsvWriter w(kComma);
    EXPECT_FALSE(w.Open(""));
    EXPECT_FALSE(w.WriteLine("x", true));
    EXPECT_FALSE(w.WriteColumnHeader());
    w.AddColumn("a");
    EXPECT_EQ(w.GetColumn(-1), "");
    EXPECT_EQ(w.GetColumn(1), "");
    EXPECT_FALSE(w.Open(dir.File("missing/out.csv")));
    EXPECT_EQ(w.ErrorCode(), ENOENT);
    EXPECT_FALSE(w.Error().Empty());
}

TEST(CsvWriter, AFailedExportKeepsThePreviousFile) {
    TempFolder dir;
    const auto path = dir.Write("out.csv", "previous");
    {
        CCsvWriter w(kComma);
        ASSERT_TRUE(w.Open(path));
        ASSERT_TRUE(w.WriteLine("half", true));
        // Destroyed without Close(): the export did not complete.
    }
    EXPECT_EQ(dir.Read("out.csv"), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}
