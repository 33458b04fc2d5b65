// Profile values, message catalogues and the one a locale chooses, the configuration files, the
// folders of each kind of file, number scans, splits and digests, as the cases of app.cases.
#include <gtest/gtest.h>

#include <string>

#include "app/CatalogueLanguage.h"
#include "app/ConfigFiles.h"
#include "app/FileHelpers.h"
#include "app/FolderRule.h"
#include "app/Folders.h"
#include "app/MessageTable.h"
#include "app/NumberText.h"
#include "app/ProfileString.h"
#include "app/SectionReader.h"
#include "app/Sha256.h"
#include "support/CaseFile.h"
#include "support/TempFolder.h"

namespace {

using Inputs = CaseInputs;

// The file "a.ini" of the text given, in the module folder.
class ProfileFile {
  public:
    explicit ProfileFile(const std::string& text) : m_path(m_home.Write("a.ini", text)) {
        SetModuleFolder(m_home.Path());
    }
    ~ProfileFile() { SetModuleFolder(""); }
    const std::string& Path() const { return m_path; }

  private:
    TempFolder m_home;
    std::string m_path;
};

const std::map<std::string, CaseFunction> kFunctions = {
    // The file read by its full path; with a fifth input, a value buffer of that size.
    {"profile",
     [](const Inputs& in) {
         const ProfileFile file(in[0]);
         return in.size() < 5
                    ? GetProfileString(file.Path(), in[1], in[2], in[3])
                    : GetProfileString(file.Path(), in[1], in[2], in[3], std::stoul(in[4]));
     }},
    // The file read by its name in the module folder.
    {"profile-int",
     [](const Inputs& in) {
         const ProfileFile file(in[0]);
         return std::to_string(GetProfileInt("a.ini", in[1], in[2], std::stoi(in[3])));
     }},
    // The catalogue of the name given, the file a.ini holding the text given, then overlaid with
    // a translation of the text given (when there is one).
    {"message-table",
     [](const Inputs& in) {
         const ProfileFile file(in[1]);
         CMessageTable table, translation;
         CaseAnswers answers{{"ok", CaseBool(table.Load(in[0], in[2], 999))}};
         if (in.size() > 3) {
             const TempFolder folder;
             EXPECT_TRUE(translation.Load(folder.Write("b.ini", in[3]), in[2], 999));
             table.Overlay(translation);
         }
         answers.emplace_back("format", table.Format(0, {"a", "b"}));
         for (const uint16_t number : {0, 2, 3, 998, 999, 65535})
             answers.emplace_back(std::to_string(number), table.Get(number));
         return answers;
     }},
    // The program's configuration files of the texts given (none when empty) in the module
    // folder, the catalogue file given in use.
    {"config-files",
     [](const Inputs& in) {
         const TempFolder home;
         SetModuleFolder(home.Path());
         const char* const names[] = {"VEXA.cap", "VEXA.de.cap", "Maintain01.txt"};
         for (int i = 0; i < 3; ++i)
             if (!in[i].empty()) home.Write(names[i], in[i]);
         UseCatalogueFile(in[3]);
         CMessageTable catalogue;
         const bool loaded = LoadMessageCatalogue(catalogue);
         const MaintenanceSettings settings = ReadMaintenanceSettings();
         CaseAnswers answers{{"config", CaseBool(ConfigFileExists())},
                             {"loaded", CaseBool(loaded)},
                             {"55", catalogue.Get(55)},
                             {"title", ReadWindowTitle()},
                             {"q000", ReadQuestionText("000")},
                             {"q001", ReadQuestionText("001")},
                             {"maintenance", CaseBool(MaintenanceFileExists())},
                             {"retry", std::to_string(settings.retry)},
                             {"timeout", std::to_string(settings.timeOut)}};
         UseCatalogueFile("VEXA.cap");
         SetModuleFolder("");
         return answers;
     }},
    // LC_ALL, LC_MESSAGES and LANG; only a German catalogue is there.
    {"catalogue",
     [](const Inputs& in) {
         return CatalogueFileFor({in[0], in[1], in[2]},
                                 [](const std::string& file) { return file == "VEXA.de.cap"; });
     }},
    // The lines of the section of a file of the text given, after a line the caller had.
    {"read-section",
     [](const Inputs& in) {
         const TempFolder folder;
         std::vector<std::string> lines{"before"};
         const bool ok = ReadFileSection(folder.Write("s.scp", in[0]), in[1], lines);
         CaseAnswers answers{{"ok", CaseBool(ok)}};
         for (const std::string& line : lines) answers.emplace_back("", line);
         return answers;
     }},
    // A failed scan leaves the value it was given (0).
    {"scan-decimal",
     [](const Inputs& in) {
         int32_t value = 0;
         const bool ok = ScanDecimalInt(in[0], value);
         return CaseAnswers{{"ok", CaseBool(ok)}, {"value", std::to_string(value)}};
     }},
    // The number of pieces, then the pieces; what the caller had is replaced.
    {"split",
     [](const Inputs& in) {
         std::vector<std::string> pieces{"stale"};
         SplitString(in[0], in[1][0], pieces);
         CaseAnswers answers{{"count", std::to_string(pieces.size())}};
         for (const std::string& piece : pieces) answers.emplace_back("", piece);
         return answers;
     }},
    // The folder facts in their order; a yes or no for whether the executable's folder holds
    // the configuration file.
    {"folders",
     [](const Inputs& in) {
         const SFolders folders =
             ChooseFolders({in[0], in[1], in[2] == "true", in[3], in[4], in[5]});
         std::string models;
         for (const std::string& folder : folders.models)
             models += (models.empty() ? "" : " ") + folder;
         return CaseAnswers{{"shipped", folders.shipped},
                            {"site", folders.site},
                            {"log", folders.log},
                            {"models", models}};
     }},
    {"sha256", [](const Inputs& in) { return Sha256Hex(in[0]); }},
    {"sha256-of-repeated",
     [](const Inputs& in) { return Sha256Hex(std::string(std::stoul(in[0]), in[1][0])); }},
};

TEST(AppCases, EveryCaseOfTheFileHolds) { RunCaseFile(VEXA_CASES_DIR "/app.cases", kFunctions); }

}  // namespace
