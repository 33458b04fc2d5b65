#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Folders.h"
#include "app/ProfileMgr.h"
#include "app/ProfileString.h"
#include "app/Reason.h"
#include "app/SectionReader.h"
#include "support/TempFolder.h"

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override { SetModuleFolder(home.Path()); }
    void TearDown() override { SetModuleFolder(""); }

    TempFolder home;
};

TEST_F(ProfileTest, AProfileManagerReadsItsFileFromTheModuleFolderAndNothingElse) {
    home.Write("n.ini", "[N]\na= -42xyz\n");
    // Neither a missing file nor a folder or a device has values or sections.
    EXPECT_EQ(GetProfileString(home.File("none.ini"), "N", "a", "d"), "d");
    EXPECT_EQ(GetProfileString(home.Path(), "S", "k", "d"), "d");
    EXPECT_EQ(GetProfileString("/dev/zero", "S", "k", "d"), "d");
    std::vector<std::string> lines;
    EXPECT_FALSE(ReadFileSection(home.File("none.scp"), "Next", lines));
    CProfileMgr profile;
    profile.SetFileName("n.ini");
    EXPECT_TRUE(profile.FileExists());
    EXPECT_FALSE(profile.FileExists("other.ini"));
    EXPECT_EQ(profile.GetString("n", "A", "d"), "-42xyz");
}

// Every text of the shipped catalogue has its translation, with the same placeholders.
TEST(CatalogueLanguage, TheGermanCatalogueTranslatesEveryEntry) {
    const std::filesystem::path bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    for (const char* section : {"Pyrona", "MESSAGE"}) {
        std::map<std::string, std::string> texts[2];
        const char* files[] = {"VEXA.cap", "VEXA.de.cap"};
        for (int f = 0; f < 2; ++f) {
            std::vector<std::string> lines;
            ASSERT_TRUE(ReadFileSection((bin / files[f]).string(), section, lines)) << files[f];
            for (const std::string& line : lines)
                texts[f][line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        }
        const auto placeholders = [](const std::string& text) {
            std::multiset<std::string> found;
            for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1))
                found.insert(text.substr(at, 2));
            return found;
        };
        for (const auto& [key, english] : texts[0]) {
            const auto german = texts[1].find(key);
            ASSERT_NE(german, texts[1].end()) << section << " " << key << " " << english;
            EXPECT_FALSE(german->second.empty()) << section << " " << key;
            EXPECT_EQ(placeholders(german->second), placeholders(english)) << key;
        }
        // The desktop words every reason of the engine from the catalogue, in its English too.
        for (std::size_t id = 1; section == std::string("Pyrona") && id < kReasonEnglish.size();
             ++id)
            EXPECT_EQ(texts[0][std::to_string(kFirstReasonNumber + id)],
                      kReasonEnglish[id].english);
    }
}

}  // namespace
