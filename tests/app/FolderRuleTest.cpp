#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FolderRule.h"
#include "support/With.h"

namespace {

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
