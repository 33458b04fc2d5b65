#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "files/ParamFile.h"
#include "files/ParameterSetDiff.h"
#include "support/TempFolder.h"

namespace {

std::string Header(const std::string& date, const std::string& name) {
    std::string h(CParamFile::kHeaderSize, '\0');
    h.replace(0, date.size(), date);
    h.replace(CParamFile::kDateSize, name.size(), name);
    return h;
}

std::string Record(int32_t number, int32_t scale, const std::string& value) {
    std::string r(CParamFile::kRecordSize, '\0');
    for (int i = 0; i < 4; ++i) {
        r[i] = static_cast<char>(static_cast<uint32_t>(number) >> (8 * i));
        r[4 + i] = static_cast<char>(static_cast<uint32_t>(scale) >> (8 * i));
    }
    r.replace(8, value.size(), value);
    return r;
}

bool Save(const std::string& path, const std::string& name,
          const std::vector<std::tuple<int, int, std::string>>& records,
          std::string* error = nullptr) {
    CParamFile file;
    bool ok = file.Open(path, CParamFile::Mode::Write) && file.WriteDate("2026/12/06 10:20:30") &&
              file.WriteName(name);
    for (const auto& [number, scale, value] : records)
        ok = ok && file.WriteRecord(number, scale, value);
    ok = ok && file.Commit();
    if (error) *error = English(file.Error());
    return ok;
}

SParameterFileContent Set(std::vector<SParameterFileRecord> records) {
    SParameterFileContent content;
    content.headerRead = true;
    content.records = std::move(records);
    return content;
}

}  // namespace

TEST(ParamFile, WritesTheFixedLayoutLittleEndianWithTheLongestTextsThatFit) {
    TempFolder dir;
    const std::string name(63, 'M'), value(31, '7');
    ASSERT_TRUE(Save(dir.File("set.tmf"), name, {{12, 10, "1234"}, {-3, -1, value}}));
    EXPECT_EQ(dir.Read("set.tmf"),
              Header("2026/12/06 10:20:30", name) + Record(12, 10, "1234") + Record(-3, -1, value));
}

// Fields that fill their whole size carry no terminating zero.
TEST(ParamFile, ReadsFullFieldsAndStopsAtAPartialRecord) {
    TempFolder dir;
    const auto path = dir.Write(
        "set.tmf", std::string(32, 'D') + std::string(64, 'N') + Record(1, 100, "77") +
                       Record(7, 1, "").substr(0, 8) + std::string(32, '9') + std::string(39, 'x'));
    CParamFile file;
    ASSERT_TRUE(file.Open(path, CParamFile::Mode::Read));
    std::string date, name, value;
    ASSERT_TRUE(file.ReadDate(date));
    ASSERT_TRUE(file.ReadName(name));
    EXPECT_EQ(date, std::string(32, 'D'));
    EXPECT_EQ(name, std::string(64, 'N'));
    int32_t number = 0, scale = 0;
    ASSERT_EQ(file.ReadRecord(number, scale, value), 1);
    EXPECT_EQ(std::tie(number, scale, value), std::make_tuple(1, 100, std::string("77")));
    ASSERT_EQ(file.ReadRecord(number, scale, value), 1);
    EXPECT_EQ(std::tie(number, scale, value), std::make_tuple(7, 1, std::string(32, '9')));
    EXPECT_EQ(file.ReadRecord(number, scale, value), 0);
    EXPECT_TRUE(file.EndsInsideRecord());
}

TEST(ParamFile, WhatCannotBeAParameterFileIsRefused) {
    TempFolder dir;
    const auto huge = dir.Write("huge.tmf", "x");
    std::filesystem::resize_file(huge, CParamFile::kMaxReadSize + 1);
    ASSERT_EQ(mkfifo(dir.File("fifo.tmf").c_str(), 0600), 0);
    for (const std::string& path :
         {huge, std::string("/dev/zero"), dir.Path(), dir.File("fifo.tmf")}) {
        const auto start = std::chrono::steady_clock::now();
        CParamFile file;
        EXPECT_FALSE(file.Open(path, CParamFile::Mode::Read)) << path;
        EXPECT_NE(English(file.Error()).find("not a parameter file"), std::string::npos)
            << path << ": " << English(file.Error());
        // A FIFO is refused before open(), which would wait for a writer.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100)) << path;
    }
    // The largest set a table can describe is read.
    const auto largest = dir.Write("largest.tmf", "x");
    std::filesystem::resize_file(largest, CParamFile::kMaxReadSize);
    EXPECT_TRUE(CParamFile().Open(largest, CParamFile::Mode::Read));
    // Shorter than its header: refused where the header ends.
    CParamFile file;
    ASSERT_TRUE(file.Open(dir.Write("short.tmf", std::string(50, 'A')), CParamFile::Mode::Read));
    std::string date, name;
    ASSERT_TRUE(file.ReadDate(date));
    EXPECT_FALSE(file.ReadName(name));
    EXPECT_NE(English(file.Error()).find("not a parameter file"), std::string::npos);
}

TEST(ParamFile, RefusedOrUncommittedSavesLeaveTheOldFileAndNothingElse) {
    TempFolder dir;
    const auto path = dir.File("set.tmf");
    ASSERT_TRUE(Save(path, "VX40", {{1, 1, "5"}}));
    const auto before = dir.Read("set.tmf");

    std::string error;
    // A name the reader would refuse is not written: neither too long nor with control bytes.
    for (const std::string& name : {std::string(64, 'M'), std::string("VX\x1B[2J40")}) {
        EXPECT_FALSE(Save(path, name, {}, &error));
        EXPECT_NE(error.find("model name"), std::string::npos) << error;
    }
    EXPECT_FALSE(Save(path, "VX40", {{1, 1, std::string(32, '1')}}, &error));
    EXPECT_NE(error.find("parameter 1"), std::string::npos);

    // Nor does a save never committed.
    {
        CParamFile file;
        ASSERT_TRUE(file.Open(path, CParamFile::Mode::Write));
        ASSERT_TRUE(file.WriteDate("x"));
    }
    EXPECT_EQ(dir.Read("set.tmf"), before);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(ParamFile, OpenFailuresCarryTheSystemTextAndASecondOpenIsRefused) {
    TempFolder dir;
    CParamFile reader;
    EXPECT_FALSE(reader.Open(dir.File("missing.tmf"), CParamFile::Mode::Read));
    EXPECT_EQ(reader.ErrorCode(), ENOENT);
    EXPECT_NE(English(reader.Error()).find("missing.tmf"), std::string::npos);

    CParamFile writer;
    EXPECT_FALSE(writer.Open(dir.File("no/such/folder/x.tmf"), CParamFile::Mode::Write));
    EXPECT_EQ(writer.ErrorCode(), ENOENT);

    // A second open of the same object is refused.
    ASSERT_TRUE(Save(dir.File("set.tmf"), "VX40", {}));
    ASSERT_TRUE(reader.Open(dir.File("set.tmf"), CParamFile::Mode::Read));
    EXPECT_FALSE(reader.Open(dir.File("set.tmf"), CParamFile::Mode::Read));
}

// The same value at another scale is another display value; of a number given twice the last
// record is compared.
TEST(ParameterSetDiff, SortsRecordsIntoOnlyInOneAndDifferentByNumber) {
    const SParameterFileContent a = Set({{7, 0, "1"}, {1, 10, "250"}, {3, 0, "5"}, {9, 0, "0"}});
    const SParameterFileContent b = Set({{1, 10, "180"}, {3, 1, "5"}, {4, 0, "2"}, {9, 0, "0"}});
    const SParameterSetDiff diff = DiffParameterSets(a, b);
    EXPECT_EQ(diff.onlyA, std::vector<int32_t>{7});
    EXPECT_EQ(diff.onlyB, std::vector<int32_t>{4});
    std::vector<std::tuple<int32_t, std::string, std::string>> different;
    for (const SRecordDifference& d : diff.different)
        different.emplace_back(d.number, d.a.setValue, d.b.setValue);
    EXPECT_EQ(different, (decltype(different){{1, "250", "180"}, {3, "5", "5"}}));
    EXPECT_FALSE(diff.Equal());
    EXPECT_TRUE(DiffParameterSets(Set({{1, 0, "5"}, {1, 0, "6"}}), Set({{1, 0, "6"}})).Equal());
    EXPECT_TRUE(DiffParameterSets(Set({}), Set({})).Equal());
}
