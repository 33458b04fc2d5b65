#include <gtest/gtest.h>

#include "files/ParameterSetDiff.h"

namespace {

SParameterFileContent Set(std::vector<SParameterFileRecord> records) {
    SParameterFileContent content;
    content.headerRead = true;
    content.records = std::move(records);
    return content;
}

}  // namespace

TEST(ParameterSetDiff, SortsRecordsIntoOnlyInOneAndDifferentByNumber) {
    const SParameterFileContent a = Set({{7, 0, "1"}, {1, 10, "250"}, {3, 0, "5"}, {9, 0, "0"}});
    const SParameterFileContent b = Set({{1, 10, "180"}, {3, 1, "5"}, {4, 0, "2"}, {9, 0, "0"}});
    const SParameterSetDiff diff = DiffParameterSets(a, b);
    EXPECT_EQ(diff.onlyA, std::vector<int32_t>{7});
    EXPECT_EQ(diff.onlyB, std::vector<int32_t>{4});
    ASSERT_EQ(diff.different.size(), 2u);
    EXPECT_EQ(diff.different[0].number, 1);
    EXPECT_EQ(diff.different[0].a.setValue, "250");
    EXPECT_EQ(diff.different[0].b.setValue, "180");
    EXPECT_EQ(diff.different[1].number, 3);  // same value, another scale: another display value
    EXPECT_FALSE(diff.Equal());
}

TEST(ParameterSetDiff, OfANumberGivenTwiceTheLastRecordIsCompared) {
    const SParameterFileContent a = Set({{1, 0, "5"}, {1, 0, "6"}});
    EXPECT_TRUE(DiffParameterSets(a, Set({{1, 0, "6"}})).Equal());
    EXPECT_TRUE(DiffParameterSets(Set({}), Set({})).Equal());
}
