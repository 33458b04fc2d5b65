#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/MenuParamTable.h"
#include "params/OperatorReport.h"
#include "params/ParamTableFile.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

namespace {

// An item line with number `number`; the other fields are plain and valid.
std::string Item(int number, const std::string& name = "P") {
    return "{" + name + ",0A00;1;2;0;1;0,1A00;1;2;0;1;0;4,0,,,,1,0," + std::to_string(number) +
           ",0,0}\n";
}

class RecordingReport : public OperatorReport {
  public:
    void ShowReason(const SReason& why) override { errors.push_back(English(why)); }
    std::vector<std::string> errors;
};

class ParamTableLoad : public ::testing::Test {
  protected:
    bool Load(const std::string& content) {
        table.Clear();
        last = table.Load(folder.Write("table.prm", content), &report);
        return last.Ok();
    }

    TempFolder folder;
    CMenuParamTable table;
    SResult last;
    RecordingReport report;
};

}  // namespace

TEST_F(ParamTableLoad, ReadsOneItemPerLineAfterTheSectionLineAndSkipsBadLines) {
    std::string twoOnOneLine = Item(1, "First");
    twoOnOneLine.pop_back();
    ASSERT_EQ(Load(Item(99) + "[paramlist]\n; comment {X}\n" + Item(3, "Three") + "\n  " +
                   Item(1, "One") + twoOnOneLine + Item(2, "Second") + "{unclosed,\n" +
                   "{P,0A;1;2;0;1;1,1A;1;2;0;1;1;4,0,,,,1,0,3,0,}\n" + "[DownloadList]\n" +
                   Item(5, "Five")),
              1);
    ASSERT_EQ(table.GetCount(), 4u);
    EXPECT_EQ(table.GetItem(0)->name, "Three");
    EXPECT_EQ(table.GetItem(1)->name, "One");
    EXPECT_EQ(table.GetItem(2)->name, "First");
    EXPECT_EQ(table.GetItem(3)->name, "Five");
    EXPECT_EQ(table.GetItem(4), nullptr);
    EXPECT_EQ(table.FindByNumber(1)->name, "One");  // the first item of a number
    EXPECT_EQ(table.FindByNumber(2), nullptr);
    EXPECT_EQ(table.IndexOfNumber(5), 3);
    // The two damaged item lines are not lost unannounced.
    EXPECT_EQ(report.errors,
              std::vector<std::string>{"2 item lines of " + folder.File("table.prm") + " skipped"});
}

TEST_F(ParamTableLoad, ATableWithoutItemsOrUnreadableFailsAndSaysWhy) {
    LogCapture log;
    // The section line is compared whole.
    EXPECT_EQ(Load("[ParamList] ; items\n" + Item(1)), 0);
    EXPECT_EQ(last.message, folder.File("table.prm") + " has no [ParamList] section");
    EXPECT_EQ(Load("[ParamList]\n"), 0);  // no item
    EXPECT_EQ(last.message, folder.File("table.prm") + " has no valid item");
    EXPECT_TRUE(report.errors.empty());
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(Load("[ParamList]\n{broken}\n"), 0);
    const std::string skipped = "1 item lines of " + folder.File("table.prm") + " skipped";
    EXPECT_EQ(report.errors, std::vector<std::string>{skipped});
    EXPECT_EQ(log.Text(), skipped + "\n");

    report.errors.clear();
    log.Clear();
    const std::string text = folder.Slash() + "missing.prm No such file or directory";
    EXPECT_EQ(table.Load(folder.Slash() + "missing.prm", &report).message, text);
    EXPECT_EQ(report.errors, std::vector<std::string>{text});
    EXPECT_EQ(log.Text(), text + "\n");
}

TEST_F(ParamTableLoad, ReadsOrderSectionsByLeadingNumber) {
    ASSERT_EQ(Load("[ParamList]\n" + Item(12) +
                   "[Upload]\n12=ABC\n12\nNo12=1\n;7=1\n 40 = x\n-1=neg\n70000=wrap\n"
                   "[downloadlist]\n3=1\n1=1\n"),
              1);
    std::vector<uint16_t> upload;
    for (size_t i = 0; i < table.GetUploadCount(); ++i) upload.push_back(table.GetUploadNumber(i));
    EXPECT_EQ(upload, (std::vector<uint16_t>{12, 12, 40, 65535, 4464}));
    EXPECT_EQ(table.GetDownloadCount(), 2u);
    EXPECT_EQ(table.GetDownloadNumber(0), 3);
    EXPECT_EQ(table.GetDownloadNumber(2), CMenuParamTable::kNoNumber);
    EXPECT_EQ(table.GetUploadNumber(99), CMenuParamTable::kNoNumber);
}

TEST_F(ParamTableLoad, HostileFilesLoadWhatIsValidOrFailCleanly) {
    std::string binary("[ParamList]\n\x01\x00\xff{\x00\x7f}\n", 18);
    EXPECT_EQ(Load(binary), 0);

    std::string longLine = "{" + std::string(200000, 'x') + "}\n";
    std::string manyFields = "{" + std::string(200000, ',') + "}\n";
    std::string absurd =
        "{Big,0A;999999999999;-7;4294967297;1;77777777777,1A;1;1;1;1;1;-40,"
        "99999999999999999999,,,,-2147483649,65536,4294967301,5,0}\n";
    ASSERT_EQ(Load("[ParamList]\n" + longLine + manyFields + binary + absurd + Item(2)), 1);
    ASSERT_EQ(table.GetCount(), 2u);
    const CMenuParamItem* big = table.GetItem(0);
    EXPECT_EQ(big->number, 5);  // low 32 bits of 4294967301
    EXPECT_EQ(big->WriteMode16(), 0);
    EXPECT_EQ(big->SetValueToRaw("10"), "A");  // a negative digit count pads nothing
}

TEST_F(ParamTableLoad, KeepsAtMostTheSixteenBitItemCount) {
    std::string content = "[ParamList]\n";
    std::string upload = "[Upload]\n";
    for (int n = 0; n < 65540; ++n) {
        content += Item(n);
        upload += std::to_string(n) + "=1\n";
    }
    ASSERT_EQ(Load(content + upload), 1);
    EXPECT_EQ(table.GetCount(), CMenuParamTable::kMaxItems);
    EXPECT_EQ(report.errors,
              std::vector<std::string>{"5 item lines of " + folder.File("table.prm") + " skipped"});
    EXPECT_EQ(table.GetUploadCount(), 65540u);  // the whole order, not a cut buffer
    EXPECT_EQ(table.FindByNumber(65534)->number, 65534);
    EXPECT_EQ(table.FindByNumber(65535), nullptr);
}
