#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/Folders.h"
#include "app/MessageTable.h"
#include "app/ProfileString.h"
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
    ASSERT_TRUE(LookupModelIndex(DataFile(GetParam().prefix + std::string(".tbl")),
                                 GetParam().key, tablePath, modelName));
    EXPECT_EQ(tablePath, DataFile(GetParam().prefix + std::string(".prm")));
    EXPECT_EQ(modelName.rfind(GetParam().prefix, 0), 0u);

    CMenuParamTable table;
    ASSERT_EQ(table.Load(tablePath), 1);
    EXPECT_GE(table.GetCount(), 40u);
    EXPECT_LE(table.GetCount(), 80u);

    // Every transferable parameter is uploaded and downloaded exactly once, nothing else.
    std::multiset<int> transferable, upload, download;
    for (size_t i = 0; i < table.GetCount(); ++i) {
        if (table.GetItem(i)->writable != 0) transferable.insert(table.GetItem(i)->number);
    }
    for (size_t i = 0; i < table.GetUploadCount(); ++i) upload.insert(table.GetUploadNumber(i));
    for (size_t i = 0; i < table.GetDownloadCount(); ++i) {
        download.insert(table.GetDownloadNumber(i));
    }
    EXPECT_EQ(upload, transferable);
    EXPECT_EQ(download, transferable);
}

TEST_P(ModelData, EveryConditionAndScaleRoutineIsInTheTable) {
    std::string path = DataFile(GetParam().prefix + std::string(".prm"));
    CMenuParamTable table;
    ASSERT_EQ(table.Load(path), 1);
    int conditions = 0, scales = 0;
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const CMenuParamItem& item = *table.GetItem(i);
        if (item.condition) {
            ++conditions;
            EXPECT_TRUE(RoutineLoads(path, ConditionRoutineName(item))) << item.name;
        }
        if (item.scaleScript) {
            ++scales;
            EXPECT_TRUE(RoutineLoads(path, ScaleRoutineName(item))) << item.name;
        }
    }
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
                         [](const auto& info) { return std::string(info.param.prefix); });

TEST(ModelData, TheModelsTogetherUseEveryTableFeature) {
    std::set<std::string> seen;
    for (const char* prefix : {"HD40", "HD80"}) {
        CMenuParamTable table;
        ASSERT_EQ(table.Load(DataFile(prefix + std::string(".prm"))), 1);
        for (size_t i = 0; i < table.GetCount(); ++i) {
            const CMenuParamItem& item = *table.GetItem(i);
            seen.insert("writable " + std::to_string(item.writable));
            seen.insert("write mode " + std::to_string(item.writeMode));
            seen.insert("format " + std::to_string(item.readCommand.valueFormat));
            if (item.readCommand.valueFormat == 0 || item.readCommand.valueFormat > 2) {
                seen.insert("hex digits " + std::to_string(item.writeCommand.hexDigits));
            }
            if (item.readCommand.IsAtFrame()) seen.insert("at-frame");
            for (const CMenuCmdList* list : {&item.writeEnterList, &item.writeLeaveList}) {
                for (size_t c = 0; c < list->GetCount(); ++c) {
                    if (list->GetAt(c)->replyRequired == 0) seen.insert("no reply");
                }
            }
            if (item.writeMode != 0 && item.writeEnterList.GetCount() > 0 &&
                item.writeLeaveList.GetCount() > 0) {
                seen.insert("write lists");
            }
        }
    }
    for (const char* feature :
         {"writable 0", "writable 1", "writable 2", "write mode 0", "write mode 1",
          "write mode 2", "format 0", "format 1", "format 2", "hex digits 4", "hex digits 8",
          "at-frame", "no reply", "write lists"}) {
        EXPECT_TRUE(seen.count(feature)) << feature;
    }
}

TEST(ModelData, CatalogueHasEveryMessageInUse) {
    CMessageTable messages;
    ASSERT_TRUE(messages.Load(DataFile("VEXA.cap"), "Pyrona", 999));
    std::vector<int> numbers = {50, 51, 52, 53, 54, 55, 100, 101, 102, 200, 201, 202, 203,
                                300, 301, 310, 311, 312};
    for (int n = 0; n <= 10; ++n) numbers.push_back(n);
    for (int n : numbers) EXPECT_FALSE(messages.Get(n).empty()) << n;
    EXPECT_TRUE(messages.Get(11).empty());
    EXPECT_FALSE(GetProfileString(DataFile("VEXA.cap"), "Pyrona", "Title").empty());
    EXPECT_FALSE(GetProfileString(DataFile("VEXA.cap"), "MESSAGE", "000").empty());
    EXPECT_FALSE(GetProfileString(DataFile("VEXA.cap"), "MESSAGE", "001").empty());
}
