#include <gtest/gtest.h>

#include "files/ParamFile.h"
#include "files/ParameterSet.h"
#include "params/MenuParamTable.h"
#include "support/TempFolder.h"
#include "support/TestModel.h"

namespace {

using Records = std::vector<std::pair<int, std::string>>;

// The test model's table, holding a set value the tests expect to survive a refusal.
class ParameterSetLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestModel(dir);
        ASSERT_EQ(table.Load(dir.File("TS01.prm")), 1);
        table.FindByNumber(1)->setValue = "111";
    }

    // A file of the test model with these records, and `tail` bytes of one more.
    std::string Write(const Records& records, size_t tail = 0) {
        const std::string path = dir.File("set.tmf");
        CParamFile file;
        bool ok = file.Open(path, CParamFile::Mode::Write) &&
                  file.WriteDate("2026/12/06 10:20:30") && file.WriteName("TS01 test controller");
        for (const auto& [number, value] : records) ok = ok && file.WriteRecord(number, 0, value);
        EXPECT_TRUE(ok && file.Commit());
        return dir.Write("set.tmf", dir.Read("set.tmf") + std::string(tail, '\x01'));
    }

    SResult Load(const std::string& path) {
        return LoadParameterSet(table, path, "TS01 test controller", notes);
    }

    TempFolder dir;
    CMenuParamTable table;
    SSetFileNotes notes;
};

}  // namespace

TEST_F(ParameterSetLoad, ADamagedRecordRefusesTheWholeFileAndIsNamed) {
    const struct {
        Records records;
        std::string why;
    } cases[] = {
        {{{1, "2600junk"}},
         "record 1, parameter 1 (Set point), set value \"2600junk\": "
         "not a plain decimal integer"},
        {{{2, "1"}, {1, "0x10"}},
         "record 2, parameter 1 (Set point), set value \"0x10\": "
         "not a plain decimal integer"},
        {{{1, "4294967396"}},
         "record 1, parameter 1 (Set point), set value \"4294967396\": "
         "out of range (0 to 65535)"},
        {{{4, "3"}, {1, "250"}, {4, "5"}},
         "record 3, parameter 4 (Input type), set value \"5\": "
         "given twice (first in record 1)"},
        // Not this model's parameter, still a damaged file.
        {{{1, "250"}, {77, "abc"}},
         "record 2, parameter 77, set value \"abc\": "
         "not a plain decimal integer"},
    };
    for (const auto& c : cases) {
        const std::string path = Write(c.records);
        const SResult result = Load(path);
        EXPECT_EQ(result.code, ResultCode::kFileError) << c.why;
        EXPECT_EQ(result.message, path + " is refused: " + c.why);
        EXPECT_EQ(table.FindByNumber(1)->setValue, "111") << c.why;
    }
}

TEST_F(ParameterSetLoad, AFileCutInsideARecordGivesItsWholeRecordsAndSaysWhere) {
    ASSERT_TRUE(Load(Write({{1, "+250"}, {6, "0123"}}, 17)).Ok());
    EXPECT_EQ(notes.cutInsideRecord, 3u);
    // Taken as the numbers they are, spelt as a save spells them.
    EXPECT_EQ(table.FindByNumber(1)->setValue, "250");
    EXPECT_EQ(table.FindByNumber(6)->setValue, "123");
    EXPECT_EQ(CutRefusalText("set.tmf", notes.cutInsideRecord, table),
              "set.tmf is refused: cut inside record 3 of 5");

    ASSERT_TRUE(Load(Write({{1, "250"}})).Ok());
    EXPECT_EQ(notes.cutInsideRecord, 0u);
}
