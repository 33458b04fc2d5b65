#include <gtest/gtest.h>

#include "app/Folders.h"
#include "params/ModelIndex.h"
#include "support/TempFolder.h"

namespace {

class ModelIndex : public ::testing::Test {
  protected:
    void SetUp() override {
        SetModuleFolder(folder.Slash());
        folder.Write("vx.prm", "");
    }
    void TearDown() override { SetModuleFolder(""); }

    bool Lookup(const std::string& index, const std::string& key) {
        tablePath.clear();
        modelName.clear();
        return LookupModelIndex(folder.Write("VX10.tbl", index), key, tablePath, modelName);
    }

    TempFolder folder;
    std::string tablePath;
    std::string modelName;
};

}  // namespace

TEST_F(ModelIndex, MatchesTheKeyExactlyWithQuotesRemoved) {
    ASSERT_TRUE(Lookup("OTHER,other.prm,Other\n\"K1\",\"vx.prm\",\"VX 10\",extra\r\n", "K1"));
    EXPECT_EQ(tablePath, folder.Slash() + "vx.prm");
    EXPECT_EQ(modelName, "VX 10");
    EXPECT_FALSE(Lookup("k1,vx.prm,VX\n", "K1"));
}

TEST_F(ModelIndex, SkipsShortLinesStopsAtTheEndWordAndKeepsAMissingTableEmpty) {
    EXPECT_FALSE(Lookup("EndOfTable,x\nK1,vx.prm,VX\n", "K1"));
    EXPECT_FALSE(Lookup("\"endoftable\",,\nK1,vx.prm,VX\n", "K1"));
    EXPECT_TRUE(Lookup("ENDOFTABLE\nK1,vx.prm,VX\n", "K1"));  // one field: skipped
    EXPECT_FALSE(Lookup("K1,vx.prm\n", "K1"));
    EXPECT_TRUE(Lookup("K1,vx.prm\nK1,vx.prm,Second\n", "K1"));
    EXPECT_EQ(modelName, "Second");
    ASSERT_TRUE(Lookup("K1,absent.prm,VX\n", "K1"));
    EXPECT_EQ(tablePath, "");
}

TEST_F(ModelIndex, UnreadableOrHostileIndexFailsCleanly) {
    EXPECT_FALSE(LookupModelIndex(folder.Slash() + "none.tbl", "K1", tablePath, modelName));
    std::string binary("\0\xff,\x01\x02\n", 6);
    EXPECT_FALSE(Lookup(binary + std::string(200000, ',') + "\n", "K1"));
    EXPECT_TRUE(Lookup(std::string(200000, 'z') + "\nK1,vx.prm,VX\n", "K1"));
}
