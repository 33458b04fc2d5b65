#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/FolderRule.h"
#include "app/Folders.h"
#include "support/TempFolder.h"
#include "support/With.h"

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

const SFolderFacts kInstalled = {"", "/usr/bin/", false, "/usr/share/vexa", "/cfg", "/home/op"};

TEST(FolderRule, ChoosesTheFoldersOfEachKindOfFile) {
    const struct {
        const char* what;
        SFolderFacts facts;
        SFolders expected;
    } cases[] = {
        // Build tree or portable copy: everything beside the executable.
        {"portable",
         With(kInstalled,
              [](SFolderFacts& f) {
                  f.executableFolder = "/opt/vexa/";
                  f.executableFolderHoldsConfig = true;
              }),
         {"/opt/vexa/", "/opt/vexa/", "/opt/vexa/", {"/opt/vexa/", "/usr/share/vexa/ZELT/"}}},
        // --home wins over both layouts, whether or not it holds "VEXA.cap".
        {"home over installed",
         With(kInstalled, [](SFolderFacts& f) { f.homeFolder = "/tmp/line"; }),
         {"/tmp/line/", "/tmp/line/", "/tmp/line/", {"/tmp/line/", "/usr/share/vexa/ZELT/"}}},
        {"home over portable",
         With(kInstalled,
              [](SFolderFacts& f) {
                  f.homeFolder = "/tmp/line/";
                  f.executableFolderHoldsConfig = true;
              }),
         {"/tmp/line/", "/tmp/line/", "/tmp/line/", {"/tmp/line/", "/usr/share/vexa/ZELT/"}}},
        // Installed: shipped data, the site's files in the configuration folder (its models
        // first), the log in the state folder.
        {"installed",
         kInstalled,
         {"/usr/share/vexa/",
          "/cfg/VEXA/",
          "",
          {"/cfg/VEXA/", "/usr/share/vexa/", "/usr/share/vexa/ZELT/"}}},
        {"installed, relative XDG_CONFIG_HOME is ignored",
         With(kInstalled, [](SFolderFacts& f) { f.configHome = "cfg"; }),
         {"/usr/share/vexa/",
          "/home/op/.config/VEXA/",
          "",
          {"/home/op/.config/VEXA/", "/usr/share/vexa/", "/usr/share/vexa/ZELT/"}}},
        {"installed without a home: no site folder",
         With(kInstalled,
              [](SFolderFacts& f) {
                  f.configHome.clear();
                  f.userHome = "relative";
              }),
         {"/usr/share/vexa/", "", "", {"/usr/share/vexa/", "/usr/share/vexa/ZELT/"}}},
        {"executable folder unknown",
         With(kInstalled,
              [](SFolderFacts& f) {
                  f.executableFolder.clear();
                  f.dataFolder.clear();
              }),
         {"", "/cfg/VEXA/", "", {"/cfg/VEXA/"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SFolders folders = ChooseFolders(c.facts);
        EXPECT_EQ(folders.shipped, c.expected.shipped);
        EXPECT_EQ(folders.site, c.expected.site);
        EXPECT_EQ(folders.log, c.expected.log);
        EXPECT_EQ(folders.models, c.expected.models);
    }
}

}  // namespace
