#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Folders.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

namespace {

class FoldersTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetModuleFolder("");
        SetCommonDataFolder("");
    }
};

// The test programs run in the build tree, whose executables' folder holds "VEXA.cap".
TEST_F(FoldersTest, ExecutableFolderWithTheConfigFileHoldsEveryFile) {
    std::string module, site, log;
    ASSERT_TRUE(GetModuleFolder(module));
    EXPECT_TRUE(PathExists(module + "VEXA.cap"));
    ASSERT_TRUE(GetSiteFolder(site));
    ASSERT_TRUE(GetLogFolder(log));
    EXPECT_EQ(site, module);
    EXPECT_EQ(log, module);
    EXPECT_EQ(ResolveInSiteFolder("Skyloom.set"), module + "Skyloom.set");
    EXPECT_EQ(ResolveInModuleFolder("/abs/VEXA.cap"), "/abs/VEXA.cap");
    EXPECT_EQ(ResolveInSiteFolder("/abs/Skyloom.set"), "/abs/Skyloom.set");

    // The shared data folder is share/vexa beside bin/, written without steps back.
    const std::string parent = module.substr(0, module.rfind('/', module.size() - 2) + 1);
    EXPECT_EQ(GetCommonDataFolder(), parent + "share/vexa");
}

TEST_F(FoldersTest, ModelFilesBesideTheProgramComeFirstAndNamesStayInside) {
    TempFolder module;
    TempFolder shared;
    SetModuleFolder(module.Path());
    SetCommonDataFolder(shared.Path());

    EXPECT_EQ(FindModelFile("K100.tbl"), "");
    shared.Write("ZELT/K100.tbl", "shared");
    EXPECT_EQ(FindModelFile("K100.tbl"), shared.File("ZELT/K100.tbl"));
    module.Write("K100.tbl", "module");
    EXPECT_EQ(FindModelFile("K100.tbl"), module.File("K100.tbl"));
    EXPECT_EQ(FindModelFile(""), "");

    // A hostile model name cannot reach files outside the two folders.
    module.Write("sub/K200.tbl", "x");
    EXPECT_EQ(FindModelFile("sub/K200.tbl"), module.File("sub/K200.tbl"));
    EXPECT_EQ(FindModelFile("sub/../K100.tbl"), "");
    EXPECT_EQ(
        FindModelFile("../" + module.Path().substr(module.Path().rfind('/') + 1) + "/K100.tbl"),
        "");
    EXPECT_EQ(FindModelFile(".."), "");
}

TEST_F(FoldersTest, StateFolderFollowsXdgElseHome) {
    TempFolder dir;
    const ScopedEnv state("XDG_STATE_HOME", dir.Path() + "/state");
    const ScopedEnv home("HOME", dir.Path() + "/home");
    std::string folder;
    ASSERT_TRUE(GetUserStateFolder(folder));
    EXPECT_EQ(folder, dir.Path() + "/state/vexa/");
    EXPECT_TRUE(PathExists(folder));

    state.Set("relative/ignored");
    EXPECT_TRUE(GetUserStateFolder(folder));
    EXPECT_EQ(folder, dir.Path() + "/home/.local/state/vexa/");

    state.Set(dir.Write("file", "x"));  // not a folder
    EXPECT_FALSE(GetUserStateFolder(folder));
}

}  // namespace
