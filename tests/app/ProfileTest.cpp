#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "app/MessageTable.h"
#include "app/ProfileMgr.h"
#include "app/ProfileString.h"
#include "support/TempFolder.h"

namespace {

using Lines = std::vector<std::string>;

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override { SetModuleFolder(home.Path()); }
    void TearDown() override { SetModuleFolder(""); }

    TempFolder home;
};

TEST_F(ProfileTest, NamesIgnoreCaseFirstMatchWinsElseTheDefault) {
    const std::string file = home.Write("a.ini",
                                        "stray=before any section\n[Main]\n"
                                        "  Key  =   first value \t\nkey=second\nbare line\nk=\n"
                                        "[main]\nOther=in the second section\n");
    EXPECT_EQ(GetProfileString(file, "MAIN", "KEY"), "first value");
    EXPECT_EQ(GetProfileString(file, "main", "Other", "d"), "d");  // only the first section
    EXPECT_EQ(GetProfileString(home.File("none.ini"), "Main", "k", "d"), "d");
    EXPECT_EQ(GetProfileString(file, "T", "k", "d"), "d");
    EXPECT_EQ(GetProfileString(file, "Main", "bare line", "d"), "d");  // no "=": no value
    EXPECT_EQ(GetProfileString(file, "Main", "stray", "d"), "d");
    EXPECT_EQ(GetProfileString(file, "Main", "k", "d"), "");  // present but empty
    EXPECT_EQ(GetProfileInt(file, "Main", "k", 5), 5);
    home.Write("n.ini", "[N]\na= -42xyz\nb=abc\n");
    EXPECT_EQ(GetProfileInt("n.ini", "N", "a", 5), -42);  // relative: in the module folder
    EXPECT_EQ(GetProfileInt("n.ini", "N", "b", 5), 0);

    CProfileMgr profile;
    profile.SetFileName("n.ini");
    EXPECT_TRUE(profile.FileExists());
    EXPECT_FALSE(profile.FileExists("other.ini"));
    EXPECT_EQ(profile.GetString("n", "A", "d"), "-42xyz");
}

TEST_F(ProfileTest, HostileFilesAreReadSafelyWithTheValueLimit) {
    std::string binary = "[S]\n";
    for (int c = 0; c < 256; ++c) binary += static_cast<char>(c);
    binary += "\n\xff\xfe=\x01\x02\n";
    binary += "long=" + std::string(100000, 'x') + "\r\n";
    binary += "crlf = value \r\n";
    binary += "last=no final line feed";
    const std::string file = home.Write("hostile.ini", binary);

    EXPECT_EQ(GetProfileString(file, "S", "long"), std::string(2047, 'x'));
    EXPECT_EQ(GetProfileString(file, "S", "crlf"), "value");
    EXPECT_EQ(GetProfileString(file, "S", "last"), "no final line feed");
    EXPECT_EQ(GetProfileString(file, "S", "\xff\xfe"), "\x01\x02");
    EXPECT_EQ(GetProfileString(file, "S", "long", "", 10), std::string(9, 'x'));
    EXPECT_EQ(GetProfileString(home.Path(), "S", "k", "d"), "d");  // folders and devices
    EXPECT_EQ(GetProfileString("/dev/zero", "S", "k", "d"), "d");
}

TEST_F(ProfileTest, WholeSectionInFileOrderAndItsList) {
    const std::string file =
        home.Write("o.ini", "[Upload]\n30=x\n; a comment\n\n  10  \n20 = y\n[Next]\n99\n");
    CProfileMgr profile;
    profile.SetFileName(file);
    const std::string raw = profile.GetSection("UPLOAD", 32766);
    EXPECT_EQ(raw, std::string("30=x\0; a comment\0"
                               "10\0"
                               "20=y\0\0",
                               26));
    Lines list{"stale"};
    EXPECT_EQ(CProfileMgr::SectionToList(raw, list), 3);
    EXPECT_EQ(list, (Lines{"30=x", "10", "20=y"}));

    EXPECT_EQ(profile.GetSection("missing", 32766), std::string(1, '\0'));
    EXPECT_EQ(CProfileMgr::SectionToList(std::string(1, '\0'), list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(GetProfileSection(file, "Upload", 10), std::string("30=x\0; a\0\0", 10));
}

TEST_F(ProfileTest, LongSectionIsCutToTheBuffer) {
    std::string text = "[DownloadList]\n";
    for (int i = 0; i < 20000; ++i) text += std::to_string(i) + "\n";
    text += "[downloadlist]\nignored=second section of the name\n";
    const std::string file = home.Write("big.tbl", text);
    const std::string raw = GetProfileSection(file, "DownloadList", 32766);
    ASSERT_EQ(raw.size(), 32766u);
    EXPECT_EQ(raw.substr(raw.size() - 2), std::string(2, '\0'));
    Lines list;
    EXPECT_GT(CProfileMgr::SectionToList(raw, list), 5000);
    EXPECT_EQ(list.front(), "0");
}

TEST_F(ProfileTest, MessageCatalogueLoadRules) {
    CMessageTable table;
    EXPECT_FALSE(table.Load("", "Pyrona", 999));
    EXPECT_FALSE(table.Load("cat.ini", "", 999));
    EXPECT_FALSE(table.Load("cat.ini", "Pyrona", 999));  // not there yet

    home.Write("cat.ini",
               "[pyrona]\n000=Read\n000=Second\n2=Not a key of 002\n002=Connect\n998=Last\n"
               "999=Beyond\n003\n003=After a bare key\n");
    ASSERT_TRUE(table.Load("cat.ini", "Pyrona", 999));
    EXPECT_EQ(table.Get(0), "Read");
    EXPECT_EQ(table.Get(2), "Connect");
    EXPECT_EQ(table.Get(3), "");  // the bare key comes first and has no value
    EXPECT_EQ(table.Get(998), "Last");
    EXPECT_EQ(table.Get(999), "");
    EXPECT_EQ(table.Get(65535), "");

    ASSERT_TRUE(table.Load("cat.ini", "Other", 999));  // no such section: every entry empty
    EXPECT_EQ(table.Get(0), "");
}

TEST_F(ProfileTest, ConfigurationAndMaintenanceFiles) {
    EXPECT_FALSE(ConfigFileExists());
    CMessageTable catalogue;
    EXPECT_FALSE(LoadMessageCatalogue(catalogue));
    EXPECT_EQ(ReadWindowTitle(), "");
    EXPECT_EQ(ReadMaintenanceSettings().timeOut, 10000);  // no file: the defaults

    home.Write("VEXA.cap", "[Pyrona]\nTitle=VEXA Setup\n055=Unit\n[MESSAGE]\n000=Unit number?\n");
    EXPECT_TRUE(ConfigFileExists());
    ASSERT_TRUE(LoadMessageCatalogue(catalogue));
    EXPECT_EQ(catalogue.Get(55), "Unit");
    EXPECT_EQ(ReadWindowTitle(), "VEXA Setup");
    EXPECT_EQ(ReadQuestionText("000"), "Unit number?");

    home.Write("Maintain01.txt", "[CommunicationSettings]\nRetry=3\nTimeOut=70000\n");
    EXPECT_TRUE(MaintenanceFileExists());
    const MaintenanceSettings read = ReadMaintenanceSettings();
    EXPECT_EQ(read.retry, 3);
    EXPECT_EQ(read.timeOut, 4464);
}

}  // namespace
