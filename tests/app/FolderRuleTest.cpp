#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "app/FolderRule.h"

namespace {

struct FolderRuleCase {
    const char* what;
    SFolderFacts facts;
    SFolders expected;
};

// Names the case in test listings rather than its bytes.
void PrintTo(const FolderRuleCase& c, std::ostream* os) { *os << c.what; }

const SFolderFacts kInstalled = {"", "/usr/bin/", false, "/usr/share/vexa", "/cfg", "/home/op"};

SFolderFacts With(SFolderFacts facts, void (*change)(SFolderFacts&)) {
    change(facts);
    return facts;
}

class FolderRuleTest : public ::testing::TestWithParam<FolderRuleCase> {};

TEST_P(FolderRuleTest, ChoosesTheFoldersOfEachKindOfFile) {
    const FolderRuleCase& c = GetParam();
    const SFolders folders = ChooseFolders(c.facts);
    EXPECT_EQ(folders.shipped, c.expected.shipped);
    EXPECT_EQ(folders.site, c.expected.site);
    EXPECT_EQ(folders.log, c.expected.log);
    EXPECT_EQ(folders.models, c.expected.models);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderRuleTest,
    ::testing::Values(
        // Build tree or portable copy: everything beside the executable.
        FolderRuleCase{
            "portable",
            With(kInstalled,
                 [](SFolderFacts& f) {
                     f.executableFolder = "/opt/vexa/";
                     f.executableFolderHoldsConfig = true;
                 }),
            {"/opt/vexa/", "/opt/vexa/", "/opt/vexa/", {"/opt/vexa/", "/usr/share/vexa/ZELT/"}}},
        // --home wins over both layouts, whether or not it holds "VEXA.cap".
        FolderRuleCase{
            "home over installed",
            With(kInstalled, [](SFolderFacts& f) { f.homeFolder = "/tmp/line"; }),
            {"/tmp/line/", "/tmp/line/", "/tmp/line/", {"/tmp/line/", "/usr/share/vexa/ZELT/"}}},
        FolderRuleCase{
            "home over portable",
            With(kInstalled,
                 [](SFolderFacts& f) {
                     f.homeFolder = "/tmp/line/";
                     f.executableFolderHoldsConfig = true;
                 }),
            {"/tmp/line/", "/tmp/line/", "/tmp/line/", {"/tmp/line/", "/usr/share/vexa/ZELT/"}}},
        // Installed: shipped data, the site's files in the configuration folder (its models
        // first), the log in the state folder.
        FolderRuleCase{"installed",
                       kInstalled,
                       {"/usr/share/vexa/",
                        "/cfg/VEXA/",
                        "",
                        {"/cfg/VEXA/", "/usr/share/vexa/", "/usr/share/vexa/ZELT/"}}},
        FolderRuleCase{"installed, relative XDG_CONFIG_HOME is ignored",
                       With(kInstalled, [](SFolderFacts& f) { f.configHome = "cfg"; }),
                       {"/usr/share/vexa/",
                        "/home/op/.config/VEXA/",
                        "",
                        {"/home/op/.config/VEXA/", "/usr/share/vexa/", "/usr/share/vexa/ZELT/"}}},
        FolderRuleCase{"installed without a home: no site folder",
                       With(kInstalled,
                            [](SFolderFacts& f) {
                                f.configHome.clear();
                                f.userHome = "relative";
                            }),
                       {"/usr/share/vexa/", "", "", {"/usr/share/vexa/", "/usr/share/vexa/ZELT/"}}},
        FolderRuleCase{"executable folder unknown",
                       With(kInstalled,
                            [](SFolderFacts& f) {
                                f.executableFolder.clear();
                                f.dataFolder.clear();
                            }),
                       {"", "/cfg/VEXA/", "", {"/cfg/VEXA/"}}}),
    [](const ::testing::TestParamInfo<FolderRuleCase>& caseInfo) {
        std::string name;
        for (const char* c = caseInfo.param.what; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

}  // namespace
