#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Folders.h"
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
    const char* oldState = std::getenv("XDG_STATE_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedState = oldState ? oldState : "";
    const std::string savedHome = oldHome ? oldHome : "";

    std::string folder;
    setenv("XDG_STATE_HOME", (dir.Path() + "/state").c_str(), 1);
    ASSERT_TRUE(GetUserStateFolder(folder));
    EXPECT_EQ(folder, dir.Path() + "/state/vexa/");
    EXPECT_TRUE(PathExists(folder));

    setenv("XDG_STATE_HOME", "relative/ignored", 1);
    setenv("HOME", (dir.Path() + "/home").c_str(), 1);
    EXPECT_TRUE(GetUserStateFolder(folder));
    EXPECT_EQ(folder, dir.Path() + "/home/.local/state/vexa/");

    setenv("XDG_STATE_HOME", dir.Write("file", "x").c_str(), 1);  // not a folder
    EXPECT_FALSE(GetUserStateFolder(folder));

    oldState ? setenv("XDG_STATE_HOME", savedState.c_str(), 1) : unsetenv("XDG_STATE_HOME");
    oldHome ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
}

}  // namespace
