#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/Folders.h"
#include "app/SectionReader.h"
#include "params/MenuParamTable.h"
#include "params/ModelIndex.h"
#include "params/RoutineName.h"
#include "script/Script.h"

// VEXA's own controller models, as installed beside the programs.
namespace {

std::string DataFile(const std::string& name) {
    std::string folder;
    GetModuleFolder(folder);
    return folder + name;
}

bool RoutineLoads(const std::string& file, const std::string& routine) {
    std::vector<std::string> lines;
    CScript script;
    return ReadFileSection(file, routine, lines) && script.Load(lines);
}

struct ModelCase {
    const char* prefix;
    const char* key;
};

class ModelData : public ::testing::TestWithParam<ModelCase> {};

}  // namespace

TEST_P(ModelData, IndexLeadsToATableThatLoadsWhole) {
    std::string tablePath, modelName;
    ASSERT_TRUE(LookupModelIndex(DataFile(GetParam().prefix + std::string(".tbl")), GetParam().key,
                                 tablePath, modelName));
    EXPECT_EQ(tablePath, DataFile(GetParam().prefix + std::string(".prm")));
    EXPECT_EQ(modelName.rfind(GetParam().prefix, 0), 0u);

    CMenuParamTable table;
    ASSERT_TRUE(table.Load(tablePath).Ok());
    EXPECT_GE(table.GetCount(), 40u);
    EXPECT_LE(table.GetCount(), 80u);

    // Every transferable parameter is uploaded and downloaded exactly once, nothing else;
    // every condition and scale routine an item names is in the table file.
    std::multiset<int> transferable, upload, download;
    int conditions = 0, scales = 0;
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const CMenuParamItem& item = *table.GetItem(i);
        if (item.writable != 0) transferable.insert(item.number);
        if (item.condition) {
            ++conditions;
            EXPECT_TRUE(RoutineLoads(tablePath, ConditionRoutineName(item))) << item.name;
        }
        if (item.scaleScript) {
            ++scales;
            EXPECT_TRUE(RoutineLoads(tablePath, ScaleRoutineName(item))) << item.name;
        }
    }
    for (size_t i = 0; i < table.GetUploadCount(); ++i) upload.insert(table.GetUploadNumber(i));
    for (size_t i = 0; i < table.GetDownloadCount(); ++i) {
        download.insert(table.GetDownloadNumber(i));
    }
    EXPECT_EQ(upload, transferable);
    EXPECT_EQ(download, transferable);
    EXPECT_GT(conditions, 0);
    EXPECT_GT(scales, 0);
}

TEST_P(ModelData, ScriptHasEveryRoutineTheOperationsCall) {
    std::string script = DataFile(GetParam().prefix + std::string(".scp"));
    for (const char* routine : {"Connect", "DisConnect", "BeforeDownload", "AfterDownload"}) {
        EXPECT_TRUE(RoutineLoads(script, routine)) << routine;
    }
    std::vector<std::string> picture;
    ASSERT_TRUE(ReadFileSection(script, "TCImage", picture));
    EXPECT_FALSE(FindModelFile(picture[0]).empty()) << picture[0];
}

INSTANTIATE_TEST_SUITE_P(Halden, ModelData,
                         ::testing::Values(ModelCase{"HD40", "HD40-R"},
                                           ModelCase{"HD80", "HD80-D/B2"}),
                         [](const auto& test) { return std::string(test.param.prefix); });
