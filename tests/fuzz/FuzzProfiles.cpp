// The profile files: one input read as an INI file by every reader the programs have, as the
// message catalogue, as the maintenance settings, as a model index and as a simulator profile.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "app/ConfigFiles.h"
#include "app/IniFile.h"
#include "app/MessageTable.h"
#include "app/ProfileMgr.h"
#include "app/ProfileString.h"
#include "app/SectionReader.h"
#include "params/ModelIndex.h"
#include "sim/SimProfile.h"

namespace {

const char* const kSections[] = {"Pyrona", "MESSAGE", "CommunicationSettings", "Sim",   "Memory",
                                 "Values", "Ranges",  "DownloadList",          "Upload"};

void ReadAsIni(const std::string& path, const std::string& text) {
    IniFile ini;
    ini.SetText(text);
    for (const char* section : kSections) {
        ini.Find(section, "Title");
        ini.GetString(section, "000", "-", kProfileValueBufferSize);
        ini.GetString(section, "001", "-", 4);
        ini.SectionEntries(section);
        std::size_t entries = 0;
        ini.ForEachEntry(section, [&entries](const IniFile::Entry&) { return ++entries < 100; });

        std::vector<std::string> lines;
        ReadFileSection(path, section, lines);
    }
    CProfileMgr profile;
    profile.SetFileName(path);
    FuzzCheck(profile.GetString("Pyrona", "Title", "").size() < kProfileValueBufferSize,
              "a profile value keeps at most 2047 characters");
    GetProfileInt(path, "CommunicationSettings", "Retry", 1);
    GetProfileInt(path, "CommunicationSettings", "TimeOut", 10000);
}

}  // namespace

int FuzzProfiles(const std::uint8_t* data, std::size_t size) {
    const std::string text = FuzzText(data, size);
    const std::string path = WriteScratchFile("profile.ini", text);
    ReadAsIni(path, text);

    CMessageTable catalogue;
    if (catalogue.Load(path, kCatalogueSection, kCatalogueSize)) {
        for (uint16_t number = 0; number <= kCatalogueSize; ++number) catalogue.Get(number);
    }

    std::string tablePath, modelName;
    for (const char* key : {"HD40-R", "HD80", "", "ENDOFTABLE"})
        LookupModelIndex(path, key, tablePath, modelName);

    SimProfile profile;
    std::string error;
    if (!ParseSimProfile(text, profile, error))
        FuzzCheck(!error.empty(), "a refused profile says why");
    return 0;
}
